#include "export/import_plan.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstddef>
#include <cstdlib>
#include <cstring>

#include "corelib/dates.h"
#include "corelib/files.h"
#include "diary/diary_store.h"
#include "diary/input_items.h"
#include "diary/record_texts.h"
#include "diary/user_file.h"
#include "diary/user_file_write.h"
#include "evaluation/bmi.h"

const char kUndoCaption[] = "読み込みを元に戻す";
const char kNothingToUndoText[] =
    "元に戻せる読み込みはありません。\n\n"
    "読み込みのあとで日の記録を登録・削除したときや、別のユーザーを開いたときは元に戻せません。";
const char kImportSaveFailedText[] =
    "ユーザーデータ(*.DAT)の書込みに失敗したため、読み込みを取りやめました。\n\n"
    "日記は読み込む前のままです。ディスクの空きを確かめてから、もう一度読み込んでください。";
const char kUndoCopyFailedText[] =
    "読み込む前の日記の控えを作れなかったため、読み込みを取りやめました。\n\n"
    "日記は読み込む前のままです。ディスクの空きを確かめてから、もう一度読み込んでください。";

namespace {

const char kImportedText[] = "%ld 日分の記録を読み込みました。\n(新しい日 %ld 日、値を変えた日 %ld 日)";
const char kNothingStoredText[] = "日記に加える日はありませんでした。日記は変わっていません。";
const char kUndoQuestion[] =
    "最後の読み込みで加えた %ld 日と値を変えた %ld 日を取り消して、読み込む前の日記に戻します。\n\n"
    "よろしいですか？";
const char kUndoneText[] = "読み込む前の日記に戻しました。";
const char kUndoReadFailedText[] = "読み込む前の日記の控え「%s」を読めないため、元に戻せません。";
const char kOutOfMemoryText[] =
    "メモリが足りないため、読み込めませんでした。日記は読み込む前のままです。";

constexpr double kPoundInKg = 0.45359237;

struct LastImport {
    bool available = false;
    long userNumber = 0;
    std::uint64_t days = 0;  // DaysFingerprint of the diary the import left
    long newDays = 0;
    long changedDays = 0;
};
LastImport g_last;

// A fingerprint of the open user's days (FNV-1a), leaving out the BMI that
// the record table caches as it paints: a day stored, changed or deleted
// changes it, a repaint or a change of the targets does not.
std::uint64_t DaysFingerprint() {
    std::uint64_t hash = 14695981039346656037ull;
    auto mix = [&hash](const unsigned char* bytes, std::size_t size) {
        for (std::size_t i = 0; i < size; ++i) hash = (hash ^ bytes[i]) * 1099511628211ull;
    };
    const std::uint32_t count = DiaryRecordCount();
    mix(reinterpret_cast<const unsigned char*>(&count), sizeof count);
    for (std::uint32_t i = 0; i < count; ++i) {
        const unsigned char* record = reinterpret_cast<const unsigned char*>(&DiaryRecords()[i]);
        mix(record, offsetof(DailyRecord, bmi));
        mix(record + offsetof(DailyRecord, bodyFat), sizeof(DailyRecord) - offsetof(DailyRecord, bodyFat));
    }
    return hash;
}


double Tenths(double value) { return std::round(value * 10) / 10; }

int CompareDates(const char* a, const char* b) { return std::memcmp(a, b, kDateLength); }

const DailyRecord* FindRecord(const DailyRecord* records, std::uint32_t count, const char* date) {
    const DailyRecord* end = records + count;
    const DailyRecord* found = std::lower_bound(
        records, end, date, [](const DailyRecord& record, const char* key) { return CompareDates(record.date, key) < 0; });
    return found != end && CompareDates(found->date, date) == 0 ? found : nullptr;
}

// The day as the import stores it: the record it starts from, with every
// quantity the table holds for it; empty cells keep what the diary has.
void FillDay(const PlannedDay& day, DailyRecord* record) {
    const DayReading& reading = *day.reading;
    std::memcpy(record->date, reading.date.key, kDateLength);
    record->weight = day.weightKg;
    if (reading.present[kColumnBodyFat]) record->bodyFat = reading.values[kColumnBodyFat];
    if (reading.present[kColumnTemperature]) record->temperature = reading.values[kColumnTemperature];
    if (reading.present[kColumnCondition]) record->condition = static_cast<std::uint8_t>(reading.values[kColumnCondition]);
    if (reading.present[kColumnSleep]) record->sleep = static_cast<std::int32_t>(reading.values[kColumnSleep]);
    if (reading.present[kColumnSteps]) record->steps = static_cast<std::uint32_t>(reading.values[kColumnSteps]);
    if (reading.present[kColumnIntake]) record->intakeTotal = static_cast<std::uint32_t>(reading.values[kColumnIntake]);
    if (reading.present[kColumnExercise]) record->exercise = static_cast<std::uint32_t>(reading.values[kColumnExercise]);
    if (reading.present[kColumnDiary]) SetDiaryText(*record, reading.diary.c_str());
}

bool SameDay(const DailyRecord& a, const DailyRecord& b) {
    return a.weight == b.weight && a.bodyFat == b.bodyFat && a.temperature == b.temperature &&
           a.condition == b.condition && a.sleep == b.sleep && a.steps == b.steps &&
           a.intakeTotal == b.intakeTotal && a.exercise == b.exercise &&
           std::strncmp(a.diary, b.diary, kDiaryCapacity) == 0;
}

std::string LaterReadingReason(const DayReading& first) {
    char shown[kShownDateSize];
    ShownDateOfKey(first.date.key, shown);
    char reason[128];
    std::snprintf(reason, sizeof reason, "%s の2つめ以降の記録です(%ld 行目を読み込みます)", shown, first.line);
    return reason;
}

}  // namespace

ImportPlan PlanImport(const DayTable& table, WeightUnit unit, const DailyRecord* records, std::uint32_t count) {
    ImportPlan plan;
    plan.unit = table.unitStated ? table.statedUnit : unit;
    unit = plan.unit;
    plan.refused = table.refused;
    std::vector<PlannedDay> valid;
    valid.reserve(table.readings.size());
    for (const DayReading& reading : table.readings) {
        const bool pounds = reading.weightInLb || (!reading.weightInKg && unit == WeightUnit::kLb);
        const double kg = Tenths(pounds ? reading.values[kColumnWeight] * kPoundInKg : reading.values[kColumnWeight]);
        if (kg < 1.0 || kg > 200.0) {
            char reason[128];
            std::snprintf(reason, sizeof reason, "体重 %.1f kg が1.0～200.0の範囲にありません", kg);
            plan.refused.push_back({reading.line, reason});
            continue;
        }
        valid.push_back({&reading, kg, DayChange::kNew});
    }
    // One reading a day: the earliest by time (a reading without a time
    // counts as the day's first), then the first in the table.
    std::stable_sort(valid.begin(), valid.end(), [](const PlannedDay& a, const PlannedDay& b) {
        int order = CompareDates(a.reading->date.key, b.reading->date.key);
        if (order != 0) return order < 0;
        if (a.reading->date.minuteOfDay != b.reading->date.minuteOfDay)
            return a.reading->date.minuteOfDay < b.reading->date.minuteOfDay;
        return a.reading->line < b.reading->line;
    });
    DailyRecord* scratch = static_cast<DailyRecord*>(std::calloc(1, sizeof(DailyRecord)));
    for (std::size_t i = 0; i < valid.size(); ++i) {
        PlannedDay day = valid[i];
        if (!plan.days.empty() && CompareDates(plan.days.back().reading->date.key, day.reading->date.key) == 0) {
            plan.refused.push_back({day.reading->line, LaterReadingReason(*plan.days.back().reading)});
            ++plan.laterReadings;
            continue;
        }
        if (day.reading->diary.size() > kDiaryTextLimit) ++plan.cutDiaries;
        const DailyRecord* existing = count && records ? FindRecord(records, count, day.reading->date.key) : nullptr;
        if (existing && scratch) {
            std::memcpy(scratch, existing, sizeof(DailyRecord));
            FillDay(day, scratch);
            day.change = SameDay(*scratch, *existing) ? DayChange::kSame : DayChange::kDifferent;
        }
        (day.change == DayChange::kNew ? plan.newDays : day.change == DayChange::kSame ? plan.sameDays
                                                                                      : plan.differentDays)++;
        plan.days.push_back(day);
    }
    std::free(scratch);
    std::stable_sort(plan.refused.begin(), plan.refused.end(),
                     [](const RefusedLine& a, const RefusedLine& b) { return a.line < b.line; });
    return plan;
}

std::string UndoCopyName(long userNumber) {
    char name[kFileNameSize];
    DataFileName(userNumber, name);
    return std::string(name) + ".UNDO";
}

ImportOutcome ApplyImport(const ImportPlan& plan, ExistingDay existing) {
    ImportOutcome outcome;
    const long changes = plan.newDays + (existing == ExistingDay::kTakeFile ? plan.differentDays : 0);
    if (!IsUserOpen() || changes == 0) {
        outcome.notice = Notice{kNothingStoredText, kImportCaption, kMbOk | kMbIconInformation};
        return outcome;
    }
    const UserHeader header = CurrentHeader();
    const DailyRecord* records = DiaryRecords();
    const std::uint32_t count = DiaryRecordCount();
    const std::uint64_t total = std::uint64_t{count} + static_cast<std::uint64_t>(plan.newDays);
    DailyRecord* block = total <= UINT32_MAX && total * sizeof(DailyRecord) <= SIZE_MAX
                             ? static_cast<DailyRecord*>(ResizeBlock(nullptr, static_cast<std::size_t>(total) * sizeof(DailyRecord)))
                             : nullptr;
    if (!block) {
        outcome.notice = Notice{kOutOfMemoryText, kImportCaption, kMbOk | kMbIconExclamation};
        return outcome;
    }
    // The diary as it is now, kept beside its file for the undo.
    const std::string copy = UndoCopyName(header.userNumber);
    UserHeader copyHeader = header;
    copyHeader.recordCount = count;
    const FilePart parts[2] = {{&copyHeader, sizeof copyHeader}, {records, std::size_t{count} * sizeof(DailyRecord)}};
    g_last.available = false;
    // The copy serves this run only (the undo is forgotten at exit): it need
    // not wait for the disk, and a crash leaves the diary's own file whole.
    if (!WriteFileAtomically(copy.c_str(), parts, count ? 2 : 1, FileFlush::kRebuiltFile)) {
        std::free(block);
        outcome.notice = Notice{kUndoCopyFailedText, kImportCaption, kMbOk | kMbIconExclamation};
        return outcome;
    }
    // Both lists are in date order: one merge stores every day in its place.
    std::uint32_t from = 0, to = 0;
    long stored = 0;
    for (const PlannedDay& day : plan.days) {
        while (from < count && CompareDates(records[from].date, day.reading->date.key) < 0) block[to++] = records[from++];
        const bool there = from < count && CompareDates(records[from].date, day.reading->date.key) == 0;
        if (there) block[to] = records[from++];
        else std::memset(&block[to], 0, sizeof(DailyRecord));
        const bool store = !there || (day.change == DayChange::kDifferent && existing == ExistingDay::kTakeFile);
        if (store) {
            FillDay(day, &block[to]);
            block[to].bmi = BmiOfWeight(block[to].weight, header.height);
            ++stored;
        }
        ++to;
    }
    while (from < count) block[to++] = records[from++];
    if (!WriteUserFile(header, block, to)) {
        std::free(block);
        FileDelete(copy.c_str());
        outcome.notice = Notice{kImportSaveFailedText, kImportCaption, kMbOk | kMbIconExclamation};
        return outcome;
    }
    AdoptUser(header, block, to, to);
    g_last.userNumber = header.userNumber;
    g_last.newDays = plan.newDays;
    g_last.changedDays = stored - plan.newDays;
    g_last.days = DaysFingerprint();
    g_last.available = true;
    char text[256];
    std::snprintf(text, sizeof text, kImportedText, stored, plan.newDays, stored - plan.newDays);
    outcome.done = true;
    outcome.stored = stored;
    outcome.notice = Notice{text, kImportCaption, kMbOk | kMbIconInformation};
    return outcome;
}

bool CanUndoImport() {
    if (!g_last.available || !IsUserOpen() || CurrentHeader().userNumber != g_last.userNumber || HasUnsavedChanges())
        return false;
    return DaysFingerprint() == g_last.days && FileExists(UndoCopyName(g_last.userNumber).c_str());
}

Notice UndoImportQuestion() {
    if (!CanUndoImport()) return Notice{kNothingToUndoText, kUndoCaption, kMbOk | kMbIconInformation};
    char text[320];
    std::snprintf(text, sizeof text, kUndoQuestion, g_last.newDays, g_last.changedDays);
    return Notice{text, kUndoCaption, kMbOkCancel | kMbIconQuestion};
}

ImportOutcome UndoImport() {
    ImportOutcome outcome;
    if (!CanUndoImport()) {
        outcome.notice = Notice{kNothingToUndoText, kUndoCaption, kMbOk | kMbIconInformation};
        return outcome;
    }
    const std::string copy = UndoCopyName(g_last.userNumber);
    char failed[256];
    std::snprintf(failed, sizeof failed, kUndoReadFailedText, copy.c_str());
    FileHandle file = FileOpen(copy.c_str(), kFileRead);
    UserHeader header{};
    std::int64_t size = file == kInvalidFile ? -1 : FileSize(file);
    bool whole = size >= static_cast<std::int64_t>(sizeof header) &&
                 FileReadExactly(file, copy.c_str(), &header, sizeof header) &&
                 static_cast<std::uint64_t>(size) ==
                     sizeof header + std::uint64_t{header.recordCount} * sizeof(DailyRecord);
    const std::uint32_t count = whole ? header.recordCount : 0;
    DailyRecord* block = nullptr;
    if (whole && count) {
        block = static_cast<DailyRecord*>(ResizeBlock(nullptr, std::size_t{count} * sizeof(DailyRecord)));
        whole = block && FileReadExactly(file, copy.c_str(), block, std::size_t{count} * sizeof(DailyRecord));
    }
    FileClose(file, copy.c_str());
    if (!whole) {
        std::free(block);
        outcome.notice = Notice{failed, kUndoCaption, kMbOk | kMbIconExclamation};
        return outcome;
    }
    if (!WriteUserFile(CurrentHeader(), block, count)) {
        std::free(block);
        outcome.notice = Notice{kWriteFailedText, kUndoCaption, kMbOk | kMbIconExclamation};
        return outcome;
    }
    AdoptUser(CurrentHeader(), block, count, count);
    ForgetImport();
    outcome.done = true;
    outcome.notice = Notice{kUndoneText, kUndoCaption, kMbOk | kMbIconInformation};
    return outcome;
}

void ForgetImport() {
    if (g_last.available) FileDelete(UndoCopyName(g_last.userNumber).c_str());
    g_last = LastImport{};
}
