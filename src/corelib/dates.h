// Dates: "YYYYMMDD" in records (the key, no terminator), "YYYY/MM/DD" on
// screen and in the calendar's window text, and day numbers from 2000-01-01.
//
// The diary counts every year divisible by 4 as a leap year, with no century
// rule: its day numbers, its month lengths and its steps of days all follow
// that rule (LeapRule::kEveryFourthYear, the default). The calendar control
// shows the real calendar: its weekdays, its month grid and its steps follow
// the Gregorian rule, which differs from the diary's within the calendar's
// years 1900..2099 only in 1900.
#ifndef PELMO_CORELIB_DATES_H
#define PELMO_CORELIB_DATES_H

#include <cstddef>

struct CalendarDate {
    int year;
    int month;  // 1..12
    int day;    // 1..31
};

enum class LeapRule { kEveryFourthYear, kGregorian };

constexpr std::size_t kDateKeyLength = 8;   // "YYYYMMDD"
constexpr std::size_t kMonthKeyLength = 6;  // "YYYYMM": the leading bytes of a date key that name its month
constexpr std::size_t kYearKeyLength = 4;   // "YYYY"
constexpr std::size_t kShownDateSize = 11;  // "YYYY/MM/DD" + NUL
constexpr int kFirstCalendarYear = 1900;
constexpr int kLastCalendarYear = 2099;

bool IsLeapYear(int year, LeapRule rule = LeapRule::kEveryFourthYear);
// The month's length; 0 for a month outside 1..12.
int DaysInMonth(int year, int month, LeapRule rule = LeapRule::kEveryFourthYear);

// The date `days` days later (earlier when negative); a date whose month is
// outside 1..12 is given back unchanged.
CalendarDate AddDays(CalendarDate date, int days, LeapRule rule = LeapRule::kEveryFourthYear);
// The date n days later; n of 0 or less gives the date unchanged.
CalendarDate advanceDate(CalendarDate date, int n);
// The date n days earlier; n of 0 or less gives the date unchanged.
CalendarDate StepBackDays(CalendarDate date, int n);
// The month before or after (delta months) in the calendar, with the day kept
// when the new month has it and cut to its last day otherwise; the years stay
// in kFirstCalendarYear..kLastCalendarYear (no change past either end).
CalendarDate AddMonths(const CalendarDate& date, int delta);

// 0 Sunday .. 6 Saturday, in the real calendar.
int WeekdayOf(const CalendarDate& date);
// A real date within the calendar's years.
bool IsValidDate(const CalendarDate& date);
// Today (local time).
CalendarDate Today();

// The day number of a date given as "YYYYMMDD" (a record's 8 date bytes, no
// terminator needed) or "YYYY/MM/DD": day 1 is 2000-01-01. 0 for a year before
// 2000, a month outside 1..12, or text that is not a date. The day is taken as
// it stands.
long DayNumberOfDate(const char* date);
// The date of day number n as "YYYY/MM/DD" into out (kShownDateSize bytes).
// 0 (and anything below) gives "2000/01/01"; numbers past 9999-12-31 stop there.
void DateOfDayNumber(long n, char* out);

// "YYYY/MM/DD" (digits only, a real date within the calendar's years) as a
// date; false leaves date unchanged.
bool ParseShownDate(const char* text, CalendarDate* date);
// "%4u/%02u/%02u" into out (kShownDateSize bytes).
void FormatShownDate(const CalendarDate& date, char* out);
// "YYYY/MM/DD" (digits in that form) to the 8 date bytes of a record; false
// when the text is not of that form.
bool DateKeyOfShownDate(const char* shown, char* key8);
// A record's 8 date bytes as year, month and day (digits only, not checked
// further; never read past the 8 bytes). False when one is not a digit.
bool ReadDateKey(const char* key8, CalendarDate* date);
// A record's 8 date bytes as "YYYY/MM/DD" (kShownDateSize bytes).
void ShownDateOfKey(const char* key8, char* out);

#endif
