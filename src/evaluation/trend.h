// The trend of the weight (or of the body fat): a value for every calendar day
// that follows the day-to-day swings of water and meals only a tenth of the
// way, its weekly rate, and the day the target is reached at that rate.
//
// The rules, so that every figure can be checked by hand:
// - A day is recorded for a quantity when a record carries a real date from
//   2000-01-01 to 2099-12-31 (the diary's calendar: every fourth year a leap
//   year) and a value above 0 and at most 1000 kg (a weight) or 100 % (body
//   fat). Anything else (0, negative, not a number, 1e10, a damaged date, a
//   date already seen) is a gap, never a value.
// - The first recorded day's trend is its value. Each later calendar day d up
//   to the last recorded day: trend(d) = trend(d-1) + 0.1 × (value(d) - trend(d-1)),
//   a day in a gap taking the value linearly interpolated between the recorded
//   days around it. There is no trend before the first or after the last recorded day.
// - The weekly rate on day d: 7 × the least-squares slope of the trend over
//   the days d-13 .. d that have a trend; known only when d has a trend and
//   those 14 days hold at least 4 recorded days.
// - The target is a weight (or body fat) to come down to, as the BMI chart's
//   fifth line has it: a trend at or below it, compared at the tenth the
//   figures show, has reached it. Otherwise, with a known rate below 0, the
//   projected day is d + (trend - target) / (-rate per day), rounded up to a
//   whole day; more than 730 days (two years) away is too far to name a day.
//   A rate of 0 or above moves away from it.
#ifndef PELMO_EVALUATION_TREND_H
#define PELMO_EVALUATION_TREND_H

#include <cstdint>
#include <vector>

#include "diary/records.h"

enum class TrendQuantity { kWeight, kBodyFat };

struct TrendSeries {
    long firstDay = 0;            // day number (corelib/dates.h DayNumberOfDate) of values[0]
    std::vector<double> values;   // one per calendar day, first recorded day .. last recorded day; empty: none
};

constexpr double kTrendFraction = 0.1;    // how far each day's value pulls the trend
constexpr int kRateWindowDays = 14;       // the weekly rate's days, the chosen one the last
constexpr int kRateLeastRecordedDays = 4; // recorded days the window needs for a rate
constexpr long kProjectionLimitDays = 730;  // two years

// The quantity's value in a record when that is a value for the trend (see
// above); false for a gap.
bool TrendValueOf(const DailyRecord& record, TrendQuantity quantity, double* value);

// The trend of the records (kept in date order, as the diary keeps them).
TrendSeries ComputeTrend(const DailyRecord* records, std::uint32_t count, TrendQuantity quantity);

// The trend on day number `day`; false outside the series.
bool TrendOnDay(const TrendSeries& series, long day, double* value);
// The series' last day (firstDay - 1 for an empty series).
long TrendLastDay(const TrendSeries& series);

struct WeeklyRate {
    bool known = false;
    double kgPerWeek = 0;  // in the quantity's unit (kg, or points of body fat) per week
};
WeeklyRate WeeklyRateOn(const TrendSeries& series, const DailyRecord* records, std::uint32_t count,
                        TrendQuantity quantity, long day);

enum class TargetOutlook { kDate, kReached, kNoTarget, kNoRate, kMovingAway, kTooFar };
struct TargetProjection {
    TargetOutlook outlook = TargetOutlook::kNoRate;
    long day = 0;  // kDate: the day number the target is reached on
};
// Where a trend of `trend` on day `day` with this rate is heading for `target`
// (0 or less: no target).
TargetProjection ProjectTarget(double trend, const WeeklyRate& rate, double target, long day);

// Why no day is named, in the person's words ("" for kDate): the long form
// for a sentence of its own, the short form where room is scarce.
const char* TargetOutlookWords(TargetOutlook outlook);
const char* TargetOutlookShortWords(TargetOutlook outlook);

// All figures of one day at once.
struct TrendFigures {
    bool known = false;  // the day has a trend
    double trend = 0;
    WeeklyRate rate;
    TargetProjection projection;
};
TrendFigures TrendFiguresOn(const TrendSeries& series, const DailyRecord* records, std::uint32_t count,
                            TrendQuantity quantity, long day, double target);

// The last day of the records whose date begins with the first keyLength
// characters of key (a month "YYYYMM" or a year "YYYY") that is recorded for
// the quantity; 0 when there is none.
long LastRecordedDayOfPeriod(const DailyRecord* records, std::uint32_t count, TrendQuantity quantity,
                             const char* key, std::size_t keyLength);

#endif
