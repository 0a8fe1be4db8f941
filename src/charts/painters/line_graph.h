// The line graph below the record table: one or two items over a month, a
// year or the last 30 to 360 days, with their value axes and targets, the
// dates below and a dotted line at the calendar's date.
#ifndef PELMO_CHARTS_PAINTERS_LINE_GRAPH_H
#define PELMO_CHARTS_PAINTERS_LINE_GRAPH_H

#include <windows.h>

#include <cstdint>

#include "charts/graph_axis.h"
#include "charts/graph_layout.h"
#include "charts/graph_series.h"
#include "charts/painters/value_axis_drawing.h"
#include "diary/records.h"

// What the graph is drawn from: the diary window's size and places, the
// chosen items and period, the calendar's date and the open user's diary.
struct LineGraphInput {
    int windowWidth = 0;
    int windowHeight = 0;
    int ascent = 0;             // a: the text ascent of the diary window's font
    int listHeight = 0;         // the record list's height
    int itemComboHeight = 0;    // the first item selector's height (closed)
    int leftItem = 0;           // chart item codes 0..9; 0: no series
    int rightItem = 0;
    int period = 0;             // the period selector's code; others draw no axis
    const char* periodKey = ""; // "YYYYMM" (month) or "YYYY" (year)
    const char* calendarText = "";  // "YYYY/MM/DD"
    const DailyRecord* records = nullptr;
    std::uint32_t count = 0;
    const UserHeader* header = nullptr;
    const InputItemFlags* flags = nullptr;
    int dpi = 96;               // the screen's dots per inch: the fonts grow with it
};

// Draws the sunken frame on dc and the graph off-screen in the chart palette,
// then copies it into place. Returns the graph's areas (all empty when the
// window leaves it no room).
GraphAreas drawGraph(HDC dc, HPALETTE palette, const LineGraphInput& input);

// One side's target line and points, placed by the side's axis anchor:
// circles up to 120 days, single pixels for longer periods and the year;
// consecutive points joined by a solid line.
void plotSeries(HDC dc, AxisSide side, const ValueAxisAnchor& anchor, const GraphSeries& series, int item,
                double target, const GraphPlot& plot, const HorizontalAxis& axis, bool singlePixels);

#endif
