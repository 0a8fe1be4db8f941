// The users table through the dBase layer: its layout byte for byte, search,
// deletion, damage, crash safety, and tables another tool widened.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "diary/users_table.h"

#include "corelib/dbf.h"
#include "corelib/files.h"
#include "corelib/msgbox.h"
#include "support/sandbox.h"

namespace {

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool Exists(const std::string& path) { return std::ifstream(path).good(); }

// A users-table row as the program builds it: "%5ld" then the name in 30 bytes, blank-filled.
std::string UserRow(long number, const char* name) {
    char row[64];
    std::snprintf(row, sizeof(row), "%5ld%-30s", number, name);
    return row;
}

int AddUser(long number, const char* name, const char* table = kUsersTable) {
    return WriteDBFRecord(nullptr, table, UserRow(number, name).c_str(), kUsersNameField);
}

std::string ReadRow(int row, const char* table = kUsersTable) {
    char buffer[kUsersRowLength + 1] = {};
    if (!ReadDBFRecord(nullptr, table, row, buffer)) return "(none)";
    return buffer;
}

std::vector<std::string> Search(const char* word, const char* table = kUsersTable) {
    std::uint16_t* area = AllocSearchDBFMem();
    int count = SearchDBFRecord2(nullptr, area, table, kUsersNameField, word, word, "", "");
    std::vector<std::string> names;
    for (int i = 0; i < count; ++i) names.push_back(ReadRow(area[i], table).substr(5));
    FreeSearchDBFMem(area);
    if (count < 0) names.push_back("(failed)");
    return names;
}

std::string Padded(const char* name) { return UserRow(0, name).substr(5); }

std::vector<std::string> g_messages;
int RecordMessage(void*, const char* text, const char*, unsigned) {
    g_messages.push_back(text);
    return kIdOk;
}

class UsersTable : public ::testing::Test {
protected:
    void SetUp() override {
        g_messages.clear();
        previous_ = SetMessageBoxFunction(RecordMessage);
    }
    void TearDown() override {
        SetMessageBoxFunction(previous_);
        SetAtomicFailure(AtomicFailure::kNone);
    }
    std::string Bytes() { return ReadAll(sb.path(kUsersTable)); }
    Sandbox sb;
    MessageBoxFunction previous_ = nullptr;
};

TEST_F(UsersTable, LayoutByteForByte) {
    ASSERT_EQ(EnsureUsersTable(), 1);
    std::string bytes = Bytes();
    ASSERT_EQ(bytes.size(), 32u + 2 * 32 + 1 + 1);
    EXPECT_EQ(bytes[0], 0x03);
    EXPECT_EQ(std::string(bytes, 4, 4), std::string(4, '\0'));       // no rows
    EXPECT_EQ(std::string(bytes, 8, 4), std::string("\x61\x00\x24\x00", 4));  // header 97, row 36
    EXPECT_EQ(static_cast<unsigned char>(bytes[29]), 0x7B);          // Japanese, code page 932
    EXPECT_EQ(std::string(bytes, 32, 18), std::string("番号\0\0\0\0\0\0\0N\0\0\0\0\x05\0", 18));
    EXPECT_EQ(std::string(bytes, 64, 18), std::string("氏名\0\0\0\0\0\0\0C\0\0\0\0\x1E\0", 18));
    EXPECT_EQ(bytes[96], 0x0D);
    EXPECT_EQ(bytes[97], 0x1A);

    ASSERT_EQ(AddUser(0, "山田"), 1);
    ASSERT_EQ(AddUser(12, "表ソ"), 1);
    bytes = Bytes();
    ASSERT_EQ(bytes.size(), 97u + 2 * 36 + 1);
    EXPECT_EQ(std::string(bytes, 4, 4), std::string("\x02\0\0\0", 4));
    EXPECT_EQ(std::string(bytes, 97, 36), " " + UserRow(0, "山田"));
    EXPECT_EQ(std::string(bytes, 133, 36), " " + UserRow(12, "表ソ"));
    EXPECT_EQ(bytes.back(), 0x1A);

    DbfInfo info;
    ASSERT_EQ(GetDBFInfo("ﾕｰｻﾞ.dbf", &info), 1);
    EXPECT_EQ(info.rowCount, 2u);
    EXPECT_EQ(static_cast<int>(info.rowLength), 36);
}

TEST_F(UsersTable, CreatedWhenMissingAndNamedInAnyCase) {
    DbfInfo info;
    EXPECT_EQ(GetDBFInfo("ﾕｰｻﾞ.dbf", &info), 1);  // the first look creates it
    EXPECT_EQ(info.rowCount, 0u);
    EXPECT_EQ(AddUser(0, "山田"), 1);
    EXPECT_EQ(WriteDBFRecord(nullptr, "ﾕｰｻﾞ.dbf", UserRow(1, "佐藤").c_str(), "氏名"), 1);
    EXPECT_EQ(GetDBFInfo("ﾕｰｻﾞ.DBF", &info), 1);
    EXPECT_EQ(info.rowCount, 2u);
    EXPECT_TRUE(Exists(sb.path("ﾕｰｻﾞ.DBF")));
    EXPECT_FALSE(Exists(sb.path("ﾕｰｻﾞ.dbf")));  // one file, not two

    char* record = AllocDbfRecordMem(kUsersTable);
    ASSERT_NE(record, nullptr);
    EXPECT_EQ(ReadDBFRecord(nullptr, "ﾕｰｻﾞ.dbf", 1, record), 1);
    EXPECT_EQ(std::string(record), UserRow(1, "佐藤"));
    EXPECT_EQ(ReadDBFRecord(nullptr, kUsersTable, 2, record), 0);
    EXPECT_EQ(ReadDBFRecord(nullptr, kUsersTable, -1, record), 0);
    FreeDbfRecordMem(record);
}

TEST_F(UsersTable, ANameCutAtItsWidthNeverEndsInHalfACharacter) {
    // 29 bytes and 山: the 30-byte field would end with the lead byte of 山.
    ASSERT_EQ(AddUser(0, "aaaaaaaaaaaaaaaaaaaaaaaaaaaaa山"), 1);
    EXPECT_EQ(ReadRow(0), UserRow(0, "aaaaaaaaaaaaaaaaaaaaaaaaaaaaa"));
}

TEST_F(UsersTable, KeywordFindsNamesThatContainItCharacterByCharacter) {
    AddUser(0, "表計算");
    AddUser(1, "ソフト太郎");
    AddUser(2, "ﾕｰｻﾞｰ");
    AddUser(3, "山田花子");
    AddUser(4, "山田");
    AddUser(5, "メA");  // bytes 83 81 41: "、" (81 41) lies across two characters

    EXPECT_EQ(Search(""), (std::vector<std::string>{Padded("表計算"), Padded("ソフト太郎"), Padded("ﾕｰｻﾞｰ"),
                                                    Padded("山田花子"), Padded("山田"), Padded("メA")}));
    EXPECT_EQ(Search("表"), std::vector<std::string>{Padded("表計算")});
    EXPECT_EQ(Search("ソ"), std::vector<std::string>{Padded("ソフト太郎")});
    EXPECT_EQ(Search("\\"), std::vector<std::string>{});  // the trail byte of 表 and ソ is no match
    EXPECT_EQ(Search("、"), std::vector<std::string>{});
    EXPECT_EQ(Search("ﾕｰｻﾞ"), std::vector<std::string>{Padded("ﾕｰｻﾞｰ")});
    EXPECT_EQ(Search("山田  "), (std::vector<std::string>{Padded("山田花子"), Padded("山田")}));
    EXPECT_EQ(Search("花子"), std::vector<std::string>{Padded("山田花子")});
    EXPECT_EQ(Search("鈴木"), std::vector<std::string>{});

    std::uint16_t* area = AllocSearchDBFMem();
    EXPECT_EQ(SearchDBFRecord2(nullptr, area, kUsersTable, "NOSUCH", "", "", "", ""), -1);
    EXPECT_EQ(SearchDBFRecord2(nullptr, area, "nosuch.DBF", kUsersNameField, "", "", "", ""), -1);
    FreeSearchDBFMem(area);
}

TEST_F(UsersTable, ExactSearchMatchesTheWholeName) {
    AddUser(0, "山田花子");
    AddUser(1, "山田");
    AddUser(2, "ソ");
    std::uint16_t* area = AllocSearchDBFMem();
    char* record = AllocDbfRecordMem(kUsersTable);
    std::string key = "氏名:" + Padded("山田");  // as the registration dialog builds it
    EXPECT_NE(SearchDBFRecord(nullptr, area, record, kUsersTable, kUsersNameField, key.c_str()), 0);
    EXPECT_EQ(area[0], 1);
    EXPECT_EQ(std::string(record), UserRow(1, "山田"));
    EXPECT_NE(SearchDBFRecord(nullptr, area, record, kUsersTable, kUsersNameField, "氏名:ソ"), 0);
    EXPECT_EQ(area[0], 2);
    EXPECT_EQ(SearchDBFRecord(nullptr, area, record, kUsersTable, kUsersNameField, "氏名:山"), 0);
    FreeDbfRecordMem(record);
    FreeSearchDBFMem(area);
}

TEST_F(UsersTable, DeleteMovesTheLaterRowsDown) {
    AddUser(0, "一郎");
    AddUser(1, "二郎");
    AddUser(2, "三郎");
    AddUser(3, "四郎");
    EXPECT_EQ(DeleteDBFNoRecord(nullptr, kUsersTable, 1), 1);
    EXPECT_EQ(ReadRow(0), UserRow(0, "一郎"));
    EXPECT_EQ(ReadRow(1), UserRow(2, "三郎"));
    EXPECT_EQ(ReadRow(2), UserRow(3, "四郎"));
    EXPECT_EQ(ReadRow(3), "(none)");
    EXPECT_EQ(Bytes().size(), 97u + 3 * 36 + 1);
    EXPECT_EQ(DeleteDBFNoRecord(nullptr, kUsersTable, 2), 1);  // the last row
    EXPECT_EQ(DeleteDBFNoRecord(nullptr, kUsersTable, 2), 0);  // no such row
    EXPECT_EQ(DeleteDBFNoRecord(nullptr, kUsersTable, 0), 1);
    EXPECT_EQ(DeleteDBFNoRecord(nullptr, kUsersTable, 0), 1);
    DbfInfo info;
    GetDBFInfo(kUsersTable, &info);
    EXPECT_EQ(info.rowCount, 0u);
    EXPECT_EQ(Bytes().size(), 98u);
}

TEST_F(UsersTable, RowsMarkedDeletedElsewhereAreSkippedAlike) {
    AddUser(0, "一郎");
    AddUser(1, "二郎");
    AddUser(2, "三郎");
    // Another program marks 二郎 deleted without packing the table.
    std::string bytes = Bytes();
    bytes[97 + 36] = '*';
    std::ofstream(sb.path(kUsersTable), std::ios::binary) << bytes;

    DbfInfo info;
    GetDBFInfo(kUsersTable, &info);
    EXPECT_EQ(info.rowCount, 2u);
    EXPECT_EQ(ReadRow(1), UserRow(2, "三郎"));
    EXPECT_EQ(Search("郎"), (std::vector<std::string>{Padded("一郎"), Padded("三郎")}));

    FileHandle file = FileOpen(kUsersTable, kFileRead);
    char buffer[40] = {};
    ASSERT_NE(ReadDBFRecord2(nullptr, file, 1, buffer), 0);
    EXPECT_EQ(std::string(buffer), " " + UserRow(2, "三郎"));  // the flag comes first
    EXPECT_EQ(ReadDBFRecord2(nullptr, file, 2, buffer), 0);
    ASSERT_NE(ReadDBFRecord2(nullptr, file, 0, buffer), 0);
    EXPECT_EQ(std::string(buffer), " " + UserRow(0, "一郎"));
    FileClose(file, "");

    EXPECT_EQ(DeleteDBFNoRecord(nullptr, kUsersTable, 1), 1);  // 三郎, the marked row is kept
    EXPECT_EQ(ReadRow(0), UserRow(0, "一郎"));
    EXPECT_EQ(ReadRow(1), "(none)");
}

TEST_F(UsersTable, EveryFailedChangeLeavesTheTableWhole) {
    AddUser(0, "山田");
    std::string before = Bytes();
    for (AtomicFailure step : {AtomicFailure::kCreate, AtomicFailure::kWrite, AtomicFailure::kFlush,
                               AtomicFailure::kClose, AtomicFailure::kRename}) {
        SCOPED_TRACE(static_cast<int>(step));
        SetAtomicFailure(step);
        EXPECT_EQ(AddUser(1, "佐藤"), 0);
        EXPECT_EQ(Bytes(), before);
        EXPECT_FALSE(Exists(sb.path(kUsersTable) + ".new"));
        SetAtomicFailure(step);
        EXPECT_EQ(DeleteDBFNoRecord(nullptr, kUsersTable, 0), 0);
        EXPECT_EQ(Bytes(), before);
    }
    EXPECT_TRUE(g_messages.empty());  // the callers tell the user, once
}

TEST_F(UsersTable, LeftoversOfAnInterruptedChangeAreSettled) {
    AddUser(0, "山田");
    std::string before = Bytes();
    SetAtomicFailure(AtomicFailure::kCrashBeforeRename);
    AddUser(1, "佐藤");
    EXPECT_TRUE(Exists(sb.path(kUsersTable) + ".new"));
    EXPECT_EQ(ReadRow(1), "(none)");  // the old table holds; the leftover is removed
    EXPECT_FALSE(Exists(sb.path(kUsersTable) + ".new"));
    EXPECT_EQ(Bytes(), before);

    // The complete new table was written but the old one is gone: take it.
    SetAtomicFailure(AtomicFailure::kCrashBeforeRename);
    AddUser(1, "佐藤");
    std::remove(sb.path(kUsersTable).c_str());
    EXPECT_EQ(ReadRow(1), UserRow(1, "佐藤"));

    // A partial new table is never taken.
    SetAtomicFailure(AtomicFailure::kCrashMidWrite);
    AddUser(2, "鈴木");
    std::remove(sb.path(kUsersTable).c_str());
    EXPECT_EQ(ReadRow(0), "(none)");  // a fresh, empty table
    EXPECT_FALSE(Exists(sb.path(kUsersTable) + ".new"));
}

// A damaged table is read as far as it is whole and never written over. The
// users table itself is not read in part: the first read sets it aside and
// rebuilds it from the data files (here there are none).
TEST_F(UsersTable, DamagedTablesReadWhatIsWhole) {
    AddUser(0, "一郎");
    AddUser(1, "二郎");
    std::string bytes = Bytes();
    // Cut inside the second row: the header still counts two rows.
    const std::string cut = bytes.substr(0, 97 + 36 + 10);
    const char other[] = "他.DBF";
    const std::string otherPath = sb.path(other);
    std::ofstream(otherPath, std::ios::binary) << cut;
    EXPECT_EQ(ReadRow(0, other), UserRow(0, "一郎"));
    EXPECT_EQ(ReadRow(1, other), "(none)");
    DbfInfo info;
    GetDBFInfo(other, &info);
    EXPECT_EQ(info.rowCount, 1u);
    EXPECT_EQ(CheckDbfTable(other), DbfCondition::kDamaged);
    // Rewriting it would drop the row that could not be read.
    EXPECT_EQ(AddUser(2, "三郎", other), 0);
    EXPECT_EQ(DeleteDBFNoRecord(nullptr, other, 0), 0);
    EXPECT_EQ(ReadAll(otherPath), cut);

    std::ofstream(otherPath, std::ios::binary) << "not a table";
    EXPECT_EQ(ReadRow(0, other), "(none)");
    EXPECT_EQ(GetDBFInfo(other, &info), 0);
    EXPECT_EQ(info.rowCount, 0u);
    EXPECT_EQ(Search("", other), std::vector<std::string>{"(failed)"});
    EXPECT_EQ(AddUser(2, "三郎", other), 0);  // never written over
    EXPECT_EQ(ReadAll(otherPath), "not a table");

    std::ofstream(sb.path(kUsersTable), std::ios::binary) << cut;
    EXPECT_EQ(ReadRow(0), "(none)");
    EXPECT_EQ(CheckDbfTable(kUsersTable), DbfCondition::kWhole);
    EXPECT_TRUE(g_messages.empty());  // told by the start or the next user command
}

TEST_F(UsersTable, AWiderTableIsHandedOverInTheProgramsLayout) {
    // Another tool widened both fields; callers still get 35-byte rows.
    const DbfFieldSpec wide[] = {{"番号", 'N', 8, 0}, {"氏名", 'C', 60, 0}};
    ASSERT_EQ(CreateDBFTable("wide.DBF", wide, 2), 1);
    std::string raw = "      12" + std::string(29, 'a') + "山田" + std::string(27, ' ');
    ASSERT_EQ(WriteDBFRecord(nullptr, "wide.DBF", raw.c_str(), "氏名"), 1);
    ASSERT_EQ(std::rename(sb.path("wide.DBF").c_str(), sb.path(kUsersTable).c_str()), 0);

    EXPECT_EQ(ReadRow(0), UserRow(12, "aaaaaaaaaaaaaaaaaaaaaaaaaaaaa"));  // never half of 山
    ASSERT_EQ(AddUser(3, "表ソ"), 1);
    EXPECT_EQ(ReadRow(1), UserRow(3, "表ソ"));
    std::string bytes = Bytes();
    EXPECT_EQ(std::string(bytes, 97 + 69 + 1, 68), "       3表ソ" + std::string(56, ' '));
    EXPECT_EQ(Search("ソ"), std::vector<std::string>{Padded("表ソ")});
    char* record = AllocDbfRecordMem(kUsersTable);
    std::uint16_t* area = AllocSearchDBFMem();
    EXPECT_NE(SearchDBFRecord(nullptr, area, record, kUsersTable, kUsersNameField, "氏名:表ソ"), 0);
    EXPECT_EQ(std::string(record), UserRow(3, "表ソ"));
    FreeSearchDBFMem(area);
    FreeDbfRecordMem(record);
}

}  // namespace
