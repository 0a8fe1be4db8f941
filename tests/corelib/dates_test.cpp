#include "corelib/dates.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string Shown(long n) {
    char out[kShownDateSize];
    DateOfDayNumber(n, out);
    return out;
}

TEST(DayNumbers, CountFromFirstOfJanuary2000) {
    EXPECT_EQ(1, DayNumberOfDate("20000101"));
    EXPECT_EQ(61, DayNumberOfDate("20000301"));  // 2000 is a leap year
    EXPECT_EQ(367, DayNumberOfDate("20010101"));
    EXPECT_EQ(366, DayNumberOfDate("20001231"));
    EXPECT_EQ(DayNumberOfDate("20240229") + 1, DayNumberOfDate("20240301"));
    EXPECT_EQ(DayNumberOfDate("20230228") + 1, DayNumberOfDate("20230301"));
}

TEST(DayNumbers, ShownFormWithSlashesGivesTheSameNumber) {
    EXPECT_EQ(61, DayNumberOfDate("2000/03/01"));
    EXPECT_EQ(DayNumberOfDate("20261207"), DayNumberOfDate("2026/12/07"));
}

TEST(DayNumbers, EveryFourthYearIsLeapWithoutCenturyRule) {
    // 2100 is not a leap year in the Gregorian calendar; this diary counts it as one.
    EXPECT_EQ(DayNumberOfDate("21000228") + 2, DayNumberOfDate("21000301"));
    EXPECT_EQ("2100/02/29", Shown(DayNumberOfDate("21000229")));
}

TEST(DayNumbers, ImpossibleDatesGiveZero) {
    EXPECT_EQ(0, DayNumberOfDate("19991231"));
    EXPECT_EQ(0, DayNumberOfDate("20000001"));
    EXPECT_EQ(0, DayNumberOfDate("20001301"));
    EXPECT_EQ(0, DayNumberOfDate(""));
    EXPECT_EQ(0, DayNumberOfDate("2000-01-01"));
    EXPECT_EQ(0, DayNumberOfDate(nullptr));
}

TEST(DayNumbers, ReadsNoFurtherThanEightDigits) {
    // A record's date field has no terminator: the digits after it are not part of it.
    const char field[] = {'2', '0', '0', '0', '0', '1', '0', '2', '9', '9'};
    EXPECT_EQ(2, DayNumberOfDate(field));
}

TEST(DayNumbers, DatesOfNumbers) {
    EXPECT_EQ("2000/01/01", Shown(0));
    EXPECT_EQ("2000/01/01", Shown(-5));
    EXPECT_EQ("2000/01/01", Shown(1));
    EXPECT_EQ("2000/01/31", Shown(31));
    EXPECT_EQ("2000/02/29", Shown(60));
    EXPECT_EQ("2000/03/01", Shown(61));
    EXPECT_EQ("2000/12/31", Shown(366));
    EXPECT_EQ("2001/01/01", Shown(367));
    EXPECT_EQ("9999/12/31", Shown(100000000));
}

TEST(DayNumbers, RoundTripOverThirtyYears) {
    for (long n = 1; n < 366 * 30; ++n) {
        std::string shown = Shown(n);
        ASSERT_EQ(n, DayNumberOfDate(shown.c_str())) << shown;
    }
}

TEST(ShownDates, KeysAndShownDates) {
    char key[8];
    ASSERT_TRUE(DateKeyOfShownDate("2007/01/05", key));
    EXPECT_EQ(std::string(key, 8), "20070105");
    EXPECT_FALSE(DateKeyOfShownDate("2007-01-05", key));
    EXPECT_FALSE(DateKeyOfShownDate("2007/1/5", key));
    EXPECT_FALSE(DateKeyOfShownDate("", key));
    char shown[11];
    ShownDateOfKey("20070105", shown);
    EXPECT_STREQ(shown, "2007/01/05");
}

TEST(Dates, StepsOfDaysAgreeWithDayNumbers) {
    // One rule for the diary: a step of n days from 2000-01-01 lands on day number n + 1.
    for (int n = 0; n < 366 * 30; n += 7) {
        char stepped[kShownDateSize];
        FormatShownDate(AddDays({2000, 1, 1}, n), stepped);
        ASSERT_EQ(Shown(n + 1), stepped) << n;
        CalendarDate back = AddDays(AddDays({2000, 1, 1}, n), -n);
        ASSERT_EQ(back.year * 10000 + back.month * 100 + back.day, 20000101) << n;
    }
}

TEST(Dates, TheCalendarsRuleDiffersFromTheDiarysOnlyInCenturyYears) {
    for (int year = kFirstCalendarYear; year <= 2400; ++year)
        for (int month = 1; month <= 12; ++month) {
            const bool differs = year % 100 == 0 && year % 400 != 0 && month == 2;
            ASSERT_EQ(DaysInMonth(year, month) != DaysInMonth(year, month, LeapRule::kGregorian), differs)
                << year << "-" << month;
        }
    EXPECT_EQ(DaysInMonth(1900, 2), 29);  // the diary's day numbers never reach 1900 anyway
    EXPECT_EQ(DaysInMonth(1900, 2, LeapRule::kGregorian), 28);
}

}  // namespace
