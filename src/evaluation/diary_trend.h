// The trends of the open user's diary, kept between paints: worked out again
// only when the records changed (the diary store's revision moved), so a
// paint of the graph or the chart never walks a long diary.
#ifndef PELMO_EVALUATION_DIARY_TREND_H
#define PELMO_EVALUATION_DIARY_TREND_H

#include <cstdint>

#include "evaluation/trend.h"

// The trend of the open user's records for the quantity.
const TrendSeries& DiaryTrend(TrendQuantity quantity);

// How many times a trend was worked out this run (for the tests and benchmarks).
std::uint64_t DiaryTrendComputations();

#endif
