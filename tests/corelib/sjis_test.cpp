#include <gtest/gtest.h>

#include <string>

#include "corelib/sjis.h"

namespace {

TEST(Sjis, CutNeverSplitsADoubleByteCharacter) {
    const char* name = "山田ソ表";  // 8 bytes, two of them trail bytes 0x5C
    EXPECT_EQ(SjisFitLength(name, 8), 8u);
    EXPECT_EQ(SjisFitLength(name, 7), 6u);
    EXPECT_EQ(SjisFitLength(name, 1), 0u);
    EXPECT_EQ(SjisFitLength("abｱ表", 4), 3u);  // half-width kana is one byte

    char out[6];
    EXPECT_EQ(SjisCopy(out, sizeof(out), name), 4u);
    EXPECT_STREQ(out, "山田");
}

TEST(Sjis, FindLastSkipsTrailBytes) {
    const char* path = "C:\\日記\\表";
    const char* last = SjisFindLast(path, '\\');
    ASSERT_NE(last, nullptr);
    EXPECT_STREQ(last + 1, "表");
    EXPECT_EQ(SjisFindLast("表ソ", '\\'), nullptr);
}

TEST(Sjis, NamesCompareIgnoringTheCaseOfAsciiLettersOnly) {
    EXPECT_TRUE(SameTextIgnoringCase("plbkinfo.dat", "PLBKINFO.DAT"));
    EXPECT_FALSE(SameTextIgnoringCase("PLBKINFO.DA", "PLBKINFO.DAT"));
    EXPECT_TRUE(SameTextIgnoringCase("\x95\x5c.dbf", "\x95\x5c.DBF"));   // 表
    EXPECT_FALSE(SameTextIgnoringCase("\x83\x61", "\x83\x41"));           // ャ and ア: a trail byte is no letter
}

}  // namespace
