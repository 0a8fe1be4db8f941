// The line graph below the record table: one or two items over a month, a
// year or the last 30 to 360 days, with their value axes and targets, the
// dates below and a dotted line at the calendar's date.
#ifndef PELMO_CHARTS_PAINTERS_LINE_GRAPH_H
#define PELMO_CHARTS_PAINTERS_LINE_GRAPH_H

#include <windows.h>

#include <cstdint>

#include "charts/dash_pattern.h"
#include "charts/graph_axis.h"
#include "charts/graph_layout.h"
#include "charts/graph_series.h"
#include "charts/graph_trend.h"
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
    // The trend of each side's item (weight or body fat), drawn under its
    // points; null: no trend line on that side.
    const TrendSeries* leftTrend = nullptr;
    const TrendSeries* rightTrend = nullptr;
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

// One side's trend: a smooth line through the trend's days in a lighter
// shade of the side's colour and thicker than the points' line, placed by
// the same axis anchor and kept inside the plot.
void plotTrend(HDC dc, AxisSide side, const ValueAxisAnchor& anchor, const std::vector<SeriesPoint>& points, int item,
               const GraphPlot& plot, const HorizontalAxis& axis);

// How a series is drawn where the screen's one-pixel lines do not fit: on
// paper, at the printer's resolution, and told apart in black and white.
struct SeriesStyle {
    COLORREF color;
    int penWidth = 1;         // the line's and the target line's width
    int pointRadius = 3;      // the circles' radius; single pixels draw a dot of the pen's width
    DashPattern line;         // the line between the points (solid by default)
    DashPattern target;       // the target line; solid: the screen's one-pixel dotted pen
    int pointShift = 12;      // a point's x right of its slot's
};
void plotSeries(HDC dc, const ValueAxisAnchor& anchor, const GraphSeries& series, int item, double target,
                const GraphPlot& plot, const HorizontalAxis& axis, bool singlePixels, const SeriesStyle& style);


#endif
