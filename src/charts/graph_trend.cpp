#include "charts/graph_trend.h"

#include "charts/chart_dates.h"
#include "charts/chart_items.h"
#include "corelib/dates.h"

namespace {

long DayNumberOf(const CalendarDate& date) {
    char key[kDateLength + 1];
    DateKeyOf(date, key);
    key[kDateLength] = '\0';
    return DayNumberOfDate(key);
}

// The period's first day, its number of days, and how a day's slot is found.
struct PeriodDays {
    CalendarDate first;
    int days;
};

bool DaysOf(const GraphPeriod& period, PeriodDays* days) {
    switch (period.kind) {
    case GraphPeriodKind::kMonth:
        *days = {{period.year, period.month, 1}, DaysInMonth(period.year, period.month)};
        return true;
    case GraphPeriodKind::kYear:
        *days = {{period.year, 1, 1}, IsLeapYear(period.year) ? 366 : 365};
        return true;
    case GraphPeriodKind::kDays: *days = {period.start, period.days}; return true;
    case GraphPeriodKind::kNone: break;
    }
    return false;
}

int SlotOf(const GraphPeriod& period, const CalendarDate& date, int index) {
    switch (period.kind) {
    case GraphPeriodKind::kMonth: return date.day - 1;
    case GraphPeriodKind::kYear: return date.day + MonthSlotEntry(date.year, date.month) + 1;
    default: return index;
    }
}

}  // namespace

bool TrendQuantityOfItem(int item, TrendQuantity* quantity) {
    if (item == kChartWeight) *quantity = TrendQuantity::kWeight;
    else if (item == kChartBodyFat) *quantity = TrendQuantity::kBodyFat;
    else return false;
    return true;
}

std::vector<SeriesPoint> TrendPoints(const GraphPeriod& period, const TrendSeries& series) {
    std::vector<SeriesPoint> points;
    PeriodDays days;
    if (series.values.empty() || !DaysOf(period, &days)) return points;
    const long first = DayNumberOf(days.first);
    if (first <= 0) return points;
    CalendarDate date = days.first;
    for (int i = 0; i < days.days; ++i, date = advanceDate(date, 1)) {
        double value;
        if (TrendOnDay(series, first + i, &value)) points.push_back({SlotOf(period, date, i), value});
    }
    return points;
}
