// One item's series in the line graph: the period's days that carry a value
// for the item, each in its slot of the horizontal axis, with the largest and
// smallest value the value axis is scaled by.
#ifndef PELMO_CHARTS_GRAPH_SERIES_H
#define PELMO_CHARTS_GRAPH_SERIES_H

#include <vector>

#include "charts/graph_period.h"
#include "diary/records.h"

struct SeriesPoint {
    int slot;
    double value;  // in the item's real unit, above 0
};

struct GraphSeries {
    // In record order. A day without a value (0 or below) has no point: the
    // line runs on from the point before it to the point after it.
    std::vector<SeriesPoint> points;
    double largest = 0;
    double smallest = 0;
    bool HasValues() const { return !points.empty(); }
};

// The points of `item` over the period's records. Items outside 1..9 have none.
GraphSeries CollectSeries(const GraphPeriod& period, const DailyRecord* records, int item, const UserHeader& header,
                          const InputItemFlags& flags);

// The pixel row of value v: trunc(s × (anchor value − v) × valueScale + anchor row).
int SeriesRow(double scale, double anchorValue, int anchorRow, double value, int valueScale);

#endif
