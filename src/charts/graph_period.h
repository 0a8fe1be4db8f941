// The period a line graph shows: a month, a year or the last 30 to 360 days,
// and which records of the diary belong to it. The records are kept in date
// order, so a period's records are found by halving, not by walking the diary.
#ifndef PELMO_CHARTS_GRAPH_PERIOD_H
#define PELMO_CHARTS_GRAPH_PERIOD_H

#include <cstdint>

#include "corelib/dates.h"
#include "diary/records.h"

// Line-graph period codes: the entries of the period selector in order.
constexpr int kGraphPeriodMonthly = 0;
constexpr int kGraphPeriodYearly = 1;
constexpr int kGraphPeriodFirstDays = 2;   // 30 days; code p shows 30 × (p − 1) days
constexpr int kGraphPeriodLastDays = 13;   // 360 days
constexpr int kGraphPeriodCount = 14;
constexpr int kNoGraphPeriod = 99;         // no period chosen: no axis, no series
constexpr int kGraphPeriodUnselected = 255;  // the period selector had no selection

// N of an N-day period (30..360); 0 for a month, a year or no period.
int GraphPeriodDays(int period);

enum class GraphPeriodKind { kNone, kMonth, kYear, kDays };

struct GraphPeriod {
    GraphPeriodKind kind = GraphPeriodKind::kNone;
    int year = 0;              // month and year graphs: the key's year
    int month = 0;             // month graph: the key's month
    int days = 0;              // N-day graph: N
    CalendarDate start = {};   // N-day graph: the date of slot 0
    bool hasCurrent = false;   // the calendar shows a date
    CalendarDate current = {};
    uint32_t first = 0;        // the period's records: [first, end)
    uint32_t end = 0;
};

// The period of graph code `period` for the period key ("YYYYMM" for a month,
// "YYYY" for a year) and the calendar's text ("YYYY/MM/DD"), with the range of
// its records. kNone for a code outside 0..13, a key that is not a month or
// year, or an N-day graph without a date in the calendar.
//
// An N-day graph begins at the first record after the day N − 1 days before
// the calendar's date (periodStartIndex). When no record comes after that day
// the graph begins on that day itself and holds no record: it always shows
// the N days up to the calendar's date, never days from another time.
GraphPeriod FindGraphPeriod(int period, const char* key, const char* calendarText, const DailyRecord* records,
                            uint32_t count);

#endif
