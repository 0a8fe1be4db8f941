// The analysis of the diary window's period: the shown day, or the month or
// year of the analysis period key, reduced to an average weight and its result.
#ifndef PELMO_EVALUATION_PERIOD_H
#define PELMO_EVALUATION_PERIOD_H

#include <cstdint>

#include "diary/records.h"
#include "evaluation/bmi.h"
#include "evaluation/trend.h"

enum AnalysisMode : int { kAnalysisDaily = 0, kAnalysisMonthly = 1, kAnalysisYearly = 2 };

constexpr int kNoRecord = -1;
constexpr std::size_t kPeriodKeyCapacity = 9;  // up to 8 characters + NUL

// The record a daily analysis looks at: selectedRow when it is a record's index
// (the record list's blank last line and "no selection" are not), else the first
// record dated on calendarText ("YYYY/MM/DD", the calendar's window text).
// kNoRecord when neither names a record.
int AnalysedRecordIndex(const DailyRecord* records, uint32_t count, int selectedRow, const char* calendarText);

// The average weight of the records whose date starts with the first `length`
// characters of key (6 for a month, 4 for a year). A day weighed 0 counts in
// the sum and the number. 0 without such records or with a shorter key.
double AverageWeightOfPeriod(const DailyRecord* records, uint32_t count, const char* key, std::size_t length);

// Recomputes the analysis: returns the result (all zero when there is none).
// Daily: the day of AnalysedRecordIndex, or else the latest recorded day (the
// record list's blank line, a calendar date without a record), so that a
// diary with days always shows one; periodKey (kPeriodKeyCapacity bytes)
// becomes the analysed record's date. Monthly and yearly: the month or year
// of periodKey, whatever row is selected; the key is read, not changed.
AnalysisResult EvaluatePeriod(const DailyRecord* records, uint32_t count, const UserHeader& header,
                              int selectedRow, const char* calendarText, int mode, char* periodKey);

// The day whose weight trend the analysis shows: in daily mode the analysed
// day (periodKey holds its date), in monthly and yearly mode the period's last
// day with a weight for the trend. 0 when there is none.
long TrendDayOfAnalysis(const DailyRecord* records, uint32_t count, int mode, const char* periodKey);

#endif
