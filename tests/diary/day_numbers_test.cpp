#include "diary/day_numbers.h"

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

}  // namespace
