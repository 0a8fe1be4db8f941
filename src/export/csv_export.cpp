#include "export/csv_export.h"

#include <cmath>
#include <cstdio>
#include <cstring>

#include "corelib/files.h"
#include "corelib/sjis.h"
#include "corelib/text_encoding.h"
#include "evaluation/bmi.h"

const char kExportCaption[] = "CSVファイルに書き出す";
const char kNothingToExportText[] = "書き出す記録がありません。";
const char kExportFailedText[] =
    "ファイル「%s」に書き出せませんでした。\n\n"
    "ファイルがほかのアプリケーションで開かれていないか、ディスクの空きがあるかを確かめてください。";
const char kExportedText[] = "%lu 日分の記録をファイル「%s」に書き出しました。";

namespace {

// The quantities after weight, in the order of the columns, with their items.
struct Quantity {
    int item;
    const char* title;
};
const Quantity kQuantities[] = {
    {kItemBodyFat, "体脂肪率(%)"},     {kItemTemperature, "体温(℃)"}, {kItemCondition, "体調"},
    {kItemSleep, "睡眠(分)"},          {kItemSteps, "歩数"},           {kItemIntake, "摂取カロリー(kcal)"},
    {kItemExercise, "運動(kcal)"},
};

std::string Tenth(double value) {
    char text[64];
    std::snprintf(text, sizeof text, "%.1f", ShownTenths(value));
    return text;
}

std::string Whole(unsigned long value) { return value ? std::to_string(value) : std::string(); }

std::string QuantityCell(const DailyRecord& record, int item) {
    switch (item) {
    case kItemBodyFat: return record.bodyFat != 0 ? Tenth(record.bodyFat) : std::string();
    case kItemTemperature: return record.temperature != 0 ? Tenth(record.temperature) : std::string();
    case kItemCondition: return Whole(record.condition);
    case kItemSleep: return record.sleep > 0 ? std::to_string(record.sleep) : std::string();
    case kItemSteps: return Whole(record.steps);
    case kItemIntake: return Whole(record.intakeTotal);
    case kItemExercise: return Whole(record.exercise);
    }
    return std::string();
}

bool IsNameCharacterAllowed(unsigned char c) {
    return c >= 0x20 && !std::strchr("\\/:*?\"<>|", c);
}

}  // namespace

std::string CsvCell(const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    return quoted + "\"";
}

std::string CsvText(const DailyRecord* records, std::uint32_t count, const UserHeader& header,
                    const InputItemFlags& items, const TrendColumn& trend) {
    const bool withTrend = !trend.empty();
    std::string text = "日付,体重(kg)";
    for (const Quantity& quantity : kQuantities)
        if (items.on[quantity.item]) text += std::string(",") + quantity.title;
    text += ",ＢＭＩ,判定";
    if (withTrend) text += ",体重トレンド(kg)";
    text += ",日記\r\n";
    text.reserve(text.size() + std::size_t{count} * 64);
    for (std::uint32_t i = 0; i < count; ++i) {
        const DailyRecord& record = records[i];
        char date[16];
        std::snprintf(date, sizeof date, "%.4s/%.2s/%.2s", record.date, record.date + 4, record.date + 6);
        text += date;
        text += ',' + Tenth(record.weight);
        for (const Quantity& quantity : kQuantities)
            if (items.on[quantity.item]) text += ',' + QuantityCell(record, quantity.item);
        const double bmi = BmiOfWeight(record.weight, header.height);
        text += ',' + Tenth(bmi) + ',' + BmiClassName(GetBmiClass(bmi));
        if (withTrend) text += ',' + (i < trend.size() && !std::isnan(trend[i]) ? Tenth(trend[i]) : std::string());
        char diary[kDiaryCapacity];
        std::memcpy(diary, record.diary, kDiaryCapacity);
        diary[kDiaryCapacity - 1] = '\0';
        text += ',' + CsvCell(diary) + "\r\n";
    }
    return text;
}

std::string CsvFileBytes(const std::string& text, CsvEncoding encoding) {
    if (encoding == CsvEncoding::kShiftJis) return text;
    return "\xEF\xBB\xBF" + Utf8OfCp932(text);
}

Notice WriteCsvFile(const std::string& path, const std::string& bytes) {
    const FilePart part = {bytes.data(), bytes.size()};
    if (WriteFileAtomically(path.c_str(), &part, 1)) return Notice{};
    char text[768];
    std::snprintf(text, sizeof text, kExportFailedText, path.c_str());
    return Notice{text, kExportCaption, kMbOk | kMbIconExclamation};
}

std::string ProposedCsvName(const UserHeader& header, const CalendarDate& today) {
    char name[sizeof header.name];
    SjisCopy(name, sizeof name, header.name);
    std::string proposed;
    for (std::size_t at = 0; name[at]; ++at) {
        unsigned char c = static_cast<unsigned char>(name[at]);
        if (IsSjisLeadByte(c) && name[at + 1]) {
            proposed += name[at];
            proposed += name[++at];
        } else {
            proposed += IsNameCharacterAllowed(c) ? name[at] : '_';
        }
    }
    if (proposed.empty()) proposed = "pelmo";
    char date[16];
    std::snprintf(date, sizeof date, "_%04d%02d%02d.csv", today.year, today.month, today.day);
    return proposed + date;
}
