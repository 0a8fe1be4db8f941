// A save that fails at any of its steps, or a program that dies in the middle
// of one, leaves the old diary whole or the new one whole, never a mix; every
// other write that mends or deletes fails without losing anything, and says so.
#include <cstring>
#include <functional>

#include "corelib/dbf.h"
#include "corelib/files.h"
#include "corelib/msgbox.h"
#include "diary/user_file.h"
#include "diary/users_table.h"
#include "diary/users_table_repair.h"
#include "user_fixture.h"

using namespace diarytest;

namespace {

struct Step {
    AtomicFailure failure;
    const char* name;
};

const Step kSteps[] = {
    {AtomicFailure::kCreate, "create"},
    {AtomicFailure::kWrite, "short write"},
    {AtomicFailure::kFlush, "flush"},
    {AtomicFailure::kClose, "close"},
    {AtomicFailure::kRename, "rename"},
    {AtomicFailure::kCrashMidWrite, "death while writing"},
    {AtomicFailure::kCrashBeforeRename, "death before the rename"},
};

class CrashSafety : public UserFileTest {
protected:
    void SetUp() override {
        UserFileTest::SetUp();
        oldDays = Days({"20240101", "20240102", "20240103"});
        row = AddUser(5, "山本", oldDays);
        oldFile = Read("5.DAT");
        ASSERT_TRUE(LoadUser(row).done);
        ASSERT_GT(StoreDay(TestDay("20231231")).position, 0);  // a change not yet saved
    }
    void TearDown() override {
        SetAtomicFailure(AtomicFailure::kNone);
        UserFileTest::TearDown();
    }
    // The next run opens the user: it sees the old diary, whole, and no leftover.
    void ExpectOldDiaryOnNextRun(const char* step) {
        SCOPED_TRACE(step);
        EXPECT_EQ(oldFile, Read("5.DAT"));
        CloseUser();
        const UserOutcome loaded = LoadUser(row);
        ASSERT_TRUE(loaded.done);
        ExpectStoreHolds(oldDays);
        EXPECT_TRUE(loaded.notice.empty());  // nothing damaged
        EXPECT_FALSE(Exists("5.DAT.new"));
    }

    std::vector<DailyRecord> oldDays;
    Bytes oldFile;
    int row = 0;
};

TEST_F(CrashSafety, SaveFailingAtEachStepKeepsTheOldFile) {
    for (const Step& step : kSteps) {
        ASSERT_TRUE(LoadUser(row).done);
        ASSERT_GT(StoreDay(TestDay("20231231")).position, 0);
        SetAtomicFailure(step.failure);
        const UserOutcome saved = SaveUser();
        EXPECT_FALSE(saved.done) << step.name;
        EXPECT_EQ(kWriteFailedText, saved.notice.text) << step.name;
        EXPECT_EQ(4u, DiaryRecordCount()) << "memory keeps the change: " << step.name;
        ExpectOldDiaryOnNextRun(step.name);
    }
    // And once nothing fails, the new diary is there whole.
    ASSERT_GT(StoreDay(TestDay("20231231")).position, 0);
    ASSERT_TRUE(SaveUser().done);
    std::vector<DailyRecord> newDays = Days({"20231231", "20240101", "20240102", "20240103"});
    UserHeader h = CurrentHeader();
    EXPECT_EQ(FileImage(h, newDays), Read("5.DAT"));
}

TEST_F(CrashSafety, AmendFailingAtEachStepKeepsTheOldFile) {
    for (const Step& step : kSteps) {
        ASSERT_TRUE(LoadUser(row).done);
        StagingHeader() = CurrentHeader();
        StagingHeader().age = 77;
        SetAtomicFailure(step.failure);
        const UserOutcome amended = AmendUser();
        EXPECT_FALSE(amended.done) << step.name;
        EXPECT_EQ(kWriteFailedText, amended.notice.text) << step.name;
        EXPECT_EQ(kNewUserCaption, amended.notice.caption);
        EXPECT_EQ(40, std::int32_t{CurrentHeader().age}) << "not committed: " << step.name;
        ExpectOldDiaryOnNextRun(step.name);
    }
}

TEST_F(CrashSafety, CreateFailingAtEachStepLeavesNoHalfUser) {
    for (const Step& step : kSteps) {
        SCOPED_TRACE(step.name);
        StagingHeader() = UserHeader{};
        std::strcpy(StagingHeader().name, "新人");
        SetAtomicFailure(step.failure);
        const UserOutcome created = CreateUser();
        EXPECT_FALSE(created.done);
        EXPECT_EQ(kCreateFailedText, created.notice.text);
        EXPECT_EQ(kNewUserCaption, created.notice.caption);
        DbfInfo info = {};
        ASSERT_EQ(1, GetDBFInfo(kUsersTable, &info));
        EXPECT_EQ(1u, info.rowCount) << "no row for a user without a file";
        EXPECT_FALSE(Exists("0.DAT"));
        EXPECT_STREQ("山本", CurrentHeader().name);
    }
}

TEST_F(CrashSafety, CompleteLeftoverIsTakenWhenTheOldFileIsGone) {
    SetAtomicFailure(AtomicFailure::kCrashBeforeRename);
    EXPECT_FALSE(SaveUser().done);
    ASSERT_TRUE(Exists("5.DAT.new"));
    std::remove(sandbox->path("5.DAT").c_str());
    CloseUser();
    const UserOutcome loaded = LoadUser(row);
    ASSERT_TRUE(loaded.done);
    ExpectStoreHolds(Days({"20231231", "20240101", "20240102", "20240103"}));
    EXPECT_TRUE(loaded.notice.empty());
    EXPECT_FALSE(Exists("5.DAT.new"));
}

TEST_F(CrashSafety, PartialLeftoverIsNeverTaken) {
    SetAtomicFailure(AtomicFailure::kCrashMidWrite);
    EXPECT_FALSE(SaveUser().done);
    ASSERT_TRUE(Exists("5.DAT.new"));
    std::remove(sandbox->path("5.DAT").c_str());
    CloseUser();
    EXPECT_FALSE(LoadUser(row).done);  // nothing whole to open
    EXPECT_FALSE(Exists("5.DAT.new"));
}

// The writes besides the save, each failing at each of its steps (not dying):
// the copy of a damaged data file or users table, and deleting a user's row.
TEST_F(CrashSafety, EveryOtherWriteFailsWithoutLoss) {
    const int kimura = AddUser(7, "木村", Days({"20240101"}));
    Bytes damagedDiary = Read("7.DAT");
    damagedDiary.resize(damagedDiary.size() - 100);  // its only day cut
    Write("7.DAT", damagedDiary);
    const int kinoshita = AddUser(0, "木下", Days({"20240101"}));
    const Bytes kinoshitaFile = Read("0.DAT");
    const Bytes table = Read(kUsersTable);
    Bytes damagedTable = table;
    damagedTable[4] = 1;  // counts one row of three

    const struct {
        const char* name;
        std::function<void()> run;  // fails at the injected step, loses nothing, tells
    } sites[] = {
        {"copy of a damaged data file",
         [&] {
             const UserOutcome refused = LoadUser(kimura);
             EXPECT_FALSE(refused.done);
             EXPECT_NE(std::string::npos, refused.notice.text.find("控えを作れなかった")) << refused.notice.text;
             EXPECT_STREQ("山本", CurrentHeader().name);
             EXPECT_EQ(4u, DiaryRecordCount());
             EXPECT_EQ(damagedDiary, Read("7.DAT"));
         }},
        {"copy of a damaged users table",
         [&] {
             Write(kUsersTable, damagedTable);
             const UsersTableRepair repair = SettleUsersTable();
             EXPECT_FALSE(repair.rebuilt);
             EXPECT_NE(std::string::npos, repair.notice.text.find("控えを作れなかったため、作り直しを中止しました"));
             EXPECT_EQ(damagedTable, Read(kUsersTable));
             Write(kUsersTable, table);
         }},
        {"users-table row of a deleted user",
         [&] {
             const UserDeletion refused = DeleteUserOfRow(kinoshita, "木下");
             EXPECT_FALSE(refused.deleted);
             EXPECT_EQ("木下さんのユーザー情報を削除できませんでした。", refused.notice.text);
             EXPECT_EQ(table, Read(kUsersTable));
             EXPECT_EQ(kinoshitaFile, Read("0.DAT"));
         }},
    };
    for (const auto& site : sites) {
        for (const Step& step : kSteps) {
            if (step.failure == AtomicFailure::kCrashMidWrite || step.failure == AtomicFailure::kCrashBeforeRename)
                continue;
            SCOPED_TRACE(std::string(site.name) + ", " + step.name);
            SetAtomicFailure(step.failure);
            site.run();
            SetAtomicFailure(AtomicFailure::kNone);
            EXPECT_FALSE(Exists(std::string(kUsersTable) + ".new"));
            for (const std::string& name : Files()) EXPECT_EQ(std::string::npos, name.find(".damaged-")) << name;
        }
    }

    // The data file of a deleted user that cannot be deleted stays, and is said to.
    SetAtomicFailure(AtomicFailure::kDelete);
    const UserDeletion deleted = DeleteUserOfRow(kinoshita, "木下");
    EXPECT_TRUE(deleted.deleted);
    EXPECT_EQ("木下さんのユーザー情報を削除しましたが、ユーザーデータ「0.DAT」は削除できませんでした。\n\n"
              "このファイルは同じフォルダーに残っています。",
              deleted.notice.text);
    EXPECT_EQ("ユーザー情報の削除", deleted.notice.caption);
    EXPECT_EQ(-1, UserRowOfName("木下"));
    EXPECT_EQ(kinoshitaFile, Read("0.DAT"));
    EXPECT_EQ(1, NextUserNumber(nullptr)) << "a file that stayed is nobody's to take over";
    EXPECT_FALSE(Exists(std::string(kUsersTable) + ".new"));
}

}  // namespace
