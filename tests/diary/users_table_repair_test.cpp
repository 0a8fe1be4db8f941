// A users table that cannot be read whole, or that is gone while diaries
// remain, is named to the person, copied aside and rebuilt from the data
// files at start-up; until then no new user may take a number.
#include "diary/users_table_repair.h"

#include <cstdio>
#include <cstring>
#include <functional>

#include "corelib/dbf.h"
#include "diary/input_items.h"
#include "diary/user_file.h"
#include "diary/users_table.h"
#include "user_fixture.h"

namespace {

struct TableDamage {
    const char* name;
    std::function<void(Bytes&)> damage;  // null: the table is gone
};

const TableDamage kDamages[] = {
    {"record count lowered", [](Bytes& b) { b[4] = 2; }},
    {"last row cut", [](Bytes& b) { b.resize(b.size() - 20); }},
    {"header length changed", [](Bytes& b) { b[8] = static_cast<unsigned char>(b[8] + 32); }},
    {"header length one more", [](Bytes& b) { b[8] = static_cast<unsigned char>(b[8] + 1); }},
    {"header cut", [](Bytes& b) { b.resize(20); }},
    {"record length wrong", [](Bytes& b) { b[10] = static_cast<unsigned char>(b[10] - 1); }},
    {"table gone", nullptr},
};

class UsersTableRepairTest : public UserFileTest {
protected:
    // Three users in the table; two more diaries without a row: one with the
    // name of another, one whose header was cut. Files that are no diaries beside them.
    void ArrangeDiaries() {
        AddUser(0, "一郎", Days({"20240101"}));
        AddUser(1, "二郎", Days({"20240101", "20240102"}));
        AddUser(2, "三郎", {});
        UserHeader twin = Header(4, "一郎");
        Write("4.DAT", FileImage(twin, {}));
        Write("5.DAT", Bytes(60, 0));
        for (const char* other : {"ITEM3.DAT", "007.DAT", "3.DAT.damaged-20240101-000000", "3.BAK"})
            Write(other, Bytes{1, 2, 3});
        sound = Read(kUsersTable);
        for (long n : {0, 1, 2, 4, 5}) diaries.push_back(Read(std::to_string(n) + ".DAT"));
    }

    std::string RowOf(int row) {
        char text[kUsersRowLength + 1] = {};
        return ReadUsersRow(nullptr, row, text) ? text : "(none)";
    }

    static std::string Row(long number, const char* name) {
        char row[kUsersRowLength + 1];
        FormatUsersRow(number, name, row);
        return row;
    }

    std::string DamagedCopy() {
        for (const std::string& name : Files())
            if (name.rfind(std::string(kUsersTable) + ".damaged-", 0) == 0) return name;
        return std::string();
    }

    Bytes sound;
    std::vector<Bytes> diaries;
};

TEST_F(UsersTableRepairTest, DamagedOrLostTableIsToldCopiedAndRebuiltFromTheDataFiles) {
    ArrangeDiaries();
    for (const TableDamage& variant : kDamages) {
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
        const std::string copy = DamagedCopy();
        if (variant.damage) {
            ASSERT_FALSE(copy.empty());
            EXPECT_EQ(damaged, Read(copy));
            EXPECT_NE(std::string::npos, told.find("残してあります。\n　" + copy)) << told;
            std::remove(sandbox->path(copy).c_str());
        } else {
            EXPECT_TRUE(copy.empty());
        }

        // Every diary is reachable again, by the name its file gives.
        EXPECT_EQ(DbfCondition::kWhole, CheckDbfTable(kUsersTable));
        EXPECT_EQ(Row(0, "一郎"), RowOf(0));
        EXPECT_EQ(Row(1, "二郎"), RowOf(1));
        EXPECT_EQ(Row(2, "三郎"), RowOf(2));
        EXPECT_EQ(Row(4, "一郎(4)"), RowOf(3));
        EXPECT_EQ(Row(5, "ユーザー5"), RowOf(4));
        EXPECT_EQ("(none)", RowOf(5));
        ASSERT_TRUE(LoadUser(UserRowOfName("二郎")).done);
        EXPECT_EQ(2u, DiaryRecordCount());
        EXPECT_EQ(3, NextUserNumber(nullptr)) << "the first number with neither a row nor a file";
        EXPECT_TRUE(SettleUsersTable().notice.empty()) << "a sound table is left alone";
        for (std::size_t i = 0; i < diaries.size(); ++i) {
            long n = i < 3 ? static_cast<long>(i) : static_cast<long>(i) + 1;
            EXPECT_EQ(diaries[i], Read(std::to_string(n) + ".DAT")) << "the diaries are never rewritten";
        }
        CloseUser();
        Write(kUsersTable, sound);
    }
}

}  // namespace
