#include "charts/graph_layout.h"

#include "charts/chart_font_size.h"

namespace {

constexpr FontSize kSmallFont = {8, 16};

}  // namespace

GraphLayout ComputeGraphLayout(int windowWidth, int windowHeight, int ascent, int listHeight, int itemComboHeight) {
    GraphLayout layout = {};
    layout.top = 2 * ascent + listHeight + 12;
    layout.height = windowHeight - layout.top - 4;
    layout.width = windowWidth - 2 * kGraphLeft;
    layout.headerHeight = itemComboHeight + 2;
    return layout;
}

GraphFontSize GraphFontSizeOf(int ascent, int dpi) {
    const FontSize size = ChartFontSize(ascent, dpi, kSmallFont, 7);
    return {size.width, size.height};
}

GraphPlot GraphPlotOf(const GraphLayout& layout, int cx, int cy) {
    GraphPlot plot = {};
    plot.left = cx + 1;
    plot.top = layout.headerHeight;
    plot.right = layout.width - cx - 1;
    plot.bottom = layout.height - cy - 1;
    plot.width = layout.width - 2 * cx;
    return plot;
}

GraphAreas GraphAreasOf(const GraphLayout& layout, int windowWidth, int cx) {
    const int b = layout.top, d = layout.width, e = layout.height, p3 = layout.headerHeight;
    GraphAreas areas = {};
    areas.frame = {2, b - 2, windowWidth - 3, b + e + 1};
    areas.axis = {5, b + p3 - 1, d + 5, b + e};
    areas.leftBand = {5, b + 2, cx + 5, b + e};
    areas.rightBand = {d - cx + 5, b + 2, d + 5, b + e};
    return areas;
}
