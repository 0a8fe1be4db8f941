// Round trips with other dBase programs: GDAL reads the tables this program
// writes; the program reads tables that GDAL and python3-dbf write in code page 932.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "corelib/dbf.h"
#include "corelib/files.h"
#include "diary/users_table.h"
#include "support/run_command.h"
#include "support/sandbox.h"

namespace {

std::string UserRow(long number, const char* name) {
    char row[64];
    std::snprintf(row, sizeof(row), "%5ld%-30s", number, name);
    return row;
}

std::string Row(const char* table, int row) {
    DbfInfo info;
    if (!GetDBFInfo(table, &info)) return "(no table)";
    char* record = AllocDbfRecordMem(table);
    std::string text = "(none)";
    if (ReadDBFRecord(nullptr, table, row, record)) text = record;
    FreeDbfRecordMem(record);
    return text;
}

int Found(const char* table, const char* field, const char* word) {
    std::uint16_t* area = AllocSearchDBFMem();
    int count = SearchDBFRecord2(nullptr, area, table, field, word, word, "", "");
    FreeSearchDBFMem(area);
    return count;
}

TEST(DbfInterop, GdalReadsTheNamesTheProgramWrote) {
    Sandbox sb;
    ASSERT_EQ(WriteDBFRecord(nullptr, kUsersTable, UserRow(0, "表計算").c_str(), kUsersNameField), 1);
    ASSERT_EQ(WriteDBFRecord(nullptr, kUsersTable, UserRow(1, "ソフト　太郎").c_str(), kUsersNameField), 1);
    ASSERT_EQ(WriteDBFRecord(nullptr, kUsersTable, UserRow(12, "ﾕｰｻﾞｰ").c_str(), kUsersNameField), 1);
    ASSERT_EQ(DeleteDBFNoRecord(nullptr, kUsersTable, 0), 1);

    std::string output = RunCommand("ogrinfo -ro -al -q " + Quoted(sb.path(kUsersTable)) + " 2>&1");
    // GDAL turns code page 932 into UTF-8 by the table's language driver.
    EXPECT_NE(output.find(u8"番号 (Integer) = 1\n"), std::string::npos) << output;
    EXPECT_NE(output.find(u8"氏名 (String) = ソフト　太郎\n"), std::string::npos) << output;
    EXPECT_NE(output.find(u8"番号 (Integer) = 12\n"), std::string::npos) << output;
    EXPECT_NE(output.find(u8"氏名 (String) = ﾕｰｻﾞｰ\n"), std::string::npos) << output;
    EXPECT_EQ(output.find(u8"表計算"), std::string::npos) << output;  // deleted and gone
    EXPECT_EQ(output.find("ERROR"), std::string::npos) << output;
}

TEST(DbfInterop, TheProgramReadsATableGdalWrote) {
    Sandbox sb;
    std::ofstream(sb.path("users.csv"), std::ios::binary)
        << u8"NO,氏名\n3,表示ソフト\n7,ﾀﾅｶ ﾊﾅｺ\n9,山田\n";
    std::string command = "cd " + Quoted(sb.folder()) +
                          " && ogr2ogr -q -f 'ESRI Shapefile' -lco ENCODING=CP932 gdal.dbf users.csv"
                          " -oo AUTODETECT_TYPE=YES 2>&1";
    std::string output = RunCommand(command);
    ASSERT_TRUE(FileExists("gdal.dbf")) << output;

    DbfInfo info;
    ASSERT_EQ(GetDBFInfo("gdal.dbf", &info), 1);
    EXPECT_EQ(info.rowCount, 3u);
    EXPECT_EQ(Found("GDAL.DBF", "氏名", "ソ"), 1);
    EXPECT_EQ(Found("gdal.dbf", "氏名", "ﾊﾅｺ"), 1);
    EXPECT_EQ(Found("gdal.dbf", "氏名", ""), 3);
    std::string row = Row("gdal.dbf", 0);
    EXPECT_NE(row.find("表示ソフト"), std::string::npos) << row;
    row = Row("gdal.dbf", 1);
    EXPECT_NE(row.find("ﾀﾅｶ ﾊﾅｺ"), std::string::npos) << row;
}

TEST(DbfInterop, TheProgramReadsATablePythonDbfWrote) {
    Sandbox sb;
    // The script is UTF-8 (u8): narrow literals of this program are Shift-JIS.
    std::string script =
        u8"import dbf\n"
        u8"t = dbf.Table('py.dbf', 'NO N(5,0); NAME C(30)', codepage='cp932', dbf_type='db3')\n"
        u8"t.open(dbf.READ_WRITE)\n"
        u8"for n, name in ((0, '表計算'), (1, 'ソフト'), (2, '削除済み'), (3, 'ﾕｰｻﾞｰ')):\n"
        u8"    t.append((n, name))\n"
        u8"dbf.delete(t[2])\n"
        u8"t.close()\n";
    std::ofstream(sb.path("make.py"), std::ios::binary) << script;
    std::string output = RunCommand("cd " + Quoted(sb.folder()) + " && /usr/bin/python3 make.py 2>&1");
    ASSERT_TRUE(FileExists("py.dbf")) << output;

    DbfInfo info;
    ASSERT_EQ(GetDBFInfo("py.dbf", &info), 1);
    EXPECT_EQ(info.rowCount, 3u);  // the row python3-dbf marked deleted is skipped
    EXPECT_EQ(Row("py.dbf", 0), UserRow(0, "表計算"));
    EXPECT_EQ(Row("py.dbf", 1), UserRow(1, "ソフト"));
    EXPECT_EQ(Row("py.dbf", 2), UserRow(3, "ﾕｰｻﾞｰ"));
    EXPECT_EQ(Found("py.dbf", "name", "表"), 1);
    EXPECT_EQ(Found("py.dbf", "NAME", "\\"), 0);
}

}  // namespace
