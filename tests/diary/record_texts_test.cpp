#include "diary/record_texts.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "diary/record_texts.h"
#include "diary/users_table.h"
#include "support/repeat_text.h"

namespace {

TEST(RecordTexts, CutsNeverSplitACharacter) {
    UserHeader h = {};
    SetUserName(h, ("a" + Repeat("ソ", 20)).c_str());  // 41 bytes; byte 30 is a lead byte
    EXPECT_EQ("a" + Repeat("ソ", 14), h.name);
    SetTargetMessage(h, Repeat("表", 50).c_str());
    EXPECT_EQ(Repeat("表", 40), h.targetMessage);
    SetTargetMessage(h, ("x" + Repeat("表", 50)).c_str());
    EXPECT_EQ("x" + Repeat("表", 39), h.targetMessage);

    DailyRecord r = {};
    SetDiaryText(r, Repeat("表", 600).c_str());
    EXPECT_EQ(Repeat("表", 499), r.diary);  // 998 bytes: the 500th would need byte 1000
    SetDiaryText(r, ("ab" + Repeat("ｱ", 1200)).c_str());  // half-width kana are single bytes
    EXPECT_EQ(999u, std::strlen(r.diary));
}

TEST(RecordTexts, UsersRowIsNumberAndSpaceFilledName) {
    char row[kUsersRowLength + 1];
    FormatUsersRow(12, "表ｿﾌﾄ", row);
    EXPECT_EQ(std::string("   12表ｿﾌﾄ") + std::string(25, ' '), row);
    FormatUsersRow(65534, ("a" + Repeat("ソ", 20)).c_str(), row);
    EXPECT_EQ("65534a" + Repeat("ソ", 14) + " ", row);
    char name[kUsersNameWidth + 1];
    UserNameOfRow(row, name);
    EXPECT_EQ("a" + Repeat("ソ", 14), name);
    EXPECT_EQ(65534, UserNumberOfRow(row));
}

TEST(RecordTexts, TitleOfAHeader) {
    UserHeader h = {};
    SetUserName(h, "山田表");
    SetTargetMessage(h, "ソフトに痩せる");
    char title[kMainTitleSize];
    FormatMainTitle(h, title, sizeof title);
    EXPECT_STREQ("山田表 - ペルモ 「ソフトに痩せる」", title);
}

}  // namespace
