#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "corelib/dbf.h"
#include "corelib/files.h"
#include "support/sandbox.h"

namespace {

std::string Padded(const char* name) {
    char text[64];
    std::snprintf(text, sizeof(text), "%-30s", name);
    return text;
}

TEST(DbfTables, OtherTablesKeepTheirFields) {
    Sandbox sb;
    const DbfFieldSpec fields[] = {{"CODE", 'C', 55, 0}, {"KIND", 'C', 1, 0}, {"NAME", 'C', 30, 0}};
    ASSERT_EQ(CreateDBFTable("料理食品.DBF", fields, 3), 1);
    std::string row = std::string(55, 'c') + "1" + Padded("ご飯");
    ASSERT_EQ(WriteDBFRecord(nullptr, "料理食品.DBF", row.c_str(), "NAME"), 1);
    ASSERT_EQ(WriteDBFRecord(nullptr, "料理食品.DBF", "short", "NAME"), 1);  // padded with blanks

    FileHandle file = FileOpen("料理食品.DBF", kFileRead);
    ASSERT_NE(file, kInvalidFile);
    char buffer[100] = {};
    ASSERT_NE(ReadDBFRecord2(nullptr, file, 0, buffer), 0);
    EXPECT_EQ(std::string(buffer), " " + row);
    ASSERT_NE(ReadDBFRecord2(nullptr, file, 1, buffer), 0);
    EXPECT_EQ(std::string(buffer), " short" + std::string(81, ' '));
    EXPECT_EQ(ReadDBFRecord2(nullptr, file, 2, buffer), 0);
    FileClose(file, "");

    const DbfFieldSpec tooLong[] = {{"ELEVENBYTES", 'C', 1, 0}};
    EXPECT_EQ(CreateDBFTable("x.DBF", tooLong, 1), 0);
}

}  // namespace
