// Dates as day numbers for the record dialog's date spin: day 1 is 2000-01-01,
// and every year divisible by 4 is a leap year (the calendar this diary has
// always used; there is no century rule).
#ifndef PELMO_DIARY_DAY_NUMBERS_H
#define PELMO_DIARY_DAY_NUMBERS_H

#include <cstddef>

constexpr std::size_t kShownDateSize = 11;  // "YYYY/MM/DD" + NUL

// The day number of a date given as "YYYYMMDD" (a record's 8 date bytes, no
// terminator needed) or "YYYY/MM/DD". 0 for a year before 2000, a month outside
// 1..12, or text that is not a date. The day is taken as it stands.
long DayNumberOfDate(const char* date);

// The date of day number n as "YYYY/MM/DD" into out (kShownDateSize bytes).
// 0 (and anything below) gives "2000/01/01"; numbers past 9999-12-31 stop there.
void DateOfDayNumber(long n, char* out);

#endif
