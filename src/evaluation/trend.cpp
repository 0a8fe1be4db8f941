#include "evaluation/trend.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "corelib/dates.h"
#include "evaluation/bmi.h"

namespace {

constexpr double kLargestWeight = 1000.0;  // kg
constexpr double kLargestBodyFat = 100.0;  // percent
constexpr int kLastTrendYear = 2099;
// A quotient a hair above a whole day (55.1 - 50.0 over 0.3 / 7 a day) is that day.
constexpr double kWholeDaySlack = 1e-9;

// The record's day number when its date is a real one in 2000..2099; 0 otherwise.
long RecordDay(const DailyRecord& record) {
    CalendarDate date;
    if (!ReadDateKey(record.date, &date)) return 0;
    if (date.year > kLastTrendYear || date.day < 1 || date.day > DaysInMonth(date.year, date.month)) return 0;
    return DayNumberOfDate(record.date);
}

struct RecordedDay {
    long day;
    double value;
};

// The recorded days in order; a date not after the one before is passed over.
std::vector<RecordedDay> RecordedDays(const DailyRecord* records, std::uint32_t count, TrendQuantity quantity) {
    std::vector<RecordedDay> days;
    if (records == nullptr) return days;
    for (std::uint32_t i = 0; i < count; ++i) {
        double value;
        if (!TrendValueOf(records[i], quantity, &value)) continue;
        const long day = RecordDay(records[i]);
        if (day <= 0 || (!days.empty() && day <= days.back().day)) continue;
        days.push_back({day, value});
    }
    return days;
}

// The first record dated on or after day number `day` (records in date order).
const DailyRecord* FirstRecordFrom(const DailyRecord* records, std::uint32_t count, long day) {
    char shown[kShownDateSize];
    DateOfDayNumber(day, shown);
    char key[kDateLength];
    if (!DateKeyOfShownDate(shown, key)) return records + count;
    return std::lower_bound(records, records + count, key, [](const DailyRecord& record, const char* date) {
        return std::memcmp(record.date, date, kDateLength) < 0;
    });
}

int RecordedDaysBetween(const DailyRecord* records, std::uint32_t count, TrendQuantity quantity, long first,
                        long last) {
    if (records == nullptr) return 0;
    int recorded = 0;
    long previous = 0;
    for (const DailyRecord* record = FirstRecordFrom(records, count, first); record < records + count; ++record) {
        const long day = RecordDay(*record);
        if (day > last) break;
        double value;
        if (day < first || day <= previous || !TrendValueOf(*record, quantity, &value)) continue;
        previous = day;
        ++recorded;
    }
    return recorded;
}

}  // namespace

bool TrendValueOf(const DailyRecord& record, TrendQuantity quantity, double* value) {
    const double v = quantity == TrendQuantity::kWeight ? record.weight : record.bodyFat;
    const double largest = quantity == TrendQuantity::kWeight ? kLargestWeight : kLargestBodyFat;
    if (!(v > 0.0 && v <= largest)) return false;  // NaN fails too
    *value = v;
    return true;
}

TrendSeries ComputeTrend(const DailyRecord* records, std::uint32_t count, TrendQuantity quantity) {
    TrendSeries series;
    const std::vector<RecordedDay> days = RecordedDays(records, count, quantity);
    if (days.empty()) return series;
    series.firstDay = days.front().day;
    series.values.resize(static_cast<std::size_t>(days.back().day - days.front().day + 1));
    double trend = days.front().value;
    series.values[0] = trend;
    for (std::size_t i = 1; i < days.size(); ++i) {
        const RecordedDay& from = days[i - 1];
        const RecordedDay& to = days[i];
        const double span = static_cast<double>(to.day - from.day);
        for (long d = from.day + 1; d <= to.day; ++d) {
            const double value = from.value + (to.value - from.value) * static_cast<double>(d - from.day) / span;
            trend += kTrendFraction * (value - trend);
            series.values[static_cast<std::size_t>(d - series.firstDay)] = trend;
        }
    }
    return series;
}

bool TrendOnDay(const TrendSeries& series, long day, double* value) {
    if (series.values.empty() || day < series.firstDay || day > TrendLastDay(series)) return false;
    *value = series.values[static_cast<std::size_t>(day - series.firstDay)];
    return true;
}

long TrendLastDay(const TrendSeries& series) {
    return series.firstDay + static_cast<long>(series.values.size()) - 1;
}

WeeklyRate WeeklyRateOn(const TrendSeries& series, const DailyRecord* records, std::uint32_t count,
                        TrendQuantity quantity, long day) {
    WeeklyRate rate;
    double unused;
    if (!TrendOnDay(series, day, &unused)) return rate;
    const long first = std::max(day - (kRateWindowDays - 1), series.firstDay);
    if (RecordedDaysBetween(records, count, quantity, day - (kRateWindowDays - 1), day) < kRateLeastRecordedDays)
        return rate;
    // Least squares over x = 0 .. n-1 (the days from `first`).
    const long n = day - first + 1;
    if (n < 2) return rate;
    const double meanX = static_cast<double>(n - 1) / 2.0;
    double meanY = 0;
    for (long d = first; d <= day; ++d) meanY += series.values[static_cast<std::size_t>(d - series.firstDay)];
    meanY /= static_cast<double>(n);
    double covariance = 0, variance = 0;
    for (long d = first; d <= day; ++d) {
        const double x = static_cast<double>(d - first) - meanX;
        covariance += x * (series.values[static_cast<std::size_t>(d - series.firstDay)] - meanY);
        variance += x * x;
    }
    rate.known = true;
    rate.kgPerWeek = covariance / variance * 7.0;
    return rate;
}

TargetProjection ProjectTarget(double trend, const WeeklyRate& rate, double target, long day) {
    TargetProjection projection;
    if (!(target > 0.0) || !std::isfinite(target)) {
        projection.outlook = TargetOutlook::kNoTarget;
        return projection;
    }
    if (std::isfinite(trend) && ShownTenths(trend) <= ShownTenths(target)) {
        projection.outlook = TargetOutlook::kReached;
        return projection;
    }
    if (!std::isfinite(trend) || !rate.known || !std::isfinite(rate.kgPerWeek)) {
        projection.outlook = TargetOutlook::kNoRate;
        return projection;
    }
    if (!(rate.kgPerWeek < 0.0)) {
        projection.outlook = TargetOutlook::kMovingAway;
        return projection;
    }
    const double days = std::ceil((trend - target) / (-rate.kgPerWeek / 7.0) - kWholeDaySlack);
    if (!(days <= static_cast<double>(kProjectionLimitDays))) {
        projection.outlook = TargetOutlook::kTooFar;
        return projection;
    }
    projection.outlook = TargetOutlook::kDate;
    projection.day = day + static_cast<long>(days);
    return projection;
}

const char* TargetOutlookWords(TargetOutlook outlook) {
    switch (outlook) {
    case TargetOutlook::kDate: return "";
    case TargetOutlook::kReached: return "目標に到達しました";
    case TargetOutlook::kNoTarget: return "目標が決まっていません";
    case TargetOutlook::kNoRate: return "記録が少なく、ペースがまだ出せません";
    case TargetOutlook::kMovingAway: return "このペースでは目標に近づいていません";
    case TargetOutlook::kTooFar: return "このペースでは目標まで2年以上かかります";
    }
    return "";
}

const char* TargetOutlookShortWords(TargetOutlook outlook) {
    switch (outlook) {
    case TargetOutlook::kDate: return "";
    case TargetOutlook::kReached: return "到達";
    case TargetOutlook::kNoTarget: return "目標なし";
    case TargetOutlook::kNoRate: return "記録不足";
    case TargetOutlook::kMovingAway: return "近づいていません";
    case TargetOutlook::kTooFar: return "2年以上先";
    }
    return "";
}

TrendFigures TrendFiguresOn(const TrendSeries& series, const DailyRecord* records, std::uint32_t count,
                            TrendQuantity quantity, long day, double target) {
    TrendFigures figures;
    if (!TrendOnDay(series, day, &figures.trend)) return figures;
    figures.known = true;
    figures.rate = WeeklyRateOn(series, records, count, quantity, day);
    figures.projection = ProjectTarget(figures.trend, figures.rate, target, day);
    return figures;
}

long LastRecordedDayOfPeriod(const DailyRecord* records, std::uint32_t count, TrendQuantity quantity,
                             const char* key, std::size_t keyLength) {
    if (records == nullptr || key == nullptr || keyLength == 0 || keyLength > kDateLength ||
        std::strlen(key) < keyLength)
        return 0;
    for (std::uint32_t i = count; i-- > 0;) {
        if (std::memcmp(records[i].date, key, keyLength) != 0) continue;
        double value;
        const long day = RecordDay(records[i]);
        if (day > 0 && TrendValueOf(records[i], quantity, &value)) return day;
    }
    return 0;
}
