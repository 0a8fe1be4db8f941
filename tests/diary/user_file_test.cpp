// Creating, amending, saving and loading users: the files, the store and what
// each operation has to tell. The dialogs before and the windows after are
// the Win32 tests' (tests/diary/dialogs, tests/view).
#include "diary/user_file.h"

#include <cstdio>
#include <cstring>

#include "corelib/dbf.h"
#include "corelib/files.h"
#include "corelib/read_ahead.h"
#include "corelib/msgbox.h"
#include "diary/input_items.h"
#include "diary/users_table.h"
#include "user_fixture.h"

using namespace diarytest;

namespace {

class UserFile : public UserFileTest {
protected:
    // The registration dialog's part: the staging header of a new user.
    static void Register(const char* name) {
        StagingHeader() = UserHeader{};
        StagingHeader().formatMark = 'A';
        std::strcpy(StagingHeader().name, name);
        StagingHeader().age = 30;
        StagingHeader().height = 170.0;
        std::strcpy(StagingHeader().targetMessage, "夏までに");
    }
};

TEST_F(UserFile, CreateWritesAnEmptyFileTheRowAndTheItems) {
    Register("山田ソ表");
    PrepareNewUser();
    const UserOutcome created = CreateUser();
    ASSERT_TRUE(created.done);
    EXPECT_TRUE(created.notice.empty());

    Bytes file = Read("0.DAT");
    ASSERT_EQ(167u, file.size());
    UserHeader written;
    std::memcpy(&written, file.data(), sizeof written);
    EXPECT_EQ('A', written.formatMark);
    EXPECT_EQ(0, std::int32_t{written.userNumber});
    EXPECT_STREQ("山田ソ表", written.name);
    EXPECT_EQ(0u, std::uint32_t{written.recordCount});

    char row[kUsersRowLength + 1] = {};
    ASSERT_EQ(1, ReadDBFRecord(nullptr, kUsersTable, 0, row));
    char expected[kUsersRowLength + 1];
    FormatUsersRow(0, "山田ソ表", expected);
    EXPECT_STREQ(expected, row);
    EXPECT_EQ(0, std::memcmp(row, "    0", 5));

    EXPECT_EQ((Bytes{1, 0, 0, 0, 0, 0, 0}), Read("ITEM0.DAT"));
    EXPECT_TRUE(IsUserOpen());
    EXPECT_STREQ("山田ソ表", CurrentHeader().name);
    EXPECT_EQ(0u, DiaryRecordCount());
    EXPECT_EQ(0, std::int32_t{StagingHeader().userNumber});

    Register("二人目");
    ASSERT_TRUE(CreateUser().done);
    EXPECT_EQ(1, std::int32_t{CurrentHeader().userNumber});
    EXPECT_TRUE(Exists("1.DAT"));
}

TEST_F(UserFile, ANewUserPreparedButNotCreatedLeavesTheOpenUser) {
    int row = AddUser(0, "佐藤", Days({"20240101", "20240102"}));
    ASSERT_TRUE(LoadUser(row).done);
    InputItems() = InputItemFlags{{1, 1, 1, 0, 0, 0, 0}};
    Register("鈴木");
    PrepareNewUser();  // then the target dialog is cancelled: nothing is created
    EXPECT_STREQ("佐藤", CurrentHeader().name);
    EXPECT_EQ(2u, DiaryRecordCount());
    EXPECT_TRUE(SameInputItems(kNewUserItems, InputItems()));  // only the items (the registration gives them back)
    EXPECT_FALSE(Exists("1.DAT"));
    DbfInfo info = {};
    GetDBFInfo(kUsersTable, &info);
    EXPECT_EQ(1u, info.rowCount);
}

TEST_F(UserFile, NextNumberFillsTheFirstGap) {
    EXPECT_EQ(0, NextUserNumber(nullptr));
    AddRow(0, "a");
    AddRow(1, "b");
    AddRow(2, "c");
    EXPECT_EQ(3, NextUserNumber(nullptr));
    ASSERT_EQ(1, DeleteDBFNoRecord(nullptr, kUsersTable, 1));
    EXPECT_EQ(1, NextUserNumber(nullptr));
}

TEST_F(UserFile, NextNumberIgnoresNumbersOutsideTheFlagTable) {
    AddRow(99999, "too big");
    AddRow(-1, "negative");
    AddRow(65535, "just past");
    AddRow(0, "zero");
    EXPECT_EQ(1, NextUserNumber(nullptr));
    // A name that starts with digits does not lengthen the number before it.
    char row[kUsersRowLength + 1];
    FormatUsersRow(3, "7号", row);
    EXPECT_EQ(3, UserNumberOfRow(row));
    EXPECT_EQ(kNoUserNumber, UserNumberOfRow("     name"));
}

TEST_F(UserFile, TableWithWiderRowsIsReadWithinBounds) {
    // A users table rewritten by another tool with a wider name field.
    const DbfFieldSpec fields[] = {{kUsersNumberField, 'N', 5, 0}, {kUsersNameField, 'C', 200, 0}};
    ASSERT_EQ(1, CreateDBFTable(kUsersTable, fields, 2));
    std::string row = "    3" + std::string("森") + std::string(198, ' ');
    ASSERT_EQ(1, WriteDBFRecord(nullptr, kUsersTable, row.c_str(), kUsersNameField));
    UserHeader h = Header(3, "森");
    Write("3.DAT", FileImage(h, {}));
    EXPECT_EQ(0, NextUserNumber(nullptr));
    ASSERT_TRUE(LoadUser(0).done);
    EXPECT_EQ(3, std::int32_t{CurrentHeader().userNumber});
}

TEST_F(UserFile, SaveAndLoadRoundTripEveryByte) {
    Register("田中");
    PrepareNewUser();
    ASSERT_TRUE(CreateUser().done);
    std::vector<DailyRecord> days = Days({"20240301", "20240302", "20240310"});
    days[1].reservedA[7000] = 0x42;
    days[2].intakeParts[3] = 77;
    for (const DailyRecord& day : days) StoreDay(day);
    ASSERT_TRUE(SaveUser().done);
    EXPECT_EQ(167u + 3 * 15282u, Read("0.DAT").size());

    CloseUser();
    InputItems() = InputItemFlags{};
    const UserOutcome loaded = LoadUser(0);
    ASSERT_TRUE(loaded.done);
    ExpectStoreHolds(days);
    EXPECT_STREQ("田中", CurrentHeader().name);
    EXPECT_TRUE(loaded.restoreSelectors);  // first load of the run with records
    EXPECT_TRUE(SameInputItems(kNewUserItems, InputItems()));
    EXPECT_TRUE(loaded.notice.empty());
    EXPECT_TRUE(messages.empty());

    // A second load in the same run leaves the selectors alone.
    EXPECT_FALSE(LoadUser(0).restoreSelectors);
}

TEST_F(UserFile, MissingOrDamagedItemFileIsToldAndWrittenBackWithTheNewUsersChoice) {
    int row = AddUser(4, "高橋", Days({"20240101"}));
    const struct {
        const char* name;
        const char* told;
        Bytes file;  // empty: no file
        AtomicFailure failure;
    } cases[] = {
        {"missing", "入力項目の設定(ITEM4.DAT)が見つかりませんでした。", {}, AtomicFailure::kNone},
        {"short", "入力項目の設定(ITEM4.DAT)は壊れていました。", {1, 0}, AtomicFailure::kNone},
        {"long", "入力項目の設定(ITEM4.DAT)は壊れていました。", {1, 1, 1, 1, 1, 1, 1, 1}, AtomicFailure::kNone},
        {"a byte other than 0 and 1", "入力項目の設定(ITEM4.DAT)は壊れていました。", {1, 0, 2, 0, 0, 0, 0},
         AtomicFailure::kNone},
        {"text", "入力項目の設定(ITEM4.DAT)は壊れていました。", {'1', '0', '0', '0', '0', '0', '0'},
         AtomicFailure::kNone},
        {"missing and not writable", "入力項目の設定(ITEM4.DAT)が見つかりませんでした。", {}, AtomicFailure::kCreate},
    };
    for (const auto& item : cases) {
        SCOPED_TRACE(item.name);
        std::remove(sandbox->path("ITEM4.DAT").c_str());
        if (!item.file.empty()) Write("ITEM4.DAT", item.file);
        InputItems() = InputItemFlags{{1, 1, 1, 1, 1, 1, 1}};
        SetAtomicFailure(item.failure);
        const UserOutcome loaded = LoadUser(row);
        ASSERT_TRUE(loaded.done);
        EXPECT_EQ(0u, loaded.notice.text.find(item.told)) << loaded.notice.text;
        EXPECT_NE(std::string::npos, loaded.notice.text.find("体脂肪率だけを入力する設定にしました"));
        EXPECT_EQ(kDamagedCaption, loaded.notice.caption);
        // Only body fat: the target dialog offers a field for every item that is on.
        EXPECT_TRUE(SameInputItems(kNewUserItems, InputItems()));
        const bool written = item.failure == AtomicFailure::kNone;
        EXPECT_EQ(!written, loaded.notice.text.find("書き込めませんでした") != std::string::npos);
        if (written) {
            EXPECT_EQ((Bytes{1, 0, 0, 0, 0, 0, 0}), Read("ITEM4.DAT"));
            EXPECT_TRUE(LoadUser(row).notice.empty()) << "the next load is silent";
        } else {
            EXPECT_FALSE(Exists("ITEM4.DAT"));
        }
    }
    SetAtomicFailure(AtomicFailure::kNone);
}

TEST_F(UserFile, WholeLeftoverItemFileIsTaken) {
    int row = AddUser(4, "高橋", Days({"20240101"}));
    std::remove(sandbox->path("ITEM4.DAT").c_str());
    Write("ITEM4.DAT.new", Bytes{1, 0, 0, 1, 0, 0, 0});  // written whole, not yet renamed
    ASSERT_TRUE(LoadUser(row).done);
    EXPECT_EQ((Bytes{1, 0, 0, 1, 0, 0, 0}), Bytes(InputItems().on, InputItems().on + 7));
    EXPECT_FALSE(Exists("ITEM4.DAT.new"));
}

TEST_F(UserFile, FailedLoadKeepsThePreviousUser) {
    int first = AddUser(0, "伊藤", Days({"20240101", "20240102"}));
    int second = AddRow(1, "渡辺");  // its data file is missing
    ASSERT_TRUE(LoadUser(first).done);
    const UserOutcome failed = LoadUser(second);
    EXPECT_FALSE(failed.done);
    EXPECT_EQ(kReadFailedText, failed.notice.text);
    EXPECT_EQ("ペルモ", failed.notice.caption);
    EXPECT_EQ(kMbOk | kMbIconInformation, failed.notice.type);
    EXPECT_STREQ("伊藤", CurrentHeader().name);
    ExpectStoreHolds(Days({"20240101", "20240102"}));
    EXPECT_EQ(kReadFailedText, LoadUser(57).notice.text);  // no such row
}

// The days read ahead while the program starts are taken only for the very
// file the load opens, as it is then; otherwise the load reads the file.
TEST_F(UserFile, ReadAheadIsTakenOnlyForTheFileAsItIsAtTheLoad) {
    const std::vector<DailyRecord> first = Days({"20240101", "20240102"});
    const std::vector<DailyRecord> second = Days({"20240301", "20240302"});  // the same size
    enum Change { kUntouched, kSavedAgain, kCutShort, kOtherUserReadAhead };
    const struct {
        const char* what;
        Change change;
        std::vector<DailyRecord> loaded;
    } cases[] = {
        {"untouched", kUntouched, first},
        {"saved again as the program saves: a new file renamed over it", kSavedAgain, second},
        {"cut short after the read ahead", kCutShort, Days({"20240101"})},
        {"another user's file read ahead", kOtherUserReadAhead, first},
    };
    long number = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        CloseUser();
        const std::string file = std::to_string(number) + ".DAT";
        const int row = AddUser(number++, "佐藤", first);
        const int other = AddUser(number++, "鈴木", second);
        ReadUserAhead(c.change == kOtherUserReadAhead ? other : row);
        if (c.change == kSavedAgain) {
            UserHeader h = Header(number - 2, "佐藤");
            h.recordCount = 2;
            Write("new.tmp", FileImage(h, second));
            ASSERT_EQ(0, std::rename(sandbox->path("new.tmp").c_str(), sandbox->path(file).c_str()));
        } else if (c.change == kCutShort) {
            Bytes bytes = Read(file);
            bytes.resize(bytes.size() - 100);
            Write(file, bytes);
        }
        // Taken, the days need no block of the load's own.
        if (c.change == kUntouched) SetBlockResizeFunction([](void*, std::size_t) -> void* { return nullptr; });
        const UserOutcome outcome = LoadUser(row);
        SetBlockResizeFunction(nullptr);
        ASSERT_TRUE(outcome.done);
        ExpectStoreHolds(c.loaded);
        // The store grows as after any load.
        StoreDay(Days({"20250101"})[0]);
        EXPECT_EQ(c.loaded.size() + 1, DiaryRecordCount());
    }
    EndReadAhead();
}

TEST_F(UserFile, LoadTakesTheNumberFromTheTableNotTheHeader) {
    UserHeader h = Header(9, "中村");  // a header naming another user's file
    h.recordCount = 1;
    Write("2.DAT", FileImage(h, Days({"20240101"})));
    int row = AddRow(2, "中村");
    ASSERT_TRUE(LoadUser(row).done);
    EXPECT_EQ(2, std::int32_t{CurrentHeader().userNumber});
    ASSERT_TRUE(SaveUser().done);
    EXPECT_FALSE(Exists("9.DAT"));
}

TEST_F(UserFile, SaveNeedsAnOpenUser) {
    const UserOutcome saved = SaveUser();
    EXPECT_FALSE(saved.done);
    EXPECT_FALSE(Exists("0.DAT"));
    EXPECT_TRUE(saved.notice.empty());
}

TEST_F(UserFile, AmendRewritesTheHeaderAndKeepsTheDays) {
    std::vector<DailyRecord> days = Days({"20240101", "20240105"});
    int row = AddUser(3, "小林", days);
    ASSERT_TRUE(LoadUser(row).done);
    StagingHeader() = CurrentHeader();
    StagingHeader().age = 41;
    StagingHeader().height = 171.5;
    EXPECT_EQ(40, std::int32_t{CurrentHeader().age}) << "nothing is committed before AmendUser";

    ASSERT_TRUE(AmendUser().done);
    EXPECT_EQ(41, std::int32_t{CurrentHeader().age});
    UserHeader expected = CurrentHeader();
    EXPECT_EQ(FileImage(expected, days), Read("3.DAT"));
    EXPECT_EQ(2u, DiaryRecordCount());
}

TEST_F(UserFile, AmendWithoutAnOpenUserWritesNothing) {
    AddUser(0, "加藤", Days({"20240101"}));
    Bytes before = Read("0.DAT");
    StagingHeader() = UserHeader{};  // what the amend dialog copies from an empty header
    const UserOutcome refused = AmendUser();
    EXPECT_FALSE(refused.done);
    EXPECT_EQ(kNewUserCaption, refused.notice.caption);
    EXPECT_EQ(before, Read("0.DAT"));
}

TEST_F(UserFile, DeletingAUserTakesTheRowThenTheFileAndRefusesTheOpenOne) {
    AddUser(0, "山田", Days({"20240101"}));
    int hanako = AddUser(1, "山田花子", Days({"20240101"}));
    int sato = AddUser(2, "佐藤", Days({"20240101"}));
    EXPECT_EQ(sato, UserRowOfName("佐藤"));
    EXPECT_EQ(-1, UserRowOfName("佐"));
    ASSERT_TRUE(LoadUser(0).done);  // 山田 is open

    // 山田花子 begins with the open name: refused too, more than needed but never less.
    const UserDeletion refused = DeleteUserOfRow(hanako, "山田花子");
    EXPECT_FALSE(refused.deleted);
    EXPECT_EQ("山田さんは編集中のため削除できません。", refused.notice.text);
    EXPECT_EQ("ユーザー情報の削除", refused.notice.caption);
    EXPECT_TRUE(Exists("1.DAT"));

    SetAtomicFailure(AtomicFailure::kRename);
    const UserDeletion failed = DeleteUserOfRow(sato, "佐藤");
    EXPECT_FALSE(failed.deleted);
    EXPECT_EQ("佐藤さんのユーザー情報を削除できませんでした。", failed.notice.text);
    EXPECT_TRUE(Exists("2.DAT")) << "no file goes while its row stays";

    const UserDeletion deleted = DeleteUserOfRow(sato, "佐藤");
    EXPECT_TRUE(deleted.deleted);
    EXPECT_TRUE(deleted.notice.empty());
    EXPECT_FALSE(Exists("2.DAT"));
    EXPECT_EQ(-1, UserRowOfName("佐藤"));

    // A diary whose header lost its name (its row rebuilt as ユーザー4) is known by its number.
    Write("4.DAT", FileImage(Header(4, ""), {}));
    const int nameless = AddRow(4, "ユーザー4");
    ASSERT_TRUE(LoadUser(nameless).done);
    const UserDeletion open = DeleteUserOfRow(nameless, "ユーザー4");
    EXPECT_FALSE(open.deleted);
    EXPECT_EQ("ユーザー4さんは編集中のため削除できません。", open.notice.text);
    EXPECT_TRUE(Exists("4.DAT"));
    EXPECT_TRUE(messages.empty());
}

}  // namespace
