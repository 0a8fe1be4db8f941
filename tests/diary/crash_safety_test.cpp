// A save that fails at any of its steps, or a program that dies in the middle
// of one, leaves the old diary whole or the new one whole, never a mix.
#include <cstring>

#include "corelib/dbf.h"
#include "corelib/files.h"
#include "corelib/msgbox.h"
#include "diary/user_file.h"
#include "diary/users_table.h"
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
        ASSERT_EQ(1, LoadUser(nullptr, row));
        ASSERT_GT(StoreDay(TestDay("20231231")), 0);  // a change not yet saved
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
        messages.clear();
        ASSERT_EQ(1, LoadUser(nullptr, row));
        ExpectStoreHolds(oldDays);
        EXPECT_TRUE(messages.empty());  // nothing damaged
        EXPECT_FALSE(Exists("5.DAT.new"));
    }

    std::vector<DailyRecord> oldDays;
    Bytes oldFile;
    int row = 0;
};

TEST_F(CrashSafety, SaveFailingAtEachStepKeepsTheOldFile) {
    for (const Step& step : kSteps) {
        ASSERT_EQ(1, LoadUser(nullptr, row));
        ASSERT_GT(StoreDay(TestDay("20231231")), 0);
        messages.clear();
        SetAtomicFailure(step.failure);
        EXPECT_EQ(0, SaveUser(nullptr)) << step.name;
        ASSERT_EQ(1u, messages.size()) << step.name;
        EXPECT_EQ(kWriteFailedText, messages[0].text);
        EXPECT_EQ(4u, DiaryRecordCount()) << "memory keeps the change: " << step.name;
        ExpectOldDiaryOnNextRun(step.name);
    }
    // And once nothing fails, the new diary is there whole.
    ASSERT_GT(StoreDay(TestDay("20231231")), 0);
    ASSERT_EQ(1, SaveUser(nullptr));
    std::vector<DailyRecord> newDays = Days({"20231231", "20240101", "20240102", "20240103"});
    UserHeader h = CurrentHeader();
    EXPECT_EQ(FileImage(h, newDays), Read("5.DAT"));
}

TEST_F(CrashSafety, AmendFailingAtEachStepKeepsTheOldFile) {
    InstallHooks();
    for (const Step& step : kSteps) {
        ASSERT_EQ(1, LoadUser(nullptr, row));
        StagingHeader() = CurrentHeader();
        StagingHeader().age = 77;
        messages.clear();
        SetAtomicFailure(step.failure);
        EXPECT_EQ(0, AmendUser(nullptr)) << step.name;
        ASSERT_EQ(1u, messages.size()) << step.name;
        EXPECT_EQ(kWriteFailedText, messages[0].text);
        EXPECT_EQ(kNewUserCaption, messages[0].caption);
        EXPECT_EQ(40, std::int32_t{CurrentHeader().age}) << "not committed: " << step.name;
        ExpectOldDiaryOnNextRun(step.name);
    }
}

TEST_F(CrashSafety, CreateFailingAtEachStepLeavesNoHalfUser) {
    InstallHooks();
    for (const Step& step : kSteps) {
        SCOPED_TRACE(step.name);
        StagingHeader() = UserHeader{};
        std::strcpy(StagingHeader().name, "新人");
        messages.clear();
        SetAtomicFailure(step.failure);
        EXPECT_EQ(0, CreateUser(nullptr));
        ASSERT_EQ(1u, messages.size());
        EXPECT_EQ(kCreateFailedText, messages[0].text);
        EXPECT_EQ(kNewUserCaption, messages[0].caption);
        DbfInfo info = {};
        ASSERT_EQ(1, GetDBFInfo(kUsersTable, &info));
        EXPECT_EQ(1u, info.rowCount) << "no row for a user without a file";
        EXPECT_FALSE(Exists("0.DAT"));
        EXPECT_STREQ("山本", CurrentHeader().name);
    }
}

TEST_F(CrashSafety, CompleteLeftoverIsTakenWhenTheOldFileIsGone) {
    SetAtomicFailure(AtomicFailure::kCrashBeforeRename);
    EXPECT_EQ(0, SaveUser(nullptr));
    ASSERT_TRUE(Exists("5.DAT.new"));
    std::remove(sandbox->path("5.DAT").c_str());
    CloseUser();
    messages.clear();
    ASSERT_EQ(1, LoadUser(nullptr, row));
    ExpectStoreHolds(Days({"20231231", "20240101", "20240102", "20240103"}));
    EXPECT_TRUE(messages.empty());
    EXPECT_FALSE(Exists("5.DAT.new"));
}

TEST_F(CrashSafety, PartialLeftoverIsNeverTaken) {
    SetAtomicFailure(AtomicFailure::kCrashMidWrite);
    EXPECT_EQ(0, SaveUser(nullptr));
    ASSERT_TRUE(Exists("5.DAT.new"));
    std::remove(sandbox->path("5.DAT").c_str());
    CloseUser();
    messages.clear();
    EXPECT_EQ(0, LoadUser(nullptr, row));  // nothing whole to open
    EXPECT_FALSE(Exists("5.DAT.new"));
}

}  // namespace
