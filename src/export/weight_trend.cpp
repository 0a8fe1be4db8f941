#include "export/weight_trend.h"

#include <cmath>

#include "corelib/dates.h"
#include "evaluation/trend.h"

TrendColumn WeightTrendColumn(const DailyRecord* records, std::uint32_t count) {
    TrendColumn column;
    const TrendSeries series = ComputeTrend(records, count, TrendQuantity::kWeight);
    if (series.values.empty()) return column;
    column.assign(count, std::nan(""));
    for (std::uint32_t i = 0; i < count; ++i) {
        double value = 0;
        if (TrendOnDay(series, DayNumberOfDate(records[i].date), &value)) column[i] = value;
    }
    return column;
}
