#include "diary/diary_store.h"

#include <cstring>

#include "corelib/msgbox.h"
#include "diary_fixture.h"

using namespace diarytest;

namespace {

void* NoMemory(void*, std::size_t) { return nullptr; }

class DiaryStoreTest : public DiaryTest {
protected:
    void SetUp() override {
        DiaryTest::SetUp();
        InstallHooks();
        log.listLines = 1;  // the blank line of an empty diary
        log.selected = 0;
    }
    // Stores the dates in the order given.
    static void StoreAll(std::initializer_list<const char*> dates) {
        for (const char* date : dates) ASSERT_GT(StoreDay(TestDay(date)), 0);
    }
    // Each record still carries the marks TestDay gave its date: nothing was torn.
    static void ExpectRecordsWhole() {
        for (std::uint32_t i = 0; i < DiaryRecordCount(); ++i) {
            DailyRecord expected = TestDay(DiaryRecords()[i].date, DiaryRecords()[i].weight);
            EXPECT_EQ(0, std::memcmp(&expected, &DiaryRecords()[i], sizeof expected)) << "record " << i;
        }
    }
};

TEST_F(DiaryStoreTest, InsertsInDateOrderAndReturnsPosition) {
    EXPECT_EQ(1, StoreDay(TestDay("20240510")));
    EXPECT_EQ(2, StoreDay(TestDay("20240520")));  // after all: appended
    EXPECT_EQ(1, StoreDay(TestDay("20240501")));  // before all: the others shift
    EXPECT_EQ(3, StoreDay(TestDay("20240515")));  // between
    EXPECT_EQ(1, StoreDay(TestDay("19991231")));
    EXPECT_EQ("19991231 20240501 20240510 20240515 20240520", StoredDates());
    EXPECT_EQ(5u, DiaryRecordCount());
    EXPECT_EQ(5u, std::uint32_t{CurrentHeader().recordCount});
    EXPECT_EQ(6, log.listLines);  // one "*" line per record plus the blank one
    ExpectRecordsWhole();
}

TEST_F(DiaryStoreTest, StoringAnExistingDateReplacesEveryByte) {
    StoreAll({"20240501", "20240502", "20240503"});
    DailyRecord changed = TestDay("20240502", 71.5);
    changed.reservedA[100] = 0xEE;
    changed.intakeTotal = 1900;
    EXPECT_EQ(2, StoreDay(changed));
    EXPECT_EQ(3u, DiaryRecordCount());
    EXPECT_EQ(4, log.listLines);
    EXPECT_EQ(0, std::memcmp(&changed, &DiaryRecords()[1], sizeof changed));
    // A record handed over from the block itself is stored onto itself.
    EXPECT_EQ(3, StoreDay(DiaryRecords()[2]));
    DailyRecord third = TestDay("20240503");
    EXPECT_EQ(0, std::memcmp(&third, &DiaryRecords()[2], sizeof third));
}

TEST_F(DiaryStoreTest, FindAndLastDay) {
    char last[9] = "xxxxxxxx";
    EXPECT_EQ(0, LastDayDate(last));
    EXPECT_EQ(kNoDay, FindDay("20240501"));
    StoreAll({"20240503", "20240501"});
    EXPECT_EQ(0, FindDay("20240501"));
    EXPECT_EQ(1, FindDay("20240503"));
    EXPECT_EQ(kNoDay, FindDay("20240502"));
    EXPECT_EQ(1, LastDayDate(last));
    EXPECT_STREQ("20240503", last);
}

TEST_F(DiaryStoreTest, DeleteAsksWithTheDateAndRemovesOnlyThatDay) {
    StoreAll({"20240501", "20240502", "20240503"});
    log.selected = 1;
    answer = kIdCancel;
    EXPECT_EQ(0, DeleteDay(nullptr));
    EXPECT_EQ(3u, DiaryRecordCount());
    ASSERT_EQ(1u, messages.size());
    EXPECT_EQ("「2024/05/02」の記録を削除します。\n\nよろしいですか？", messages[0].text);
    EXPECT_EQ("削除の確認", messages[0].caption);
    EXPECT_EQ(kMbOkCancel | kMbIconInformation, messages[0].type);

    answer = kIdOk;
    EXPECT_EQ(1, DeleteDay(nullptr));
    EXPECT_EQ("20240501 20240503", StoredDates());
    EXPECT_EQ(3, log.listLines);
    EXPECT_EQ(1, log.selected);  // the same index: now the next day
    ExpectRecordsWhole();
}

TEST_F(DiaryStoreTest, DeleteNeedsARecordOnTheSelectedLine) {
    StoreAll({"20240501"});
    log.selected = -1;
    EXPECT_EQ(0, DeleteDay(nullptr));
    log.selected = 1;  // the blank line for a new day
    EXPECT_EQ(0, DeleteDay(nullptr));
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(1u, DiaryRecordCount());
}

TEST_F(DiaryStoreTest, DeletingTheOnlyDayLeavesAnEmptyBlockAndTheBlankLine) {
    StoreAll({"20240501"});
    log.selected = 0;
    EXPECT_EQ(1, DeleteDay(nullptr));
    EXPECT_EQ(0u, DiaryRecordCount());
    EXPECT_EQ(nullptr, DiaryRecords());
    EXPECT_EQ(1, log.listLines);
    EXPECT_EQ(1, StoreDay(TestDay("20240601")));  // and it grows again from nothing
}

TEST_F(DiaryStoreTest, NoMemoryToGrowSaysSoAndChangesNothing) {
    StoreAll({"20240501", "20240503"});
    SetBlockResizeFunction(NoMemory);
    EXPECT_EQ(0, StoreDay(TestDay("20240502")));
    ASSERT_EQ(1u, messages.size());
    EXPECT_EQ(kOutOfMemoryStoreText, messages[0].text);
    EXPECT_EQ(kOutOfMemoryCaption, messages[0].caption);
    EXPECT_EQ("20240501 20240503", StoredDates());
    EXPECT_EQ(3, log.listLines);
    ExpectRecordsWhole();
    // Replacing needs no memory, and a smaller block that cannot be had is no loss.
    EXPECT_EQ(2, StoreDay(TestDay("20240503", 80.0)));
    log.selected = 0;
    EXPECT_EQ(1, DeleteDay(nullptr));
    EXPECT_EQ("20240503", StoredDates());
    EXPECT_EQ(80.0, double{DiaryRecords()[0].weight});
}

TEST_F(DiaryStoreTest, WorksWithoutWindows) {
    SetDiaryWindowHooks(nullptr);
    EXPECT_EQ(1, StoreDay(TestDay("20240501")));
    EXPECT_EQ(0, DeleteDay(nullptr));  // no record list: no selection
    EXPECT_EQ(1, DeleteDayAt(nullptr, 0));
    EXPECT_EQ(0u, DiaryRecordCount());
}

TEST_F(DiaryStoreTest, HeaderDetailsNeverChangeTheCount) {
    StoreAll({"20240501", "20240502"});
    UserHeader details = {};
    details.recordCount = 99;
    details.targetWeight = 55.0;
    SetCurrentHeaderDetails(details);
    EXPECT_EQ(2u, DiaryRecordCount());
    EXPECT_EQ(55.0, double{CurrentHeader().targetWeight});
}

}  // namespace
