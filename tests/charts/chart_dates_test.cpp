#include <gtest/gtest.h>

#include <vector>

#include "charts/chart_dates.h"
#include "evaluation/test_records.h"

namespace {

::testing::AssertionResult IsDate(CalendarDate date, int year, int month, int day) {
    if (date.year == year && date.month == month && date.day == day) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << date.year << "-" << date.month << "-" << date.day;
}

TEST(AdvanceDate, FebruaryAndYearEnds) {
    EXPECT_TRUE(IsDate(advanceDate({2004, 2, 28}, 1), 2004, 2, 29));
    EXPECT_TRUE(IsDate(advanceDate({2004, 2, 29}, 1), 2004, 3, 1));
    EXPECT_TRUE(IsDate(advanceDate({2005, 2, 28}, 1), 2005, 3, 1));
    EXPECT_TRUE(IsDate(advanceDate({2004, 12, 31}, 1), 2005, 1, 1));
    // From a leap year into the next: that year's February has 28 days.
    EXPECT_TRUE(IsDate(advanceDate({2004, 12, 1}, 89), 2005, 2, 28));
    EXPECT_TRUE(IsDate(advanceDate({2004, 12, 1}, 90), 2005, 3, 1));
    EXPECT_TRUE(IsDate(advanceDate({2004, 1, 1}, 366), 2005, 1, 1));
    // Every year divisible by 4 is a leap year here, 2100 too.
    EXPECT_TRUE(IsDate(advanceDate({2100, 2, 28}, 1), 2100, 2, 29));
}

TEST(AdvanceDate, NothingForNoStepsOrAnInvalidMonth) {
    EXPECT_TRUE(IsDate(advanceDate({2004, 5, 5}, 0), 2004, 5, 5));
    EXPECT_TRUE(IsDate(advanceDate({2004, 5, 5}, -3), 2004, 5, 5));
    EXPECT_TRUE(IsDate(advanceDate({2004, 13, 5}, 3), 2004, 13, 5));
    EXPECT_TRUE(IsDate(advanceDate({2004, 0, 5}, 3), 2004, 0, 5));
}

TEST(StepBackDays, AcrossMonthsAndYears) {
    EXPECT_TRUE(IsDate(StepBackDays({2005, 3, 1}, 29), 2005, 1, 31));
    EXPECT_TRUE(IsDate(StepBackDays({2004, 3, 1}, 1), 2004, 2, 29));
    EXPECT_TRUE(IsDate(StepBackDays({2005, 1, 1}, 1), 2004, 12, 31));
    EXPECT_TRUE(IsDate(StepBackDays({2005, 1, 1}, 0), 2005, 1, 1));
}

TEST(PeriodStartIndex, RecordOnTheStartDateIsNotTheFirst) {
    // 30 days ending 2005-03-01 start on 2005-01-31.
    std::vector<DailyRecord> records = {DayRecord("20050130", 60), DayRecord("20050131", 60),
                                        DayRecord("20050201", 60), DayRecord("20050301", 60)};
    EXPECT_EQ(periodStartIndex(records.data(), 4, {2005, 3, 1}, 30), 2u);
    // Without the record on the start date the next one is the first just the same.
    records.erase(records.begin() + 1);
    EXPECT_EQ(periodStartIndex(records.data(), 3, {2005, 3, 1}, 30), 1u);
}

TEST(PeriodStartIndex, NoLaterRecordGivesZero) {
    std::vector<DailyRecord> records = {DayRecord("20040101", 60), DayRecord("20040102", 60)};
    EXPECT_EQ(periodStartIndex(records.data(), 2, {2005, 3, 1}, 30), 0u);
    EXPECT_EQ(periodStartIndex(nullptr, 0, {2005, 3, 1}, 30), 0u);
}

TEST(PeriodStartIndex, OneDayGraphStartsAfterTheEndDate) {
    std::vector<DailyRecord> records = {DayRecord("20050228", 60), DayRecord("20050301", 60),
                                        DayRecord("20050302", 60)};
    EXPECT_EQ(periodStartIndex(records.data(), 3, {2005, 3, 1}, 1), 2u);
    EXPECT_EQ(periodStartIndex(records.data(), 3, {2005, 3, 1}, 2), 1u);
}

TEST(MonthSlots, TableAndLeapYears) {
    const int common[12] = {-1, 32, 60, 91, 121, 152, 182, 213, 244, 274, 305, 335};
    for (int month = 1; month <= 12; ++month) {
        EXPECT_EQ(MonthSlotEntry(2005, month), common[month - 1]) << month;
        EXPECT_EQ(MonthSlotEntry(2004, month), common[month - 1] + (month >= 3 ? 1 : 0)) << month;
    }
    EXPECT_EQ(MonthSlotEntry(2004, 0), -1);
    EXPECT_EQ(MonthSlotEntry(2004, 13), -1);
    // January 1 sits in slot 1 and December 31 in slot 367 (368 in a leap year),
    // inside the year graph's days + 10 slots.
    EXPECT_EQ(1 + MonthSlotEntry(2005, 1) + 1, 1);
    EXPECT_EQ(31 + MonthSlotEntry(2005, 12) + 1, 367);
    EXPECT_EQ(31 + MonthSlotEntry(2004, 12) + 1, 368);
}

TEST(CalendarText, ParsesTheShownDate) {
    CalendarDate date = {};
    ASSERT_TRUE(ParseShownDate("2004/02/29", &date));
    EXPECT_TRUE(IsDate(date, 2004, 2, 29));
    EXPECT_FALSE(ParseShownDate("2004/2/29", &date));
    EXPECT_FALSE(ParseShownDate("", &date));
    EXPECT_FALSE(ParseShownDate(nullptr, &date));
    EXPECT_FALSE(ParseShownDate("abcd/ef/gh", &date));
}

}  // namespace
