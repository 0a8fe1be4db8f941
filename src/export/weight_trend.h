// The weight trend of each day, for the export's column.
#ifndef PELMO_EXPORT_WEIGHT_TREND_H
#define PELMO_EXPORT_WEIGHT_TREND_H

#include <cstdint>

#include "diary/records.h"
#include "evaluation/trend.h"
#include "export/csv_export.h"

// The trend of count records (date order) read from series, one value per
// record, NaN where a day has none; empty when the series is.
TrendColumn WeightTrendColumn(const TrendSeries& series, const DailyRecord* records, std::uint32_t count);

#endif
