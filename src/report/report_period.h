// The period a printed report covers: a month, a year or any days from one
// date to another, the records that fall in it and the line graph's period
// for it.
#ifndef PELMO_REPORT_REPORT_PERIOD_H
#define PELMO_REPORT_REPORT_PERIOD_H

#include <cstdint>

#include "charts/graph_period.h"
#include "corelib/dates.h"
#include "diary/records.h"

// A report covers at most this many days (a leap year): its graph keeps a
// slot per day and its table stays a size a person hands over.
constexpr int kReportLongestPeriod = 366;

struct ReportPeriod {
    CalendarDate from;
    CalendarDate to;
};

ReportPeriod MonthPeriod(int year, int month);
ReportPeriod YearPeriod(int year);

enum class PeriodCheck { kFine, kBadFrom, kBadTo, kReversed, kTooLong, kNoDays };

// Whether the period can be printed: real dates, from not after to, at most
// kReportLongestPeriod days, and at least one record in it.
PeriodCheck CheckReportPeriod(const ReportPeriod& period, const DailyRecord* records, uint32_t count);
// The message a failed check shows (Japanese); "" for kFine.
const char* PeriodCheckMessage(PeriodCheck check);

// The days the period spans, both ends counted; 0 when to is before from.
int PeriodDayCount(const ReportPeriod& period);

// The records dated from..to: [first, end) of the date-ordered diary.
struct RecordRange {
    uint32_t first;
    uint32_t end;
    uint32_t Count() const { return end - first; }
};
RecordRange RecordsOfPeriod(const ReportPeriod& period, const DailyRecord* records, uint32_t count);

// The line graph's period: a whole month as the month graph, a whole year as
// the year graph, any other span as a graph of its days from `from`. The
// calendar's date line is left out (hasCurrent false): paper has no today.
GraphPeriod GraphPeriodOfReport(const ReportPeriod& period, const DailyRecord* records, uint32_t count);

// "YYYY/MM/DD～YYYY/MM/DD"
void FormatPeriod(const ReportPeriod& period, char* out, int size);

#endif
