#include <gtest/gtest.h>

#include <ctime>
#include <string>

#include "corelib/dates.h"
#include "corelib/msgbox.h"
#include "corelib/utility.h"
#include "support/pinned_clock.h"

namespace {

std::string Cut(std::string text) {
    CutStringSpace(&text[0]);
    return text.c_str();
}

TEST(CutStringSpace, TrimsAsciiAndIdeographicBlanksAtBothEnds) {
    EXPECT_EQ(Cut("  山田  "), "山田");
    EXPECT_EQ(Cut("　山田　花子　"), "山田　花子");  // inner blanks stay
    EXPECT_EQ(Cut("\t ﾕｰｻﾞ \t"), "ﾕｰｻﾞ");
    EXPECT_EQ(Cut("表 "), "表");
    EXPECT_EQ(Cut("ソ"), "ソ");
    EXPECT_EQ(Cut("   "), "");
    EXPECT_EQ(Cut("　"), "");
    EXPECT_EQ(Cut(""), "");
    // メ@ is 83 81 40: its last two bytes look like "　" (81 40) but are not a character.
    EXPECT_EQ(Cut("メ@"), "メ@");
    EXPECT_EQ(CutStringSpace(nullptr), nullptr);
}

TEST(PackedDate, BitsOfDayMonthAndYear) {
    std::uint16_t date = PackDate(2026, 12, 7);
    EXPECT_EQ(date, (126 << 9) | (12 << 5) | 7);
    EXPECT_EQ(PackedDateYear(date), 2026);
    EXPECT_EQ(PackedDateMonth(date), 12);
    EXPECT_EQ(PackedDateDay(date), 7);

    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    std::uint16_t today = GetDate();
    EXPECT_EQ(PackedDateYear(today), local.tm_year + 1900);
    EXPECT_EQ(PackedDateMonth(today), local.tm_mon + 1);
}

// Today comes from the clock in full: the packed date's years end with 2027.
TEST(PackedDate, TodayGoesOnPastTheLastPackedYear) {
    for (const CalendarDate day : {CalendarDate{2027, 12, 31}, CalendarDate{2028, 1, 1}, CalendarDate{2099, 12, 31}}) {
        PinLocalTime(day.year, day.month, day.day, 12);
        const CalendarDate today = Today();
        PinClock(0);
        EXPECT_EQ(today.year * 10000 + today.month * 100 + today.day, day.year * 10000 + day.month * 100 + day.day);
    }
}

std::string g_text, g_caption;
unsigned g_type = 0;
int Record(void*, const char* text, const char* caption, unsigned type) {
    g_text = text;
    g_caption = caption;
    g_type = type;
    return kIdOk;
}

TEST(MsgErr, ShowsTheTextWithTheInformationIcon) {
    MessageBoxFunction previous = SetMessageBoxFunction(Record);
    MsgErr(nullptr, "ユーザーデータ(*.DAT)の読み込みに失敗しました。");
    SetMessageBoxFunction(previous);
    EXPECT_EQ(g_text, "ユーザーデータ(*.DAT)の読み込みに失敗しました。");
    EXPECT_EQ(g_caption, "ペルモ");
    EXPECT_EQ(g_type, kMbOk | kMbIconInformation);
}

}  // namespace
