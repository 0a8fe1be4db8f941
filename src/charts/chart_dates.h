// Date steps of the graphs: the first record of an n-day graph and the month
// slots of the year graph, by the diary's leap rule (corelib/dates.h).
#ifndef PELMO_CHARTS_CHART_DATES_H
#define PELMO_CHARTS_CHART_DATES_H

#include <cstddef>
#include <cstdint>

#include "corelib/dates.h"
#include "diary/records.h"

// The first record of an n-day graph that ends on `end`: the index of the first
// record dated after end − (n − 1) days (a record on that day itself is not the
// first), or 0 when there is none.
uint32_t periodStartIndex(const DailyRecord* records, uint32_t count, CalendarDate end, int n);

// The first record whose first `length` date characters compare (as unsigned
// bytes) at or above prefix, or above it; count when there is none. The
// records are in date order, so this halves instead of walking the diary.
uint32_t FirstRecordFrom(const DailyRecord* records, uint32_t count, const char* prefix, std::size_t length);
uint32_t FirstRecordAfter(const DailyRecord* records, uint32_t count, const char* prefix, std::size_t length);

// A date as a record's 8 date bytes "YYYYMMDD" (no terminator).
void DateKeyOf(const CalendarDate& date, char* key8);

// The year graph's slot table: January −1, February 32, March 60, ... December
// 335, March to December one higher in a leap year. A day D of month m sits in
// slot D + entry + 1. -1 for a month outside 1..12.
int MonthSlotEntry(int year, int month);

#endif
