// Date arithmetic of the calendar: the shown date "YYYY/MM/DD", the month grid
// of the month view and the days of a month that have records.
#ifndef PELMO_CORELIB_CALENDAR_MONTH_H
#define PELMO_CORELIB_CALENDAR_MONTH_H

#include <cstddef>

constexpr std::size_t kShownDateSize = 11;  // "YYYY/MM/DD" + NUL
constexpr int kMonthGridColumns = 7;        // Sunday first
constexpr int kMonthGridRows = 6;
constexpr int kFirstCalendarYear = 1900;
constexpr int kLastCalendarYear = 2099;

struct CalendarDate {
    int year;
    int month;  // 1..12
    int day;    // 1..31
};

// Gregorian month length; 0 for a month outside 1..12.
int DaysInMonth(int year, int month);
// 0 Sunday .. 6 Saturday.
int WeekdayOf(const CalendarDate& date);
bool IsValidDate(const CalendarDate& date);

// "YYYY/MM/DD" (digits only, a real date in 1900..2099). False leaves date unchanged.
bool ParseShownDate(const char* text, CalendarDate* date);
// printf "%4u/%02u/%02u"; out holds kShownDateSize bytes.
void FormatShownDate(const CalendarDate& date, char* out);

// The month before or after (delta months), with the day kept when the new
// month has it and cut to its last day otherwise; the years stay in
// kFirstCalendarYear..kLastCalendarYear (no change past either end).
CalendarDate AddMonths(const CalendarDate& date, int delta);

// Cell of day in the month grid: row * 7 + column, the 1st in the column of its weekday.
int MonthGridCell(int year, int month, int day);
// The day in cell, or 0 when the cell lies before the 1st or after the last day.
int DayOfMonthGridCell(int year, int month, int cell);

// marks[d] (d = 1..31) becomes true for every day of year/month among the
// dates (8 ASCII digits "YYYYMMDD" each, stride bytes apart).
void MarkRecordDays(const char* dates, std::size_t count, std::size_t stride, int year, int month, bool marks[32]);

#endif
