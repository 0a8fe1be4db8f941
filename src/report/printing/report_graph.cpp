// The report's line graph: the screen graph's axis, series and value-axis
// painters, handed the printer's sizes, on white paper.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

#include "charts/chart_dates.h"
#include "charts/chart_items.h"
#include "charts/graph_axis.h"
#include "charts/graph_series.h"
#include "charts/painters/chart_drawing.h"
#include "charts/painters/line_graph.h"
#include "charts/painters/value_axis_drawing.h"
#include "corelib/sjis.h"
#include "corelib/win32/gdi_scope.h"
#include "report/printing/report_pages.h"
#include "resources/resource.h"
#include "resources/texts.h"

namespace {

constexpr COLORREF kInk = RGB(0, 0, 0);
constexpr COLORREF kFrame = RGB(120, 120, 120);
// The screen graph's series colours; on a black-and-white printer the right
// series stays apart by its dashes.
constexpr COLORREF kLeftColor = RGB(112, 101, 210);
constexpr COLORREF kRightColor = RGB(226, 72, 163);
constexpr COLORREF kTrendColor = RGB(60, 60, 60);  // the weight's trend: dark, dotted
// Dashes in millimetres: the right series dashed, the trend dotted, the targets finely dotted.
constexpr double kDashOn = 2.0, kDashOff = 1.0;
constexpr double kDotOn = 0.6, kDotOff = 0.6;
constexpr double kTargetOn = 0.4, kTargetOff = 0.8;

DashPattern PatternOf(double on, double off, int dpi) {
    return DashPattern{MillimetresToPixels(on, dpi), MillimetresToPixels(off, dpi)};
}
constexpr int kScreenDpi = 96;        // the screen graph's tick lengths are for this
constexpr int kCircleDaysLimit = 120;  // longer periods plot dots, as on the screen

struct GraphGeometry {
    GraphPlot plot;
    int legendTop;
    int unitTop;
    int rowHeight;
};

GraphGeometry GeometryOf(HDC dc, const ReportMetrics& m, const ReportBox& box) {
    GraphGeometry g;
    const int band = TextSize(dc, "00000").cx + m.textHeight / 2;  // a value label and its gap
    g.rowHeight = m.rowHeight;
    g.legendTop = box.top;
    g.unitTop = box.top + m.rowHeight;
    g.plot.left = box.left + band;
    g.plot.right = box.right - band;
    g.plot.top = box.top + 2 * m.rowHeight;
    g.plot.bottom = box.bottom - m.rowHeight;
    g.plot.width = g.plot.right - g.plot.left;
    return g;
}

int Scaled(int screenPixels, int dpi) { return screenPixels * dpi / kScreenDpi; }

// A sample of each series' line and its name, left to right above the plot.
void DrawLegendEntry(HDC dc, const ReportMetrics& m, const GraphGeometry& g, int* x, DashPattern pattern,
                     COLORREF color, const std::string& name) {
    const int y = g.legendTop + g.rowHeight / 2;
    const int sample = 3 * m.textHeight;
    DrawPatternedLine(dc, {{*x, y}, {*x + sample, y}}, 2 * m.penWidth, color, pattern);
    *x += sample + m.textHeight / 2;
    TextOutA(dc, *x, g.legendTop + (g.rowHeight - m.textHeight) / 2, name.c_str(), static_cast<int>(name.size()));
    *x += TextSize(dc, name.c_str()).cx + 2 * m.textHeight;
}

// An item's name without the ideographic spaces that pad it to the width of
// the graph's choice boxes: the legend reads "体重（kg）", not "体　　重（kg）".
std::string UnpaddedName(const char* name) {
    static const char kIdeographicSpace[] = "　";
    std::string out;
    for (const char* c = name; *c != '\0';) {
        const bool wide = IsSjisLeadByte(static_cast<unsigned char>(*c)) && c[1] != '\0';
        if (!(wide && c[0] == kIdeographicSpace[0] && c[1] == kIdeographicSpace[1])) out.append(c, wide ? 2 : 1);
        c += wide ? 2 : 1;
    }
    return out;
}

void DrawLegend(HDC dc, const ReportMetrics& m, const GraphGeometry& g, const int (&items)[2], bool trend, int dpi) {
    int x = g.plot.left;
    for (int side = 0; side < 2; ++side) {
        if (items[side] == kChartNone) continue;
        std::string name = UnpaddedName(ChartItemName(items[side]));
        name += std::string("（") + ChartItemUnit(items[side]) + "）";
        DrawLegendEntry(dc, m, g, &x, side == 0 ? DashPattern() : PatternOf(kDashOn, kDashOff, dpi),
                        side == 0 ? kLeftColor : kRightColor, name);
    }
    if (trend)
        DrawLegendEntry(dc, m, g, &x, PatternOf(kDotOn, kDotOff, dpi), kTrendColor, PelmoText(IDS_REPORT_TREND_LEGEND));
}

// The axis slot of a day of the period (-1 outside it).
int SlotOfDay(const GraphPeriod& period, const CalendarDate& date, int dayIndex) {
    switch (period.kind) {
    case GraphPeriodKind::kMonth: return date.day - 1;
    case GraphPeriodKind::kYear: return date.day + MonthSlotEntry(date.year, date.month) + 1;
    case GraphPeriodKind::kDays: return dayIndex;
    case GraphPeriodKind::kNone: break;
    }
    return -1;
}

// The weight's trend on each day of the period that has one, by axis slot.
struct TrendDay {
    int slot;
    double value;
};

std::vector<TrendDay> PeriodTrend(const ReportDocument& document) {
    const ReportPeriod& period = document.input.period;
    const int days = PeriodDayCount(period);
    std::vector<TrendDay> trend;
    CalendarDate date = period.from;
    for (int i = 0; i < days; ++i, date = advanceDate(date, 1)) {
        char key[kDateLength];
        DateKeyOf(date, key);
        double value = 0;
        if (TrendOnDay(document.content.weightTrend, DayNumberOfDate(key), &value))
            trend.push_back({SlotOfDay(document.content.graphPeriod, date, i), value});
    }
    return trend;
}

// The trend placed by the weight's axis, dotted.
void DrawTrend(HDC dc, const ReportDocument& document, const GraphPlot& plot, const HorizontalAxis& axis,
               const ValueAxisAnchor& anchor, const std::vector<TrendDay>& trend) {
    if (!anchor.anchored || trend.size() < 2) return;
    std::vector<ChartPoint> points;
    const int shift = static_cast<int>(axis.pixelsPerSlot / 2);
    for (const TrendDay& day : trend)
        points.push_back({plot.left + SlotX(axis, day.slot) + shift,
                          SeriesRow(anchor.scale, anchor.value, anchor.row, day.value, valueScale(kChartWeight))});
    ScopedClip clip(dc, plot.left, plot.top, plot.right + 1, plot.bottom + 1);
    DrawPatternedLine(dc, points, 2 * document.metrics.penWidth, kTrendColor,
                      PatternOf(kDotOn, kDotOff, document.paper.dpiX));
}

void DrawUnits(HDC dc, const GraphGeometry& g, const ReportBox& box, const int (&items)[2]) {
    RECT left = {box.left, g.unitTop, g.plot.left, g.plot.top};
    RECT right = {g.plot.right, g.unitTop, box.right, g.plot.top};
    const UINT format = DT_SINGLELINE | DT_CENTER | DT_VCENTER | DT_NOPREFIX | DT_NOCLIP;
    SetTextColor(dc, kLeftColor);
    DrawTextA(dc, ChartItemUnit(items[0]), -1, &left, format);
    SetTextColor(dc, kRightColor);
    DrawTextA(dc, ChartItemUnit(items[1]), -1, &right, format);
    SetTextColor(dc, kInk);
}

int PointShift(const HorizontalAxis& axis) { return static_cast<int>(axis.pixelsPerSlot / 2); }

// A period of fewer days than a month is dated on every day that has room:
// the screen's day graphs date only the 1st and the 15th, which leaves a
// week's report with one date or none.
constexpr int kEveryDayDatedBelow = 30;
void DateEveryDay(const GraphPeriod& period, HorizontalAxis* axis) {
    if (period.kind != GraphPeriodKind::kDays || period.days >= kEveryDayDatedBelow) return;
    for (AxisMark& mark : axis->marks) {
        const CalendarDate date = advanceDate(period.start, mark.slot);
        std::snprintf(mark.label, sizeof mark.label, "%02d/%02d", date.month, date.day);
    }
}

void DrawDates(HDC dc, const ReportMetrics& m, const HorizontalAxis& axis, const GraphPlot& plot, int dpi) {
    if (!axis.shown) return;
    std::vector<int> widths;
    for (const AxisMark& mark : axis.marks) widths.push_back(TextSize(dc, mark.label).cx);
    const std::vector<bool> drawn = LabelsWithRoom(axis, widths);
    const int shift = PointShift(axis);
    for (std::size_t i = 0; i < axis.marks.size(); ++i) {
        const AxisMark& mark = axis.marks[i];
        const int x = plot.left + SlotX(axis, mark.slot) + shift;
        if (drawn[i] && mark.label[0])
            TextOutA(dc, x - widths[i] / 2, plot.bottom + m.textHeight / 4, mark.label,
                     static_cast<int>(std::strlen(mark.label)));
    }
    ScopedPen tick(dc, PS_SOLID, m.penWidth, kFrame);
    for (const AxisMark& mark : axis.marks) {
        if (mark.tickHeight == 0) continue;
        const int x = plot.left + SlotX(axis, mark.slot) + shift;
        ChartLine(dc, x, plot.bottom - Scaled(mark.tickHeight, dpi), x, plot.bottom);
    }
}

// trend: the weight's, when item is the weight (its axis takes the trend's
// range in too: after a quick loss the trend runs well above the days).
ValueAxisAnchor DrawSide(HDC dc, const ReportDocument& document, const GraphPlot& plot, const HorizontalAxis& axis,
                         int side, int item, const std::vector<TrendDay>& trend) {
    const ReportInput& input = document.input;
    const ReportMetrics& m = document.metrics;
    const GraphPeriod& period = document.content.graphPeriod;
    if (item == kChartNone || !axis.shown) return ValueAxisAnchor();
    const GraphSeries series = CollectSeries(period, input.records, item, *input.header, *input.flags);
    if (!series.HasValues()) return ValueAxisAnchor();
    const AxisSide axisSide = side == 0 ? AxisSide::kLeft : AxisSide::kRight;
    double top = series.largest, bottom = series.smallest;
    if (item == kChartWeight)
        for (const TrendDay& day : trend) {
            top = std::max(top, day.value);
            bottom = std::min(bottom, day.value);
        }
    const double largest = axisSide == AxisSide::kRight ? RightAxisLargest(top) : top;
    ValueAxisStyle axisStyle;
    axisStyle.labelColor = side == 0 ? kLeftColor : kRightColor;
    axisStyle.tickColor = kFrame;
    axisStyle.tickLength = Scaled(6, document.paper.dpiX);
    axisStyle.penWidth = m.penWidth;
    axisStyle.labelGap = m.textHeight / 4;
    axisStyle.bold = false;
    const ValueAxisAnchor anchor =
        drawValueAxis(dc, axisSide, item, largest, bottom, plot, m.textHeight, axisStyle);
    SeriesStyle style;
    style.color = axisStyle.labelColor;
    style.penWidth = 2 * m.penWidth;
    style.pointRadius = 3 * m.penWidth;
    const int dpi = document.paper.dpiX;
    if (side == 1) style.line = PatternOf(kDashOn, kDashOff, dpi);
    style.target = PatternOf(kTargetOn, kTargetOff, dpi);
    style.pointShift = PointShift(axis);
    const bool dots = period.kind == GraphPeriodKind::kYear ||
                      (period.kind == GraphPeriodKind::kDays && period.days > kCircleDaysLimit);
    plotSeries(dc, anchor, series, item, itemTarget(*input.header, item), plot, axis, dots, style);
    return anchor;
}

}  // namespace

void DrawReportGraph(HDC dc, const ReportDocument& document, const ReportBox& box) {
    const ReportMetrics& m = document.metrics;
    ScopedFont font(dc, CreateReportFont(m.textHeight));
    const GraphGeometry g = GeometryOf(dc, m, box);
    if (g.plot.width <= 0 || g.plot.bottom <= g.plot.top) return;
    const int items[2] = {document.content.leftItem, document.content.rightItem};
    const bool trend = items[0] == kChartWeight || items[1] == kChartWeight;
    DrawLegend(dc, m, g, items, trend, document.paper.dpiX);
    DrawUnits(dc, g, box, items);
    {
        ScopedPen frame(dc, PS_SOLID, m.penWidth, kFrame);
        ScopedSelect hollow(dc, GetStockObject(NULL_BRUSH), false);
        Rectangle(dc, g.plot.left, g.plot.top, g.plot.right + 1, g.plot.bottom + 1);
    }
    HorizontalAxis axis = LayOutHorizontalAxis(document.content.graphPeriod, g.plot.width);
    DateEveryDay(document.content.graphPeriod, &axis);
    DrawDates(dc, m, axis, g.plot, document.paper.dpiY);
    const std::vector<TrendDay> weightTrend = trend ? PeriodTrend(document) : std::vector<TrendDay>();
    for (int side = 0; side < 2; ++side) {
        const ValueAxisAnchor anchor = DrawSide(dc, document, g.plot, axis, side, items[side], weightTrend);
        if (items[side] == kChartWeight) DrawTrend(dc, document, g.plot, axis, anchor, weightTrend);
    }
}
