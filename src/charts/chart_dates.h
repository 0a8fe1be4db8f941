// Calendar steps of the graphs: the date n days on, the first record of an
// n-day graph and the month slots of the year graph. Every year divisible by 4
// is a leap year, as everywhere in the diary.
#ifndef PELMO_CHARTS_CHART_DATES_H
#define PELMO_CHARTS_CHART_DATES_H

#include <cstdint>

#include "diary/records.h"

struct ChartDate {
    int year;
    int month;  // 1..12
    int day;    // 1..31
};

bool IsDiaryLeapYear(int year);
int DiaryDaysInMonth(int year, int month);  // 0 for a month outside 1..12

// The date n days later; n of 0 or less, or a date whose month is outside
// 1..12, gives the date unchanged.
ChartDate advanceDate(ChartDate date, int n);

// The date n days earlier (n of 0 or less: unchanged).
ChartDate StepBackDays(ChartDate date, int n);

// The first record of an n-day graph that ends on `end`: the index of the first
// record dated after end − (n − 1) days (a record on that day itself is not the
// first), or 0 when there is none.
uint32_t periodStartIndex(const DailyRecord* records, uint32_t count, ChartDate end, int n);

// The year graph's slot table: January −1, February 32, March 60, ... December
// 335, March to December one higher in a leap year. A day D of month m sits in
// slot D + entry + 1. -1 for a month outside 1..12.
int MonthSlotEntry(int year, int month);

// "YYYY/MM/DD" (the calendar's window text) as a date; false when it is not one.
bool ParseCalendarText(const char* text, ChartDate* date);

#endif
