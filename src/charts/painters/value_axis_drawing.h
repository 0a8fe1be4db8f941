// A value axis of the line graph: its labels and ticks in the axis band of
// one side, and the scale and anchor by which that side's series is placed.
#ifndef PELMO_CHARTS_PAINTERS_VALUE_AXIS_DRAWING_H
#define PELMO_CHARTS_PAINTERS_VALUE_AXIS_DRAWING_H

#include <windows.h>

#include "charts/graph_layout.h"
#include "charts/value_axis.h"

struct ValueAxisAnchor {
    double scale = 0;        // s: pixels per 0.1 (decimal items) or per 1 (kcal, steps)
    double value = 0;        // the value of the first label drawn
    int row = 0;             // the pixel row of its tick
    bool anchored = false;   // false: no label fitted, and the series cannot be placed
};

// Draws the axis of `item` for the period's largest and smallest value (the
// right side is handed its largest with the 5 % room already added) beside
// the plot, with labels in a font derived from the graph font's height.
ValueAxisAnchor drawValueAxis(HDC dc, AxisSide side, int item, double largest, double smallest,
                              const GraphPlot& plot, int fontHeight);

// The same axis with its own colours and sizes (on paper: the printer's
// resolution, the labels once in the series' colour, ticks of a real length).
struct ValueAxisStyle {
    COLORREF labelColor;
    COLORREF tickColor;
    int tickLength = 6;   // from the plot's edge inwards
    int penWidth = 1;
    int labelGap = 2;     // between the plot's edge and a label
    bool bold = true;     // the label drawn twice, one pixel apart (the screen's look)
};
ValueAxisAnchor drawValueAxis(HDC dc, AxisSide side, int item, double largest, double smallest,
                              const GraphPlot& plot, int fontHeight, const ValueAxisStyle& style);

// The graph's face "ＭＳ ゴシック" in the Shift-JIS character set; the caller deletes it.
HFONT CreateGraphFont(int width, int height);

#endif
