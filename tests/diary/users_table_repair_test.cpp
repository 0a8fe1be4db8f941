// A users table that cannot be read whole, or that is gone while diaries
// remain, is named to the person, copied aside and rebuilt from the data
// files before anything reads it; until then no new user may take a number.
// A diary that no row of a whole table names is added back at start.
#include "diary/users_table_repair.h"

#include <cstdio>
#include <functional>
#include <map>
#include <utility>

#include "corelib/dbf.h"
#include "diary/input_items.h"
#include "diary/user_file.h"
#include "diary/users_table.h"
#include "user_fixture.h"

namespace {

using UsersTableRepairTest = UserFileTest;

std::string UsersRow(int row) {
    char text[kUsersRowLength + 1] = {};
    return ReadUsersRow(nullptr, row, text) ? text : "(none)";
}

TEST_F(UsersTableRepairTest, DamagedOrLostTableIsToldCopiedAndRebuiltFromTheDataFiles) {
    const struct {
        const char* name;
        std::function<void(Bytes&)> damage;  // null: the table is gone
    } damages[] = {
        {"record count lowered", [](Bytes& b) { b[4] = 2; }},
        {"last row cut", [](Bytes& b) { b.resize(b.size() - 20); }},
        {"header length changed", [](Bytes& b) { b[8] = static_cast<unsigned char>(b[8] + 32); }},
        {"header length one more", [](Bytes& b) { b[8] = static_cast<unsigned char>(b[8] + 1); }},
        {"header cut", [](Bytes& b) { b.resize(20); }},
        {"record length wrong", [](Bytes& b) { b[10] = static_cast<unsigned char>(b[10] - 1); }},
        {"table gone", nullptr},
    };
    // Three users in the table; two more diaries without a row: one with the
    // name of another, one whose header was cut. Files that are no diaries beside them.
    AddUser(0, "一郎", Days({"20240101"}));
    AddUser(1, "二郎", Days({"20240101", "20240102"}));
    AddUser(2, "三郎", {});
    Write("4.DAT", FileImage(Header(4, "一郎"), {}));
    Write("5.DAT", Bytes(60, 0));
    for (const char* other : {"ITEM3.DAT", "007.DAT", "3.DAT.damaged-20240101-000000", "3.BAK"})
        Write(other, Bytes{1, 2, 3});
    const Bytes sound = Read(kUsersTable);
    std::map<std::string, Bytes> diaries;
    for (const char* name : {"0.DAT", "1.DAT", "2.DAT", "4.DAT", "5.DAT"}) diaries[name] = Read(name);
    const std::pair<long, const char*> rebuilt[] = {
        {0, "一郎"}, {1, "二郎"}, {2, "三郎"}, {4, "一郎(4)"}, {5, "ユーザー5"}};

    for (const auto& variant : damages) {
        SCOPED_TRACE(variant.name);
        Bytes damaged = sound;
        if (variant.damage) {
            variant.damage(damaged);
            Write(kUsersTable, damaged);
            // Until it is rebuilt, no number is handed out and no row written over it.
            EXPECT_EQ(kNoUserNumber, NextUserNumber(nullptr));
            StagingHeader() = Header(0, "新人");
            const UserOutcome refused = CreateUser();
            EXPECT_FALSE(refused.done);
            EXPECT_NE(std::string::npos, refused.notice.text.find("ﾕｰｻﾞ.DBF")) << refused.notice.text;
            EXPECT_EQ(damaged, Read(kUsersTable));
        } else {
            std::remove(sandbox->path(kUsersTable).c_str());
        }

        const UsersTableRepair repair = SettleUsersTable();
        ASSERT_TRUE(repair.rebuilt);
        const std::string& told = repair.notice.text;
        EXPECT_EQ(kUsersTableCaption, repair.notice.caption);
        EXPECT_EQ(kMbOk | kMbIconExclamation, repair.notice.type);
        EXPECT_NE(std::string::npos,
                  told.find(variant.damage ? "ユーザー一覧(ﾕｰｻﾞ.DBF)は壊れていました。"
                                           : "ユーザー一覧(ﾕｰｻﾞ.DBF)が見つかりませんでした。"))
            << told;
        EXPECT_NE(std::string::npos,
                  told.find("次の 5 人でユーザー一覧を作り直しました。\n　一郎（0.DAT）\n　二郎（1.DAT）\n"
                            "　三郎（2.DAT）\n　一郎(4)（4.DAT）\n　ユーザー5（5.DAT）\n"))
            << told;
        std::string copy;  // the damaged table, set aside
        for (const std::string& name : Files())
            if (name.rfind(std::string(kUsersTable) + ".damaged-", 0) == 0) copy = name;
        EXPECT_EQ(variant.damage != nullptr, !copy.empty());
        if (!copy.empty()) {
            EXPECT_EQ(damaged, Read(copy));
            EXPECT_NE(std::string::npos, told.find("残してあります。\n　" + copy)) << told;
            std::remove(sandbox->path(copy).c_str());
        }

        // Every diary is reachable again, by the name its file gives.
        EXPECT_EQ(DbfCondition::kWhole, CheckDbfTable(kUsersTable));
        for (int row = 0; row <= 5; ++row) {
            char expected[kUsersRowLength + 1] = "(none)";
            if (row < 5) FormatUsersRow(rebuilt[row].first, rebuilt[row].second, expected);
            EXPECT_EQ(expected, UsersRow(row)) << "row " << row;
        }
        ASSERT_TRUE(LoadUser(UserRowOfName("二郎")).done);
        EXPECT_EQ(2u, DiaryRecordCount());
        EXPECT_EQ(3, NextUserNumber(nullptr)) << "the first number with neither a row nor a file";
        EXPECT_TRUE(SettleUsersTable().notice.empty()) << "a sound table is left alone";
        for (const auto& diary : diaries)
            EXPECT_EQ(diary.second, Read(diary.first)) << "the diaries are never rewritten: " << diary.first;
        CloseUser();
        Write(kUsersTable, sound);
    }
}

// However the table is lost, whatever reads it first (the start's look-up of
// the remembered user, the open dialog's list, a new user's number) finds
// every diary; the person is told what was rebuilt or found again.
TEST_F(UsersTableRepairTest, EveryDiaryIsReachableWhateverReadsTheTableFirst) {
    AddUser(0, "一郎", Days({"20240101"}));
    AddUser(1, "二郎", {});
    AddUser(2, "三郎", {});
    const Bytes sound = Read(kUsersTable);
    const auto gone = [this] { std::remove(sandbox->path(kUsersTable).c_str()); };
    const auto lastRowLost = [this, &sound] {  // cut, and the count lowered to match: it reads as whole
        Bytes b = sound;
        b.erase(b.end() - 1 - kUsersRowLength - 1, b.end() - 1);
        b[4] = 2;
        Write(kUsersTable, b);
    };
    const std::string missing = "ユーザー一覧(ﾕｰｻﾞ.DBF)が見つかりませんでした。\n\n"
                                "ユーザーデータのファイルから、次の 3 人でユーザー一覧を作り直しました。\n"
                                "　一郎（0.DAT）\n　二郎（1.DAT）\n　三郎（2.DAT）\n";
    const std::string foundAgain = "ユーザー一覧(ﾕｰｻﾞ.DBF)に載っていないユーザーデータがありました。\n\n"
                                   "次の 1 人をユーザー一覧に戻しました。\n　三郎（2.DAT）\n";
    std::uint16_t area[8] = {};
    const struct {
        const char* name;
        std::function<void()> lose;
        std::function<bool()> firstRead;  // what reads the table first; true when it found 三郎
        bool atStart;                     // told by SettleUsersTable, else by CheckUsersTable
        std::string told;
    } cases[] = {
        {"gone, the remembered user looked up", gone, [] { return UserRowOfName("三郎") == 2; }, true, missing},
        {"gone, the open dialog's list", gone,
         [&area] { return SearchDBFRecord2(nullptr, area, kUsersTable, kUsersNameField, "", "", "", "") == 3; },
         false, missing},
        {"gone, a new user's number", gone, [] { return NextUserNumber(nullptr) == 3; }, false, missing},
        {"gone, nothing read before the start", gone, [] { return true; }, true, missing},
        {"last row lost, the start", lastRowLost, [] { return true; }, true, foundAgain},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        c.lose();
        EXPECT_TRUE(c.firstRead());
        const UsersTableRepair repair = c.atStart ? SettleUsersTable() : CheckUsersTable();
        EXPECT_EQ(c.told, repair.notice.text);
        EXPECT_EQ(kUsersTableCaption, repair.notice.caption);
        EXPECT_EQ(DbfCondition::kWhole, CheckDbfTable(kUsersTable));
        EXPECT_EQ(2, UserRowOfName("三郎"));
        char row[kUsersRowLength + 1];
        FormatUsersRow(2, "三郎", row);
        EXPECT_EQ(row, UsersRow(2));
        EXPECT_TRUE(CheckUsersTable().notice.empty()) << "told once";
        EXPECT_TRUE(SettleUsersTable().notice.empty()) << "a whole table naming every diary is left alone";
        Write(kUsersTable, sound);
    }
}

}  // namespace
