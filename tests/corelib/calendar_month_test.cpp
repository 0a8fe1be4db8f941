// The calendar's date arithmetic: month lengths, weekdays, the shown date and
// the month grid with the days that have records.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "corelib/calendar_month.h"

TEST(CalendarMonth, MonthLengthsFollowTheGregorianLeapYears) {
    EXPECT_EQ(DaysInMonth(2024, 2, LeapRule::kGregorian), 29);
    EXPECT_EQ(DaysInMonth(2023, 2, LeapRule::kGregorian), 28);
    EXPECT_EQ(DaysInMonth(2000, 2, LeapRule::kGregorian), 29);
    EXPECT_EQ(DaysInMonth(1900, 2, LeapRule::kGregorian), 28);  // a calendar shows real dates
    EXPECT_EQ(DaysInMonth(2026, 4, LeapRule::kGregorian), 30);
    EXPECT_EQ(DaysInMonth(2026, 12, LeapRule::kGregorian), 31);
    EXPECT_EQ(DaysInMonth(2026, 0, LeapRule::kGregorian), 0);
    EXPECT_EQ(DaysInMonth(2026, 13, LeapRule::kGregorian), 0);
}

TEST(CalendarMonth, WeekdaysOfKnownDays) {
    EXPECT_EQ(WeekdayOf({2000, 1, 1}), 6);    // Saturday
    EXPECT_EQ(WeekdayOf({2026, 12, 7}), 1);   // Monday
    EXPECT_EQ(WeekdayOf({2024, 2, 29}), 4);   // Thursday
    EXPECT_EQ(WeekdayOf({2024, 3, 1}), 5);
}

TEST(CalendarMonth, ShownDateIsReadOnlyWhenItIsARealDate) {
    CalendarDate date = {1, 1, 1};
    ASSERT_TRUE(ParseShownDate("2007/02/01", &date));
    EXPECT_EQ(date.year, 2007);
    EXPECT_EQ(date.month, 2);
    EXPECT_EQ(date.day, 1);
    for (const char* bad : {"2007/02/30", "2007-02-01", "2007/2/01", "20070201", "2007/02/01 ", "abcd/02/01",
                            "2007/00/10", "1899/12/31", ""}) {
        CalendarDate unchanged = {5, 5, 5};
        EXPECT_FALSE(ParseShownDate(bad, &unchanged)) << bad;
        EXPECT_EQ(unchanged.year, 5) << bad;
    }
    EXPECT_FALSE(ParseShownDate(nullptr, &date));
}

TEST(CalendarMonth, ShownDateIsWrittenWithLeadingZeros) {
    char text[kShownDateSize];
    FormatShownDate({2026, 3, 9}, text);
    EXPECT_STREQ(text, "2026/03/09");
    CalendarDate back;
    ASSERT_TRUE(ParseShownDate(text, &back));
    EXPECT_EQ(back.day, 9);
}

TEST(CalendarMonth, MonthStepsKeepTheDayOrCutItToTheMonthsEnd) {
    CalendarDate next = AddMonths({2024, 1, 31}, 1);
    EXPECT_EQ(next.month, 2);
    EXPECT_EQ(next.day, 29);
    CalendarDate back = AddMonths({2026, 1, 15}, -1);
    EXPECT_EQ(back.year, 2025);
    EXPECT_EQ(back.month, 12);
    EXPECT_EQ(back.day, 15);
    CalendarDate yearOn = AddMonths({2026, 5, 31}, 13);
    EXPECT_EQ(yearOn.year, 2027);
    EXPECT_EQ(yearOn.month, 6);
    EXPECT_EQ(yearOn.day, 30);
    // No step past the calendar's range.
    CalendarDate last = AddMonths({kLastCalendarYear, 12, 1}, 1);
    EXPECT_EQ(last.year, kLastCalendarYear);
    EXPECT_EQ(last.month, 12);
    CalendarDate first = AddMonths({kFirstCalendarYear, 1, 1}, -1);
    EXPECT_EQ(first.year, kFirstCalendarYear);
    EXPECT_EQ(first.month, 1);
}

TEST(CalendarMonth, GridCellsAndDaysAreInverse) {
    // December 2026 starts on a Tuesday.
    EXPECT_EQ(MonthGridCell(2026, 12, 1), 2);
    EXPECT_EQ(MonthGridCell(2026, 12, 31), 32);
    EXPECT_EQ(DayOfMonthGridCell(2026, 12, 0), 0);
    EXPECT_EQ(DayOfMonthGridCell(2026, 12, 1), 0);
    EXPECT_EQ(DayOfMonthGridCell(2026, 12, 33), 0);
    for (int year : {2000, 2015, 2026})
        for (int month = 1; month <= 12; ++month)
            for (int day = 1; day <= DaysInMonth(year, month, LeapRule::kGregorian); ++day) {
                int cell = MonthGridCell(year, month, day);
                ASSERT_LT(cell, kMonthGridColumns * kMonthGridRows);
                ASSERT_EQ(DayOfMonthGridCell(year, month, cell), day);
            }
}

TEST(CalendarMonth, MarksOnlyTheDaysOfTheShownMonth) {
    // Three 12-byte slots: 8 date characters and some payload between them.
    const char dates[] = "20070105xxxx20070131yyyy20070201zzzz2006013.wwww";
    bool marks[32];
    MarkRecordDays(dates, 4, 12, 2007, 1, marks);
    for (int day = 0; day < 32; ++day) EXPECT_EQ(marks[day], day == 5 || day == 31) << day;
    MarkRecordDays(dates, 4, 12, 2006, 1, marks);
    for (int day = 0; day < 32; ++day) EXPECT_FALSE(marks[day]) << "a date that is not all digits marks nothing";
    MarkRecordDays(nullptr, 0, 12, 2007, 1, marks);
    EXPECT_FALSE(marks[5]);
}
