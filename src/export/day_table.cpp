#include "export/day_table.h"

#include <cmath>
#include <cstdio>
#include <cstring>

#include "corelib/sjis.h"
#include "export/cell_text.h"

const char kImportCaption[] = "CSVファイルから読み込む";
const char kEmptyTableText[] = "読み込む表がありません。ファイルまたはクリップボードの中身が空です。";
const char kBinaryTableText[] =
    "表の形式ではないため、読み込めません。\n\n"
    "表計算ソフトで「CSV」または「テキスト(タブ区切り)」の形式で保存したファイルを選んでください。";
const char kNoDayRowsText[] = "日付の入った行がありません。";

namespace {

// Columns a header names besides the quantities.
enum HeaderColumn : int {
    kHeaderDate = kDayColumnCount,
    kHeaderTime,
    kHeaderEstimated,
    kHeaderOther,
};

struct ColumnName {
    const char* name;  // folded, blanks, brackets and units taken out
    int column;
};
const ColumnName kColumnNames[] = {
    {"日付", kHeaderDate}, {"date", kHeaderDate}, {"datetime", kHeaderDate}, {"日時", kHeaderDate},
    {"年月日", kHeaderDate}, {"測定日", kHeaderDate}, {"測定日時", kHeaderDate}, {"day", kHeaderDate},
    {"timestamp", kHeaderDate},
    {"時刻", kHeaderTime}, {"time", kHeaderTime}, {"測定時刻", kHeaderTime},
    {"体重", kColumnWeight}, {"weight", kColumnWeight}, {"bodyweight", kColumnWeight},
    {"体脂肪率", kColumnBodyFat}, {"体脂肪", kColumnBodyFat}, {"fat", kColumnBodyFat},
    {"bodyfat", kColumnBodyFat}, {"fatrate", kColumnBodyFat}, {"bodyfatrate", kColumnBodyFat},
    {"日記", kColumnDiary}, {"メモ", kColumnDiary}, {"note", kColumnDiary}, {"notes", kColumnDiary},
    {"comment", kColumnDiary}, {"comments", kColumnDiary}, {"memo", kColumnDiary},
    {"体温", kColumnTemperature}, {"temperature", kColumnTemperature}, {"bodytemperature", kColumnTemperature},
    {"体調", kColumnCondition}, {"condition", kColumnCondition},
    {"睡眠", kColumnSleep}, {"睡眠時間", kColumnSleep}, {"sleep", kColumnSleep},
    {"歩数", kColumnSteps}, {"steps", kColumnSteps},
    {"摂取カロリー", kColumnIntake}, {"摂取", kColumnIntake}, {"intake", kColumnIntake},
    {"calories", kColumnIntake},
    {"運動", kColumnExercise}, {"運動カロリー", kColumnExercise}, {"消費カロリー", kColumnExercise},
    {"exercise", kColumnExercise},
    {"推定", kHeaderEstimated}, {"補間", kHeaderEstimated}, {"estimated", kHeaderEstimated},
    {"interpolated", kHeaderEstimated}, {"isestimated", kHeaderEstimated},
    {"isinterpolated", kHeaderEstimated},
};

// Cells that mark a row as estimated or interpolated, wherever they stand.
const char* const kEstimatedMarks[] = {"estimated", "interpolated", "推定", "補間", "推定値", "補間値"};
const char* const kTrueMarks[] = {"1", "true", "yes", "y", "はい", "○", "推定", "補間"};

const char* const kColumnTitles[kDayColumnCount] = {"体重", "体脂肪率", "体温", "体調", "睡眠",
                                                     "歩数", "摂取カロリー", "運動", "日記"};

struct Range {
    double lowest;   // besides 0, which is "not entered"
    double highest;
    bool whole;      // a whole number
};
// What each quantity may be; the weight's range is the plan's (it depends on the unit).
const Range kRanges[kColumnDiary] = {
    {0, 1e9, false},   {1.0, 50.0, false},    {30.0, 45.0, false}, {1, 9, true},
    {1, 1440, true},   {1, 999999, true},     {1, 99999, true},    {1, 99999, true},
};

bool IsOneOf(const std::string& text, const char* const* list, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i)
        if (text == list[i]) return true;
    return false;
}

// The unit a header cell names in brackets or at its end, and the name without it.
struct HeaderName {
    std::string name;
    CellUnit unit = CellUnit::kNone;
    bool hours = false;  // sleep given in hours
};

bool EndsWith(const std::string& text, const char* end) {
    std::size_t length = std::strlen(end);
    return text.size() >= length && text.compare(text.size() - length, length, end) == 0;
}

HeaderName ReadHeaderName(const std::string& cell) {
    std::string folded = FoldCell(cell);
    HeaderName header;
    std::string bracket;
    int depth = 0;
    for (std::size_t at = 0; at < folded.size(); ++at) {
        char c = folded[at];
        if (IsSjisLeadByte(static_cast<unsigned char>(c)) && at + 1 < folded.size()) {
            std::string wide = folded.substr(at, 2);
            ++at;
            if (wide == "【") ++depth;
            else if (wide == "】") depth = depth > 0 ? depth - 1 : 0;
            else (depth ? bracket : header.name) += wide;
            continue;
        }
        if (c == '(' || c == '[') ++depth;
        else if (c == ')' || c == ']') depth = depth > 0 ? depth - 1 : 0;
        else if (c == ' ' || c == '_' || c == '-' || c == '.') continue;
        else (depth ? bracket : header.name) += c;
    }
    auto unitOf = [&](const std::string& text) {
        if (text == "lb" || text == "lbs" || text == "ポンド" || text == "pounds") header.unit = CellUnit::kLb;
        else if (text == "kg" || text == "キロ") header.unit = CellUnit::kKg;
        else if (text == "%" || text == "％") header.unit = CellUnit::kPercent;
        else if (text == "時間" || text == "h" || text == "hours") header.hours = true;
    };
    unitOf(bracket);
    for (const char* end : {"lbs", "lb", "kg", "%"}) {
        if (header.name.size() > std::strlen(end) && EndsWith(header.name, end)) {
            unitOf(end);
            header.name.resize(header.name.size() - std::strlen(end));
            break;
        }
    }
    return header;
}

int ColumnOfName(const std::string& name) {
    for (const ColumnName& known : kColumnNames)
        if (name == known.name) return known.column;
    return kHeaderOther;
}

// A cell as a reason shows it: at most 30 bytes, never half a character.
std::string Shown(const std::string& cell) {
    char shown[34];
    std::size_t length = SjisFitLength(cell.c_str(), 30);
    std::snprintf(shown, sizeof shown, "%.*s%s", static_cast<int>(length), cell.c_str(),
                  length < cell.size() ? "…" : "");
    return shown;
}

std::string Reason(const char* format, const std::string& cell) {
    char reason[160];
    std::snprintf(reason, sizeof reason, format, Shown(cell).c_str());
    return reason;
}

struct Layout {
    int date = 0;
    int time = -1;
    int estimated = -1;
    int columns[kDayColumnCount];
    bool sleepInHours = false;
    Layout() {
        for (int& column : columns) column = -1;
    }
};

// Names that hold "weight" but name another figure.
const char* const kOtherWeights[] = {"目標", "差", "トレンド", "trend", "goal", "target", "lean", "muscle", "bone",
                                     "water", "fat", "脂肪", "筋肉", "骨"};

// Without a column named exactly as a weight: the first whose name holds
// "weight" or "体重" ("Average weight (kg)"), unless it names another figure.
int WeightColumnByPart(const TableRow& row, bool* unitSeen, WeightUnit* unit) {
    for (std::size_t c = 0; c < row.cells.size(); ++c) {
        HeaderName header = ReadHeaderName(row.cells[c]);
        if (header.name.find("weight") == std::string::npos && header.name.find("体重") == std::string::npos) continue;
        bool other = false;
        for (const char* word : kOtherWeights) other = other || header.name.find(word) != std::string::npos;
        if (other) continue;
        if (header.unit == CellUnit::kKg || header.unit == CellUnit::kLb) {
            *unitSeen = true;
            *unit = header.unit == CellUnit::kLb ? WeightUnit::kLb : WeightUnit::kKg;
        }
        return static_cast<int>(c);
    }
    return -1;
}

// The header among the first rows: a row that names a date column. Its index, or -1.
int FindHeader(const std::vector<TableRow>& rows, Layout* layout, DayTable* table) {
    const std::size_t searched = rows.size() < 10 ? rows.size() : 10;
    for (std::size_t r = 0; r < searched; ++r) {
        Layout found;
        found.date = -1;
        bool unitSeen = false;
        WeightUnit unit = WeightUnit::kKg;
        for (std::size_t c = 0; c < rows[r].cells.size(); ++c) {
            HeaderName header = ReadHeaderName(rows[r].cells[c]);
            int column = ColumnOfName(header.name);
            const int index = static_cast<int>(c);
            if (column == kHeaderDate && found.date < 0) found.date = index;
            else if (column == kHeaderTime && found.time < 0) found.time = index;
            else if (column == kHeaderEstimated) found.estimated = index;
            else if (column < kDayColumnCount && found.columns[column] < 0) {
                found.columns[column] = index;
                if (column == kColumnWeight && (header.unit == CellUnit::kKg || header.unit == CellUnit::kLb)) {
                    unitSeen = true;
                    unit = header.unit == CellUnit::kLb ? WeightUnit::kLb : WeightUnit::kKg;
                }
                if (column == kColumnSleep) found.sleepInHours = header.hours;
            }
        }
        if (found.date >= 0 && found.columns[kColumnWeight] < 0)
            found.columns[kColumnWeight] = WeightColumnByPart(rows[r], &unitSeen, &unit);
        if (found.date >= 0) {
            *layout = found;
            table->headerFound = true;
            table->unitStated = unitSeen;
            table->statedUnit = unit;
            return static_cast<int>(r);
        }
    }
    return -1;
}

// A line under the header that only names units ("", "kg", "%", ...).
bool ReadUnitLine(const TableRow& row, const Layout& layout, DayTable* table) {
    bool unitSeen = false;
    for (std::size_t c = 0; c < row.cells.size(); ++c) {
        HeaderName header = ReadHeaderName("(" + row.cells[c] + ")");
        std::string folded = FoldCell(row.cells[c]);
        if (folded.empty()) continue;
        bool isUnit = header.unit != CellUnit::kNone || header.hours || folded == "kcal" || folded == "℃" ||
                      folded == "歩" || folded == "分" || folded == "min";
        if (!isUnit) return false;
        if (static_cast<int>(c) == layout.columns[kColumnWeight] &&
            (header.unit == CellUnit::kKg || header.unit == CellUnit::kLb)) {
            unitSeen = true;
            table->unitStated = true;
            table->statedUnit = header.unit == CellUnit::kLb ? WeightUnit::kLb : WeightUnit::kKg;
        }
    }
    return unitSeen;
}

const std::string& CellAt(const TableRow& row, int column) {
    static const std::string kEmpty;
    return column >= 0 && static_cast<std::size_t>(column) < row.cells.size() ? row.cells[column] : kEmpty;
}

bool IsEstimatedRow(const TableRow& row, const Layout& layout) {
    if (layout.estimated >= 0) {
        std::string flag = FoldCell(CellAt(row, layout.estimated));
        if (IsOneOf(flag, kTrueMarks, sizeof kTrueMarks / sizeof *kTrueMarks)) return true;
    }
    for (std::size_t c = 0; c < row.cells.size(); ++c) {
        if (static_cast<int>(c) == layout.columns[kColumnDiary]) continue;
        if (IsOneOf(FoldCell(row.cells[c]), kEstimatedMarks, sizeof kEstimatedMarks / sizeof *kEstimatedMarks))
            return true;
    }
    return false;
}

std::string DateRefusal(DateReading reading, const std::string& cell) {
    switch (reading) {
    case DateReading::kOutOfRange: return Reason("日付「%s」が1900年より前か2099年より後です", cell);
    case DateReading::kNoSuchDay: return Reason("「%s」という日はありません", cell);
    default: return Reason("日付「%s」を読めません", cell);
    }
}

// The quantity in column of row into reading; a refusal's reason, or "".
std::string ReadQuantity(const TableRow& row, const Layout& layout, int column, bool decimalComma,
                         DayReading* reading) {
    const std::string& cell = CellAt(row, layout.columns[column]);
    std::string folded = FoldCell(cell);
    if (folded.empty()) return std::string();
    double value = 0;
    CellUnit unit = CellUnit::kNone;
    char format[96];
    if (!ParseCellNumber(folded, decimalComma, &value, &unit)) {
        std::snprintf(format, sizeof format, "%s「%%s」が数値ではありません", kColumnTitles[column]);
        return Reason(format, cell);
    }
    if (column == kColumnWeight) {
        reading->weightInLb = unit == CellUnit::kLb;
        reading->weightInKg = unit == CellUnit::kKg;
    }
    if (column == kColumnSleep && layout.sleepInHours) value *= 60;
    const Range& range = kRanges[column];
    const double tenths = std::round(value * 10) / 10;
    bool fits = value == 0 || (tenths >= range.lowest && tenths <= range.highest);
    if (range.whole && value != std::floor(value)) fits = false;
    if (column == kColumnWeight) fits = value > 0;
    if (!fits) {
        std::snprintf(format, sizeof format, "%s「%%s」が受け付けられる範囲にありません", kColumnTitles[column]);
        return Reason(format, cell);
    }
    reading->values[column] = range.whole ? value : tenths;
    if (column == kColumnWeight) reading->values[column] = value;  // converted and rounded by the plan
    reading->present[column] = true;
    return std::string();
}

void ReadRow(const TableRow& row, const Layout& layout, const TableReadOptions& options, DayTable* table) {
    if (IsEstimatedRow(row, layout)) {
        ++table->estimated;
        return;
    }
    const std::string& dateCell = CellAt(row, layout.date);
    std::string folded = FoldCell(dateCell);
    if (folded.empty()) {
        table->refused.push_back({row.line, "日付がありません"});
        return;
    }
    DayReading reading;
    reading.line = row.line;
    DateReading date = ReadImportDate(folded, FoldCell(CellAt(row, layout.time)), options.localOffset, &reading.date);
    if (date != DateReading::kRead) {
        table->refused.push_back({row.line, DateRefusal(date, dateCell)});
        return;
    }
    const bool decimalComma = table->separator != ',';
    for (int column = 0; column < kColumnDiary; ++column) {
        std::string refusal = ReadQuantity(row, layout, column, decimalComma, &reading);
        if (!refusal.empty()) {
            table->refused.push_back({row.line, refusal});
            return;
        }
    }
    if (!reading.present[kColumnWeight]) {
        table->refused.push_back({row.line, "体重がありません"});
        return;
    }
    const std::string& diary = CellAt(row, layout.columns[kColumnDiary]);
    if (!diary.empty()) {
        reading.diary = diary;
        reading.present[kColumnDiary] = true;
    }
    table->readings.push_back(std::move(reading));
}

}  // namespace

DayTable ReadDayTable(const std::string& bytes, const TableReadOptions& options) {
    DayTable table;
    DecodedTable decoded = DecodeTableBytes(bytes);
    table.encoding = decoded.encoding;
    table.unmapped = decoded.unmapped;
    if (decoded.text.find_first_not_of(" \t\r\n\x1A") == std::string::npos) {
        table.refusal = Notice{kEmptyTableText, kImportCaption, kMbOk | kMbIconInformation};
        return table;
    }
    if (decoded.binary) {
        table.refusal = Notice{kBinaryTableText, kImportCaption, kMbOk | kMbIconInformation};
        return table;
    }
    table.separator = DetectSeparator(decoded.text);
    std::vector<TableRow> rows = SplitTable(decoded.text, table.separator, options.progress, options.progressContext);
    decoded.text = std::string();
    Layout layout;
    int header = FindHeader(rows, &layout, &table);
    std::size_t first = 0;
    if (header >= 0) {
        for (int r = 0; r < header; ++r) table.refused.push_back({rows[r].line, "見出しより前の行です"});
        first = static_cast<std::size_t>(header) + 1;
        if (first < rows.size() && ReadUnitLine(rows[first], layout, &table)) ++first;
    } else {
        // Without a header: the date, then the weight.
        layout.columns[kColumnWeight] = 1;
    }
    for (std::size_t r = first; r < rows.size(); ++r) ReadRow(rows[r], layout, options, &table);
    if (table.readings.empty() && table.refused.empty() && table.estimated == 0)
        table.refusal = Notice{kNoDayRowsText, kImportCaption, kMbOk | kMbIconInformation};
    return table;
}
