// The month grid of the calendar's month view and the days of a month that
// have records.
#ifndef PELMO_CORELIB_CALENDAR_MONTH_H
#define PELMO_CORELIB_CALENDAR_MONTH_H

#include <cstddef>

#include "corelib/dates.h"

constexpr int kMonthGridColumns = 7;  // Sunday first
constexpr int kMonthGridRows = 6;

// Cell of day in the month grid: row * 7 + column, the 1st in the column of its weekday.
int MonthGridCell(int year, int month, int day);
// The day in cell, or 0 when the cell lies before the 1st or after the last day.
int DayOfMonthGridCell(int year, int month, int cell);

// marks[d] (d = 1..31) becomes true for every day of year/month among the
// dates (8 ASCII digits "YYYYMMDD" each, stride bytes apart).
void MarkRecordDays(const char* dates, std::size_t count, std::size_t stride, int year, int month, bool marks[32]);

#endif
