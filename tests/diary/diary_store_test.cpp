#include "diary/diary_store.h"

#include <cstring>
#include <utility>

#include "corelib/msgbox.h"
#include "diary_fixture.h"

using namespace diarytest;

namespace {

void* NoMemory(void*, std::size_t) { return nullptr; }

class DiaryStoreTest : public DiaryTest {
protected:
    // Stores the dates in the order given.
    static void StoreAll(std::initializer_list<const char*> dates) {
        for (const char* date : dates) ASSERT_GT(StoreDay(TestDay(date)).position, 0);
    }
    // The position a day was stored at, and whether it was new (a line for the record list).
    static std::pair<long, bool> Store(const DailyRecord& day) {
        const StoreOutcome stored = StoreDay(day);
        EXPECT_TRUE(stored.notice.empty());
        return {stored.position, stored.inserted};
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
    using Stored = std::pair<long, bool>;
    EXPECT_EQ(Stored(1, true), Store(TestDay("20240510")));
    EXPECT_EQ(Stored(2, true), Store(TestDay("20240520")));  // after all: appended
    EXPECT_EQ(Stored(1, true), Store(TestDay("20240501")));  // before all: the others shift
    EXPECT_EQ(Stored(3, true), Store(TestDay("20240515")));  // between
    EXPECT_EQ(Stored(1, true), Store(TestDay("19991231")));  // every one a new line of the record list
    EXPECT_EQ("19991231 20240501 20240510 20240515 20240520", StoredDates());
    EXPECT_EQ(5u, DiaryRecordCount());
    EXPECT_EQ(5u, std::uint32_t{CurrentHeader().recordCount});
    ExpectRecordsWhole();
}

TEST_F(DiaryStoreTest, StoringAnExistingDateReplacesEveryByte) {
    StoreAll({"20240501", "20240502", "20240503"});
    DailyRecord changed = TestDay("20240502", 71.5);
    changed.reservedA[100] = 0xEE;
    changed.intakeTotal = 1900;
    EXPECT_EQ(std::make_pair(2L, false), Store(changed));  // no new line
    EXPECT_EQ(3u, DiaryRecordCount());
    EXPECT_EQ(0, std::memcmp(&changed, &DiaryRecords()[1], sizeof changed));
    // A record handed over from the block itself is stored onto itself.
    EXPECT_EQ(std::make_pair(3L, false), Store(DiaryRecords()[2]));
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
    const Notice question = DeleteDayQuestion(1);
    EXPECT_EQ("「2024/05/02」の記録を削除します。\n\nよろしいですか？", question.text);
    EXPECT_EQ("削除の確認", question.caption);
    EXPECT_EQ(kMbOkCancel | kMbIconInformation, question.type);
    EXPECT_EQ(3u, DiaryRecordCount()) << "asking deletes nothing";

    EXPECT_EQ(1, DeleteDay(1));
    EXPECT_EQ("20240501 20240503", StoredDates());
    ExpectRecordsWhole();
}

TEST_F(DiaryStoreTest, DeleteNeedsARecordAtTheIndex) {
    StoreAll({"20240501"});
    EXPECT_TRUE(DeleteDayQuestion(1).empty());  // the blank line for a new day
    EXPECT_EQ(0, DeleteDay(1));
    EXPECT_EQ(1u, DiaryRecordCount());
}

TEST_F(DiaryStoreTest, DeletingTheOnlyDayLeavesAnEmptyBlock) {
    StoreAll({"20240501"});
    EXPECT_EQ(1, DeleteDay(0));
    EXPECT_EQ(0u, DiaryRecordCount());
    EXPECT_EQ(nullptr, DiaryRecords());
    EXPECT_EQ(1, StoreDay(TestDay("20240601")).position);  // and it grows again from nothing
}

TEST_F(DiaryStoreTest, NoMemoryToGrowSaysSoAndChangesNothing) {
    StoreAll({"20240501", "20240503"});
    SetBlockResizeFunction(NoMemory);
    const StoreOutcome refused = StoreDay(TestDay("20240502"));
    EXPECT_EQ(0, refused.position);
    EXPECT_FALSE(refused.inserted);
    EXPECT_EQ(kOutOfMemoryStoreText, refused.notice.text);
    EXPECT_EQ(kOutOfMemoryCaption, refused.notice.caption);
    EXPECT_EQ(kMbOk | kMbIconExclamation, refused.notice.type);
    EXPECT_EQ("20240501 20240503", StoredDates());
    ExpectRecordsWhole();
    // Replacing needs no memory, and a smaller block that cannot be had is no loss.
    EXPECT_EQ(2, StoreDay(TestDay("20240503", 80.0)).position);
    EXPECT_EQ(1, DeleteDay(0));
    EXPECT_EQ("20240503", StoredDates());
    EXPECT_EQ(80.0, double{DiaryRecords()[0].weight});
    EXPECT_TRUE(messages.empty()) << "the store tells through its outcome, never in a box of its own";
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
