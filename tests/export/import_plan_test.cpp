// The import into an open user's diary: the preview's counts, the days
// stored in one step and the file written once, the undo, an import whose
// save fails, and the round trips of the CSV export and of the clipboard
// text back to the very days they came from.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "corelib/files.h"
#include "diary/diary_store.h"
#include "diary/record_texts.h"
#include "diary/user_file.h"
#include "diary/user_fixture.h"
#include "evaluation/bmi.h"
#include "export/csv_export.h"
#include "export/day_table.h"
#include "export/import_plan.h"
#include "export/records_text.h"

namespace {

class ImportPlanTest : public UserFileTest {
protected:
    void TearDown() override {
        ForgetImport();
        UserFileTest::TearDown();
    }
    // Opens user 7 with these days.
    void Open(const std::vector<DailyRecord>& days) {
        int row = AddUser(7, "読込　花子", days);
        ASSERT_TRUE(LoadUser(row).done);
    }
    static std::vector<DailyRecord> Store() {
        return std::vector<DailyRecord>(DiaryRecords(), DiaryRecords() + DiaryRecordCount());
    }
    ImportOutcome Import(const std::string& text, ExistingDay existing, ImportPlan* planOut = nullptr) {
        const DayTable table = ReadDayTable(text);
        const ImportPlan plan = PlanImport(table, WeightUnit::kKg, DiaryRecords(), DiaryRecordCount());
        if (planOut) *planOut = plan;
        return ApplyImport(plan, existing);
    }
    // The data file holds what memory holds.
    void ExpectFileIsStore() {
        const Bytes file = Read("7.DAT");
        UserHeader header = CurrentHeader();
        header.recordCount = DiaryRecordCount();
        EXPECT_EQ(file, FileImage(header, Store()));
        EXPECT_FALSE(HasUnsavedChanges());
    }
};

bool SameRecords(const std::vector<DailyRecord>& a, const std::vector<DailyRecord>& b) {
    return a.size() == b.size() && (a.empty() || std::memcmp(a.data(), b.data(), a.size() * sizeof(DailyRecord)) == 0);
}

TEST_F(ImportPlanTest, CountsStoreInDateOrderWriteOnceAndUndo) {
    const std::vector<DailyRecord> before = {TestDay("20240502", 64.0), TestDay("20240504", 66.0)};
    Open(before);
    // 05/02 differs only in weight; 05/04 is the diary's own; 05/01 and 05/03 are new.
    const std::string text = "日付,体重,日記\n2024/05/04,66.0,20240504 の日記\n2024/05/02,63.0,\n"
                             "2024/05/03,65.0,新しい日\n2024/05/01,62.0,\nきのう,1\n";
    ImportPlan plan;
    ImportOutcome kept = Import(text, ExistingDay::kKeepDiary, &plan);
    EXPECT_EQ(plan.newDays, 2);
    EXPECT_EQ(plan.differentDays, 1);
    EXPECT_EQ(plan.sameDays, 1);
    ASSERT_EQ(plan.refused.size(), 1u);
    EXPECT_EQ(plan.refused[0].line, 6);
    ASSERT_TRUE(kept.done);
    EXPECT_EQ(kept.stored, 2);
    EXPECT_EQ(kept.notice.text, "2 日分の記録を読み込みました。\n(新しい日 2 日、値を変えた日 0 日)");
    EXPECT_EQ(StoredDates(), "20240501 20240502 20240503 20240504");
    EXPECT_EQ(+DiaryRecords()[1].weight, 64.0);  // the diary's value was kept
    EXPECT_EQ(+DiaryRecords()[0].bmi, BmiOfWeight(62.0, 160.0));
    EXPECT_STREQ(DiaryRecords()[2].diary, "新しい日");
    ExpectFileIsStore();
    EXPECT_TRUE(Exists(UndoCopyName(7)));

    // Taking the file's values: only what the file holds changes.
    ImportOutcome taken = Import(text, ExistingDay::kTakeFile);
    ASSERT_TRUE(taken.done);
    EXPECT_EQ(taken.stored, 1);
    const DailyRecord& changed = DiaryRecords()[1];
    EXPECT_EQ(+changed.weight, 63.0);
    EXPECT_STREQ(changed.diary, "20240502 の日記");  // an empty cell keeps the diary's text
    EXPECT_EQ(changed.reservedA[0], '2');              // the blocks this program does not show stay
    ExpectFileIsStore();

    // The undo goes back to the diary before the last import only.
    ASSERT_TRUE(CanUndoImport());
    EXPECT_EQ(UndoImportQuestion().text,
              "最後の読み込みで加えた 0 日と値を変えた 1 日を取り消して、読み込む前の日記に戻します。\n\nよろしいですか？");
    ImportOutcome undone = UndoImport();
    ASSERT_TRUE(undone.done);
    EXPECT_EQ(+DiaryRecords()[1].weight, 64.0);
    EXPECT_EQ(DiaryRecordCount(), 4u);
    ExpectFileIsStore();
    EXPECT_FALSE(CanUndoImport());
    EXPECT_FALSE(Exists(UndoCopyName(7)));
    EXPECT_EQ(UndoImport().notice.text, kNothingToUndoText);
}

TEST_F(ImportPlanTest, NewTargetsKeepTheUndoTheNextStoredDayEndsIt) {
    Open({TestDay("20240502")});
    ASSERT_TRUE(Import("2024/05/01,60\n", ExistingDay::kKeepDiary).done);
    UserHeader header = CurrentHeader();
    header.targetWeight = 50.0;
    SetCurrentHeaderDetails(header);
    ASSERT_TRUE(SaveUser().done);
    ASSERT_TRUE(CanUndoImport());
    ASSERT_TRUE(UndoImport().done);
    EXPECT_EQ(StoredDates(), "20240502");
    EXPECT_EQ(+CurrentHeader().targetWeight, 50.0);
    ExpectFileIsStore();

    ASSERT_TRUE(Import("2024/05/01,60\n", ExistingDay::kKeepDiary).done);
    EXPECT_TRUE(CanUndoImport());
    StoreDay(TestDay("20240503"));
    EXPECT_FALSE(CanUndoImport());  // stored, not yet written
    ASSERT_TRUE(SaveUser().done);
    EXPECT_FALSE(CanUndoImport());
    EXPECT_EQ(StoredDates(), "20240501 20240502 20240503");
}

TEST_F(ImportPlanTest, AFailedSaveLeavesTheDiaryAsItWasAndSaysSo) {
    const std::vector<DailyRecord> before = {TestDay("20240502")};
    Open(before);
    const Bytes file = Read("7.DAT");
    // Where the new data file would be written stands a folder: the save fails.
    ASSERT_EQ(mkdir(sandbox->path("7.DAT.new").c_str(), 0700), 0);
    ImportOutcome failed = Import("2024/05/01,60\n2024/05/02,61\n", ExistingDay::kTakeFile);
    EXPECT_FALSE(failed.done);
    EXPECT_EQ(failed.notice.text, kImportSaveFailedText);
    EXPECT_TRUE(SameRecords(Store(), before));
    EXPECT_EQ(Read("7.DAT"), file);
    EXPECT_FALSE(HasUnsavedChanges());
    EXPECT_FALSE(CanUndoImport());
    EXPECT_FALSE(Exists(UndoCopyName(7)));
    rmdir(sandbox->path("7.DAT.new").c_str());

    // The copy for the undo cannot be written: nothing at all changes.
    SetAtomicFailure(AtomicFailure::kCreate);
    failed = Import("2024/05/01,60\n", ExistingDay::kKeepDiary);
    EXPECT_FALSE(failed.done);
    EXPECT_EQ(failed.notice.text, kUndoCopyFailedText);
    EXPECT_TRUE(SameRecords(Store(), before));
    EXPECT_EQ(Read("7.DAT"), file);
}

// Every quantity, texts with commas, quotes, line breaks and a full-width
// tilde, in both encodings of the export and in the clipboard text.
TEST_F(ImportPlanTest, ExportAndClipboardTextReadBackToTheSameDays) {
    std::vector<DailyRecord> days;
    const char* diaries[] = {"", "朝,晴れ", "\"よし\"\r\n二行目～", "表ソ\\"};
    for (int i = 0; i < 4; ++i) {
        char date[9];
        std::snprintf(date, sizeof date, "202312%02d", 29 + i > 31 ? i - 2 : 29 + i);
        if (i >= 3) std::memcpy(date, "20240101", 8);
        DailyRecord day = {};
        std::memcpy(day.date, date, kDateLength);
        day.weight = 60.0 + i * 0.3;
        day.bodyFat = i ? 20.0 + i * 0.1 : 0;
        day.temperature = i ? 36.5 : 0;
        day.condition = static_cast<std::uint8_t>(i);
        day.sleep = 400 + i;
        day.steps = 8000u + i;
        day.intakeTotal = 1800u + i;
        day.exercise = static_cast<std::uint32_t>(i * 100);
        SetDiaryText(day, diaries[i]);
        days.push_back(day);
    }
    UserHeader header = Header(7, "往復");
    const InputItemFlags everything = {{1, 1, 1, 1, 1, 1, 1}};
    const std::string text = CsvText(days.data(), 4, header, everything, TrendColumn{60.0, NAN, 60.5, 60.7});
    EXPECT_EQ(text.substr(0, text.find("\r\n")),
              "日付,体重(kg),体脂肪率(%),体温(℃),体調,睡眠(分),歩数,摂取カロリー(kcal),運動(kcal),ＢＭＩ,判定,"
              "体重トレンド(kg),日記");
    EXPECT_NE(text.find("2023/12/30,60.3,20.1,36.5,1,401,8001,1801,100,23.6,普通体重,,\"朝,晴れ\"\r\n"), std::string::npos);
    for (CsvEncoding encoding : {CsvEncoding::kUtf8, CsvEncoding::kShiftJis}) {
        SCOPED_TRACE(encoding == CsvEncoding::kUtf8 ? "UTF-8" : "Shift-JIS");
        Open({});
        ASSERT_TRUE(Import(CsvFileBytes(text, encoding), ExistingDay::kKeepDiary).done);
        ASSERT_EQ(DiaryRecordCount(), 4u);
        for (std::uint32_t i = 0; i < 4; ++i) {
            DailyRecord expected = days[i];
            expected.bmi = BmiOfWeight(expected.weight, 160.0);
            EXPECT_EQ(std::memcmp(&DiaryRecords()[i], &expected, sizeof expected), 0) << "day " << i;
        }
        ForgetImport();
        CloseUser();
        FileDelete("7.DAT");
    }
    // "まとめてコピー": date, weight and body fat come back.
    Open({});
    ASSERT_TRUE(Import(RecordsText(days.data(), 4, header), ExistingDay::kKeepDiary).done);
    ASSERT_EQ(DiaryRecordCount(), 4u);
    for (std::uint32_t i = 0; i < 4; ++i) {
        EXPECT_EQ(std::memcmp(DiaryRecords()[i].date, days[i].date, kDateLength), 0);
        EXPECT_EQ(+DiaryRecords()[i].weight, +days[i].weight);
        EXPECT_EQ(+DiaryRecords()[i].bodyFat, +days[i].bodyFat);
    }
}

}  // namespace
