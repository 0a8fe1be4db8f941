// The rules of the day dialog: checks, the stored diary text, key moves.
#include <gtest/gtest.h>

#include <string>

#include "diary/day_form.h"

TEST(DayForm, WeightThenBodyFatAreChecked) {
    EXPECT_EQ(CheckDay(1.0, 0.0), kDayValid);
    EXPECT_EQ(CheckDay(200.0, 50.0), kDayValid);
    EXPECT_EQ(CheckDay(0.0, 0.0), kDayBadWeight);      // empty weight
    EXPECT_EQ(CheckDay(200.1, 20.0), kDayBadWeight);
    EXPECT_EQ(CheckDay(0.9, 0.5), kDayBadWeight);      // the weight is told first
    EXPECT_EQ(CheckDay(60.0, 0.5), kDayBadBodyFat);
    EXPECT_EQ(CheckDay(60.0, 50.1), kDayBadBodyFat);
    EXPECT_EQ(CheckDay(60.0, 1.0), kDayValid);
}

TEST(DayForm, PlaceholderIsStoredEmptyAndLongDiariesAreCutWhole) {
    char out[kDiaryCapacity];
    StoredDiaryText(kDiaryPlaceholder, out);
    EXPECT_STREQ(out, "");
    StoredDiaryText("晴れ", out);
    EXPECT_STREQ(out, "晴れ");
    // 998 ASCII bytes and then a double-byte character: it does not fit whole.
    std::string text(998, 'a');
    text += "表";
    StoredDiaryText(text.c_str(), out);
    EXPECT_EQ(std::string(out), std::string(998, 'a'));
    std::string exact(999, 'b');
    StoredDiaryText((exact + "c").c_str(), out);
    EXPECT_EQ(std::string(out), exact);
}

TEST(DayForm, EnterMovesByTheTrackedItems) {
    InputItemFlags bodyFatOnly = {{1, 0, 0, 0, 0, 0, 0}};
    EXPECT_EQ(NextFieldFrom(bodyFatOnly, 0), kMoveToBodyFat);
    EXPECT_EQ(NextFieldFrom(bodyFatOnly, 1), kMoveRegister);
    InputItemFlags none = {{0, 0, 0, 0, 0, 0, 0}};
    EXPECT_EQ(NextFieldFrom(none, 0), kMoveRegister);
    InputItemFlags sleep = {{0, 0, 0, 1, 0, 1, 0}};
    EXPECT_EQ(NextFieldFrom(sleep, 0), kMoveNowhere);
    InputItemFlags intake = {{0, 0, 0, 0, 0, 1, 0}};
    EXPECT_EQ(NextFieldFrom(intake, 0), kMoveRegister);
    InputItemFlags all = {{1, 1, 1, 1, 1, 1, 1}};
    EXPECT_EQ(NextFieldFrom(all, 1), kMoveNowhere);
}
