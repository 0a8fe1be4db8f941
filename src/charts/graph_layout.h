// Where the line graph lies in the diary window: below the record table, the
// whole width, with a header band for the selectors and unit boxes, axis
// bands left and right and a band for the horizontal labels at the bottom.
#ifndef PELMO_CHARTS_GRAPH_LAYOUT_H
#define PELMO_CHARTS_GRAPH_LAYOUT_H

#include "charts/chart_box.h"

struct GraphLayout {
    int top;           // B: the graph's top row in the window
    int width;         // d: the graph bitmap's width
    int height;        // e: its height
    int headerHeight;  // p3: the header band, the item selector's height + 2
    bool Drawable() const { return width > 0 && height > 0; }
};

// From the window's client size, the text ascent a, the record list's height
// and the height of the first item selector.
GraphLayout ComputeGraphLayout(int windowWidth, int windowHeight, int ascent, int listHeight, int itemComboHeight);

// The graph font: 8 × 16 up to an ascent of 18, else a × 7 / 18 wide and twice
// that high; on a screen of more dots per inch at least 8 × 16 grown with it,
// as the record table's font grows.
struct GraphFontSize {
    int width, height;
};
GraphFontSize GraphFontSizeOf(int ascent, int dpi = 96);

// The plot inside the bitmap, cx and cy being the extent of "000" in the graph
// font: (cx + 1, p3) to (d − cx − 1, e − cy − 1); o = d − 2cx.
struct GraphPlot {
    int left, top, right, bottom;
    int width;  // o
    int Height() const { return bottom - top; }
};
GraphPlot GraphPlotOf(const GraphLayout& layout, int cx, int cy);

// The parts of the graph in window coordinates: the sunken frame around it,
// the horizontal-axis area (the plot and the bottom band) and the two axis
// bands. A change of items or period repaints the last three.
struct GraphAreas {
    ChartBox frame;
    ChartBox axis;
    ChartBox leftBand;
    ChartBox rightBand;
};
GraphAreas GraphAreasOf(const GraphLayout& layout, int windowWidth, int cx);

// Where the bitmap is copied to in the window.
constexpr int kGraphLeft = 4;

#endif
