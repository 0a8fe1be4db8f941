// The compiler turns the UTF-8 sources into Shift-JIS literals. These texts are
// the ones that break with the wrong charset name or a byte-wise tool.
#include <gtest/gtest.h>

#include <string>

#include "resources/resource.h"
#include "resources/texts.h"

namespace {

std::string Bytes(std::initializer_list<unsigned char> bytes) { return std::string(bytes.begin(), bytes.end()); }

TEST(Charset, LiteralsAreShiftJis) {
    // Half-width katakana are single bytes.
    EXPECT_EQ(std::string("ﾕｰｻﾞ.DBF"), Bytes({0xD5, 0xB0, 0xBB, 0xDE, '.', 'D', 'B', 'F'}));
    // Ends with the ideographic space U+3000.
    EXPECT_EQ(std::string("低体重　"), Bytes({0x92, 0xE1, 0x91, 0xCC, 0x8F, 0x64, 0x81, 0x40}));
    // Trail byte 0x5C, the same byte as a backslash.
    EXPECT_EQ(std::string("表"), Bytes({0x95, 0x5C}));
    EXPECT_EQ(std::string("ソ"), Bytes({0x83, 0x5C}));
    // Characters that only code page 932 (not plain Shift_JIS) maps this way.
    EXPECT_EQ(std::string("℃"), Bytes({0x81, 0x8E}));
    EXPECT_EQ(std::string("～"), Bytes({0x81, 0x60}));
    EXPECT_EQ(std::string("％"), Bytes({0x81, 0x93}));
}

TEST(Charset, StringTableTextsAreShiftJis) {
    EXPECT_STREQ(PelmoText(IDR_MAINFRAME), "Pelmo free");
    EXPECT_EQ(std::string(PelmoText(ID_DAY_EDIT)).substr(std::string(PelmoText(ID_DAY_EDIT)).find('\n') + 1),
              Bytes({0x8F, 0x43, 0x90, 0xB3}));  // 修正
    EXPECT_STREQ(PelmoText(1), "");
}

}  // namespace
