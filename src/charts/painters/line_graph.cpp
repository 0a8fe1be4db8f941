#include "charts/painters/line_graph.h"

#include <cstring>
#include <vector>

#include "charts/chart_items.h"
#include "charts/chart_palette.h"
#include "charts/painters/chart_drawing.h"
#include "corelib/win32/gdi_scope.h"

namespace {

constexpr int kPointRadius = 3;
constexpr int kCircleDaysLimit = 120;  // longer periods plot single pixels
constexpr int kLabelGap = 2;           // the horizontal labels start this far below the plot

// White plot, the axis bands, the bottom band and the header band.
void DrawBands(HDC dc, const GraphLayout& layout, int cx, int cy) {
    const int d = layout.width, e = layout.height;
    FillChartBox(dc, RGB(255, 255, 255), 0, 0, d, e);
    const COLORREF band = PALETTEINDEX(kColorScheme1);
    FillChartBox(dc, band, 0, 0, cx, e);
    FillChartBox(dc, band, 0, e - cy, d, e);
    FillChartBox(dc, band, d - cx, 0, d, e);
    FillChartBox(dc, band, 0, 0, d, layout.headerHeight);
}

void DrawBoldCentred(HDC dc, const char* text, int left, int top, int right, int bottom) {
    for (int shift = 0; shift < 2; ++shift) {
        RECT box = {left + shift, top, right + shift, bottom};
        DrawTextA(dc, text, -1, &box, DT_SINGLELINE | DT_CENTER | DT_VCENTER | DT_NOPREFIX | DT_NOCLIP);
    }
    NoteTextInBox(dc, text, RECT{left, top, right, bottom}, DT_CENTER | DT_VCENTER, 1);
}

// The unit of each side's item above its axis band. With no item (code 0)
// the box stays empty: there is no series and no axis whose unit it could name.
void DrawUnitBoxes(HDC dc, const GraphLayout& layout, int cx, int leftItem, int rightItem) {
    const int d = layout.width, p3 = layout.headerHeight;
    const COLORREF old = SetTextColor(dc, PALETTEINDEX(kColorLeftSeries));
    DrawBoldCentred(dc, ChartItemUnit(leftItem), 0, 0, cx, p3);
    SetTextColor(dc, PALETTEINDEX(kColorRightSeries));
    DrawBoldCentred(dc, ChartItemUnit(rightItem), d - cx, 0, d, p3);
    SetTextColor(dc, old);
}

void DrawHorizontalLabels(HDC dc, const HorizontalAxis& axis, const GraphPlot& plot) {
    const COLORREF old = SetTextColor(dc, RGB(255, 255, 255));
    std::vector<int> widths;
    for (const AxisMark& mark : axis.marks) {
        SIZE extent = {};
        GetTextExtentPoint32A(dc, mark.label, static_cast<int>(std::strlen(mark.label)), &extent);
        widths.push_back(extent.cx);
    }
    const std::vector<bool> drawn = LabelsWithRoom(axis, widths);
    for (size_t i = 0; i < axis.marks.size(); ++i) {
        if (!drawn[i]) continue;
        const AxisMark& mark = axis.marks[i];
        const int length = static_cast<int>(std::strlen(mark.label));
        const int x = plot.left + SlotX(axis, mark.slot) + kLabelShift - widths[i] / 2;
        TextOutA(dc, x, plot.bottom + kLabelGap, mark.label, length);
        TextOutA(dc, x + 1, plot.bottom + kLabelGap, mark.label, length);
        NoteText(dc, mark.label, x, plot.bottom + kLabelGap, 1);
    }
    SetTextColor(dc, old);
}

void DrawHorizontalAxis(HDC dc, const HorizontalAxis& axis, const GraphPlot& plot) {
    if (!axis.shown) return;
    DrawHorizontalLabels(dc, axis, plot);
    {
        ScopedPen tick(dc, PS_SOLID, 1, PALETTEINDEX(kColorScheme1));
        for (const AxisMark& mark : axis.marks) {
            if (mark.tickHeight == 0) continue;
            const int x = plot.left + SlotX(axis, mark.slot) + axis.tickShift;
            ChartLine(dc, x, plot.bottom - mark.tickHeight, x, plot.bottom + 1);
        }
    }
    if (axis.currentSlot >= 0) {
        ScopedPen dotted(dc, PS_DOT, 1, PALETTEINDEX(kColorScheme1));
        const int x = plot.left + SlotX(axis, axis.currentSlot) + axis.currentShift;
        ChartLine(dc, x, plot.top, x, plot.bottom);
    }
}

void DrawPoint(HDC dc, int x, int y, bool singlePixel) {
    if (singlePixel) PatBlt(dc, x, y, 1, 1, PATCOPY);
    else Ellipse(dc, x - kPointRadius, y - kPointRadius, x + kPointRadius, y + kPointRadius);
}

struct SideInput {
    AxisSide side;
    int item;
};

void DrawSide(HDC dc, const SideInput& side, const LineGraphInput& input, const GraphPeriod& period,
              const HorizontalAxis& axis, const GraphPlot& plot, int fontHeight) {
    if (side.item == kChartNone || !axis.shown || input.header == nullptr || input.flags == nullptr) return;
    const GraphSeries series = CollectSeries(period, input.records, side.item, *input.header, *input.flags);
    if (!series.HasValues()) return;
    const double largest = side.side == AxisSide::kRight ? RightAxisLargest(series.largest) : series.largest;
    const ValueAxisAnchor anchor = drawValueAxis(dc, side.side, side.item, largest, series.smallest, plot, fontHeight);
    const bool singlePixels = period.kind == GraphPeriodKind::kYear ||
                              (period.kind == GraphPeriodKind::kDays && period.days > kCircleDaysLimit);
    plotSeries(dc, side.side, anchor, series, side.item, itemTarget(*input.header, side.item), plot, axis,
               singlePixels);
}

}  // namespace

void plotSeries(HDC dc, AxisSide side, const ValueAxisAnchor& anchor, const GraphSeries& series, int item,
                double target, const GraphPlot& plot, const HorizontalAxis& axis, bool singlePixels) {
    // Without a labelled line there is nothing to place the values by.
    if (!anchor.anchored || !axis.shown) return;
    const int scale = valueScale(item);
    auto rowOf = [&](double value) { return SeriesRow(anchor.scale, anchor.value, anchor.row, value, scale); };
    const COLORREF color = PALETTEINDEX(side == AxisSide::kLeft ? kColorLeftSeries : kColorRightSeries);
    // The series stays between the header band and the labels below the plot.
    ScopedClip clip(dc, 0, plot.top, plot.right + plot.left + 1, plot.bottom + 1);
    if (target > 0) {
        const int row = rowOf(target);
        if (row >= anchor.row && row < plot.bottom) {
            ScopedPen dotted(dc, PS_DOT, 1, color);
            ChartLine(dc, plot.left - 1, row, plot.right + 1, row);
        }
    }
    ScopedPen pen(dc, PS_SOLID, 1, color);
    ScopedBrush brush(dc, color);
    bool first = true;
    POINT previous = {};
    for (const SeriesPoint& point : series.points) {
        const POINT at = {plot.left + SlotX(axis, point.slot) + kPointShift, rowOf(point.value)};
        DrawPoint(dc, at.x, at.y, singlePixels);
        if (!first) ChartLine(dc, previous.x, previous.y, at.x, at.y);
        previous = at;
        first = false;
    }
}

namespace {

GraphAreas DrawGraphAt(HDC dc, HPALETTE palette, const LineGraphInput& input, const GraphLayout& layout) {
    GraphAreas areas = {};
    if (!layout.Drawable()) return areas;
    drawSunkenFrame(dc, 2, layout.top - 2, input.windowWidth - 3, layout.top + layout.height + 1);

    OffscreenCanvas canvas(dc, palette, layout.width, layout.height);
    if (!canvas.ok()) return areas;
    HDC graph = canvas.dc();
    const GraphFontSize fontSize = GraphFontSizeOf(input.ascent, input.dpi);
    ScopedFont font(graph, CreateGraphFont(fontSize.width, fontSize.height));
    SIZE zeros = {};
    GetTextExtentPoint32A(graph, "000", 3, &zeros);
    const int cx = zeros.cx, cy = zeros.cy;
    areas = GraphAreasOf(layout, input.windowWidth, cx);

    DrawBands(graph, layout, cx, cy);
    const int oldMode = SetBkMode(graph, TRANSPARENT);
    const GraphPlot plot = GraphPlotOf(layout, cx, cy);
    DrawUnitBoxes(graph, layout, cx, input.leftItem, input.rightItem);
    const GraphPeriod period =
        FindGraphPeriod(input.period, input.periodKey, input.calendarText, input.records, input.count);
    const HorizontalAxis axis = LayOutHorizontalAxis(period, plot.width);
    DrawHorizontalAxis(graph, axis, plot);
    DrawSide(graph, {AxisSide::kLeft, input.leftItem}, input, period, axis, plot, fontSize.height);
    DrawSide(graph, {AxisSide::kRight, input.rightItem}, input, period, axis, plot, fontSize.height);
    SetBkMode(graph, oldMode);
    canvas.CopyTo(kGraphLeft, layout.top);
    return areas;
}

}  // namespace

GraphAreas drawGraph(HDC dc, HPALETTE palette, const LineGraphInput& input) {
    const GraphLayout layout = ComputeGraphLayout(input.windowWidth, input.windowHeight, input.ascent,
                                                  input.listHeight, input.itemComboHeight);
    PaintedTextOrigin origin(kGraphLeft, layout.top);
    return DrawGraphAt(dc, palette, input, layout);
}
