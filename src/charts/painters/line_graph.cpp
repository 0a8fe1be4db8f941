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
// The trend is three one-pixel lines on top of each other: a wide pen (a
// geometric one) takes Wine several times as long as the whole graph.
constexpr int kTrendRows = 3;
// The series' colours (palette 43 and 44) halfway to white: the trend line
// stays apart from the points' line drawn over it.
constexpr COLORREF kLeftTrendColor = RGB(184, 178, 233);
constexpr COLORREF kRightTrendColor = RGB(241, 164, 209);

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
    const TrendSeries* trend = side.side == AxisSide::kLeft ? input.leftTrend : input.rightTrend;
    if (trend != nullptr) plotTrend(dc, side.side, anchor, TrendPoints(period, *trend), side.item, plot, axis);
    plotSeries(dc, side.side, anchor, series, side.item, itemTarget(*input.header, side.item), plot, axis,
               singlePixels);
}

}  // namespace

void plotSeries(HDC dc, AxisSide side, const ValueAxisAnchor& anchor, const GraphSeries& series, int item,
                double target, const GraphPlot& plot, const HorizontalAxis& axis, bool singlePixels) {
    SeriesStyle style;
    style.color = PALETTEINDEX(side == AxisSide::kLeft ? kColorLeftSeries : kColorRightSeries);
    style.pointRadius = kPointRadius;
    style.pointShift = kPointShift;
    plotSeries(dc, anchor, series, item, target, plot, axis, singlePixels, style);
}

void plotSeries(HDC dc, const ValueAxisAnchor& anchor, const GraphSeries& series, int item, double target,
                const GraphPlot& plot, const HorizontalAxis& axis, bool singlePixels, const SeriesStyle& style) {
    // Without a labelled line there is nothing to place the values by.
    if (!anchor.anchored || !axis.shown) return;
    const int scale = valueScale(item);
    auto rowOf = [&](double value) { return SeriesRow(anchor.scale, anchor.value, anchor.row, value, scale); };
    // The series stays between the header band and the labels below the plot.
    ScopedClip clip(dc, 0, plot.top, plot.right + plot.left + 1, plot.bottom + 1);
    if (target > 0) {
        const int row = rowOf(target);
        if (row >= anchor.row && row < plot.bottom && style.target.Solid()) {
            ScopedPen dotted(dc, PS_DOT, 1, style.color);
            ChartLine(dc, plot.left - 1, row, plot.right + 1, row);
        } else if (row >= anchor.row && row < plot.bottom) {
            DrawPatternedLine(dc, {{plot.left - 1, row}, {plot.right + 1, row}}, style.penWidth, style.color,
                              style.target);
        }
    }
    ScopedBrush brush(dc, style.color);
    std::vector<ChartPoint> points;
    points.reserve(series.points.size());
    for (const SeriesPoint& point : series.points)
        points.push_back({plot.left + SlotX(axis, point.slot) + style.pointShift, rowOf(point.value)});
    DrawPatternedLine(dc, points, style.penWidth, style.color, style.line);
    ScopedPen pen(dc, PS_SOLID, 1, style.color);
    const int dot = style.penWidth;
    for (const ChartPoint& at : points) {
        if (!singlePixels) Ellipse(dc, at.x - style.pointRadius, at.y - style.pointRadius, at.x + style.pointRadius,
                                   at.y + style.pointRadius);
        else if (dot <= 1) PatBlt(dc, at.x, at.y, 1, 1, PATCOPY);
        else PatBlt(dc, at.x - dot / 2, at.y - dot / 2, dot, dot, PATCOPY);
    }
}

void plotTrend(HDC dc, AxisSide side, const ValueAxisAnchor& anchor, const std::vector<SeriesPoint>& points, int item,
               const GraphPlot& plot, const HorizontalAxis& axis) {
    if (!anchor.anchored || !axis.shown || points.empty()) return;
    const int scale = valueScale(item);
    std::vector<POINT> line;
    line.reserve(points.size());
    for (const SeriesPoint& point : points)
        line.push_back({plot.left + SlotX(axis, point.slot) + kPointShift,
                        SeriesRow(anchor.scale, anchor.value, anchor.row, point.value, scale)});
    ScopedClip clip(dc, plot.left, plot.top, plot.right + 1, plot.bottom + 1);
    ScopedPen pen(dc, PS_SOLID, 1, side == AxisSide::kLeft ? kLeftTrendColor : kRightTrendColor);
    if (line.size() == 1) line.push_back({line[0].x + 1, line[0].y});  // a single day still shows
    for (POINT& point : line) point.y -= kTrendRows / 2;
    for (int row = 0; row < kTrendRows; ++row) {
        // Polyline leaves out the last point: the line reaches the last day's column too.
        Polyline(dc, line.data(), static_cast<int>(line.size()));
        SetPixelV(dc, line.back().x, line.back().y, side == AxisSide::kLeft ? kLeftTrendColor : kRightTrendColor);
        for (POINT& point : line) ++point.y;
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
