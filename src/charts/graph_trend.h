// The trend line of the line graph: where the weight's or the body fat's
// trend (evaluation/trend.h) lies on the period's horizontal axis, a point per
// day of the period that has a trend.
#ifndef PELMO_CHARTS_GRAPH_TREND_H
#define PELMO_CHARTS_GRAPH_TREND_H

#include <vector>

#include "charts/graph_period.h"
#include "charts/graph_series.h"
#include "evaluation/trend.h"

// The trend's quantity of a chart item: weight and body fat have one.
bool TrendQuantityOfItem(int item, TrendQuantity* quantity);

// The trend on the period's days, in slot order: a month's days, a year's
// days (each in the slot its records take), or the N days from the start.
// Days before the first or after the last recorded day have no point.
std::vector<SeriesPoint> TrendPoints(const GraphPeriod& period, const TrendSeries& series);

#endif
