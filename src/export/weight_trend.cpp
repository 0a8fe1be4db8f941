#include "export/weight_trend.h"

#include <cmath>

#include "corelib/dates.h"

TrendColumn WeightTrendColumn(const TrendSeries& series, const DailyRecord* records, std::uint32_t count) {
    TrendColumn column;
    if (series.values.empty()) return column;
    column.assign(count, std::nan(""));
    for (std::uint32_t i = 0; i < count; ++i) {
        double value = 0;
        if (TrendOnDay(series, DayNumberOfDate(records[i].date), &value)) column[i] = value;
    }
    return column;
}
