// The line graph as it is drawn under Wine, probed pixel by pixel: the month
// slots, the 30-day labels, circles and single pixels, a day without a value,
// a graph without items, and points that stay inside the plot.
#include <gtest/gtest.h>
#include <windows.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "charts/chart_items.h"
#include "charts/chart_palette.h"
#include "charts/graph_axis.h"
#include "charts/painters/chart_drawing.h"
#include "charts/painters/line_graph.h"
#include "corelib/win32/gdi_scope.h"
#include "evaluation/trend.h"
#include "evaluation/test_records.h"
#include "support/dib_context.h"

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBand = RGB(188, 227, 153);   // scheme 0, colour 1
constexpr COLORREF kLeft = RGB(112, 101, 210);   // palette 43
constexpr COLORREF kRight = RGB(226, 72, 163);   // palette 44
constexpr COLORREF kLeftTrend = RGB(184, 178, 233);  // palette 43 halfway to white
constexpr int kHeight = 640, kAscent = 16, kListHeight = 300, kComboHeight = 20;

// 200 days from 2004-01-01 at a steady 60 kg and 300 kcal of exercise, but
// 02-02 with 5 kcal (below the kcal axis) and 02-03 not weighed.
const std::vector<DailyRecord>& Diary() {
    static std::vector<DailyRecord> days;
    if (!days.empty()) return days;
    for (CalendarDate date = {2004, 1, 1}; days.size() < 200; date = advanceDate(date, 1)) {
        char key[16];
        std::snprintf(key, sizeof key, "%04d%02d%02d", date.year, date.month, date.day);
        days.push_back(DayRecord(key, 60.0));
        days.back().exercise = 300;
    }
    days[32].exercise = 5;
    days[33].weight = 0;
    return days;
}

// The graph of the diary drawn on a window-sized canvas, and where its parts lie.
struct DrawnGraph {
    DibContext target;
    GraphLayout layout;
    GraphPlot plot = {};
    HorizontalAxis axis;

    DrawnGraph(int width, int item, int period, const char* key, const char* calendar,
               const std::vector<DailyRecord>& days = Diary(), const TrendSeries* trend = nullptr)
        : target(width, kHeight), layout(ComputeGraphLayout(width, kHeight, kAscent, kListHeight, kComboHeight)) {
        const UserHeader header = HeaderOfHeight(160);
        const InputItemFlags flags = {{1, 1, 1, 1, 1, 1, 1}};
        const auto count = static_cast<std::uint32_t>(days.size());
        LineGraphInput input = {width, kHeight, kAscent, kListHeight, kComboHeight, item, kChartNone, period,
                                key, calendar, days.data(), count, &header, &flags};
        input.leftTrend = trend;
        HPALETTE palette = CreateChartPalette(0);
        drawGraph(target.dc(), palette, input);
        DeleteObject(palette);
        SIZE zeros = {};
        const GraphFontSize font = GraphFontSizeOf(kAscent);
        ScopedFont graphFont(target.dc(), CreateGraphFont(font.width, font.height));
        GetTextExtentPoint32A(target.dc(), "000", 3, &zeros);
        plot = GraphPlotOf(layout, zeros.cx, zeros.cy);
        axis = LayOutHorizontalAxis(FindGraphPeriod(period, key, calendar, days.data(), count), plot.width);
    }

    // A pixel by its place in the graph bitmap.
    COLORREF At(int x, int y) const { return GetPixel(target.dc(), x + kGraphLeft, y + layout.top); }
    // The bitmap column of a slot's points and ticks.
    int SlotColumn(int slot) const { return plot.left + SlotX(axis, slot) + kPointShift; }
    int Count(COLORREF color, int left, int top, int right, int bottom) const {
        int count = 0;
        for (int y = top; y < bottom; ++y)
            for (int x = left; x < right; ++x) count += At(x, y) == color;
        return count;
    }
    // The topmost row of the left item's colour in a column of the plot; -1 for none.
    int LineRow(int x) const {
        for (int y = plot.top; y < plot.bottom; ++y)
            if (At(x, y) == kLeft) return y;
        return -1;
    }
};

TEST(LineGraphPixels, MonthHasASlotPerDayAndNoItemsLeaveFrameAndAxisOnly) {
    for (int item : {kChartWeight, kChartNone}) {
        SCOPED_TRACE(item);
        const DrawnGraph graph(1000, item, kGraphPeriodMonthly, "200402", "2004/03/15");
        const int width = graph.layout.width, height = graph.layout.height;
        // Ticks are one pixel of band colour in the white plot, just above its bottom.
        const GraphPlot& plot = graph.plot;
        EXPECT_EQ(graph.Count(kBand, plot.left, plot.bottom - 3, plot.right, plot.bottom - 2), 29);
        EXPECT_TRUE(graph.At(0, 0) == kBand && graph.At(width - 1, height - 1) == kBand);
        EXPECT_EQ(graph.Count(kLeft, 0, 0, width, height) > 0, item != kChartNone);
        EXPECT_EQ(graph.Count(kRight, 0, 0, width, height), 0);
    }
}

TEST(LineGraphPixels, ThirtyDaysLabelEverySecondSlotAndAMonthsFirstDayBetween) {
    // From 2004-01-21: February 1st falls on slot 11, an odd one. Runs of
    // white columns below the plot are the labels; a label's glyph gaps are bridged.
    const DrawnGraph graph(2000, kChartWeight, 2, "2004", "2004/02/18");
    std::vector<std::pair<int, int>> runs;
    for (int x = 0; x < graph.layout.width; ++x) {
        if (graph.Count(kWhite, x, graph.plot.bottom + 2, x + 1, graph.layout.height) == 0) continue;
        if (!runs.empty() && x - runs.back().second <= 6) runs.back().second = x;
        else runs.push_back({x, x});
    }
    std::vector<int> expected = {0, 2, 4, 6, 8, 10, 11, 12, 14, 16, 18, 20, 22, 24, 26, 28};
    ASSERT_EQ(runs.size(), expected.size());
    for (std::size_t i = 0; i < runs.size(); ++i) {
        SCOPED_TRACE("slot " + std::to_string(expected[i]));
        EXPECT_NEAR((runs[i].first + runs[i].second) / 2.0,
                    graph.plot.left + SlotX(graph.axis, expected[i]) + kLabelShift, 6);
        // "01/21" is five half-width characters; " 2月" shows three.
        const int width = runs[i].second - runs[i].first + 1;
        if (expected[i] == 11) EXPECT_LT(width, 30);
        else EXPECT_GT(width, 33);
    }
}

// A steady weight's line runs at one row from point to point, across a day
// without weight too; that day has no point of its own, even at the bottom.
TEST(LineGraphPixels, CirclesUpTo120DaysSinglePixelsFrom150AndNoPointWithoutAValue) {
    const struct {
        int period;
        const char* key;
        int slot;
        bool circles, gapAfter;
    } cases[] = {{kGraphPeriodMonthly, "200402", 1, true, true}, {5, "2004", 10, true, false},
                 {6, "2004", 10, false, false}};  // 120 and 150 days
    for (const auto& c : cases) {
        SCOPED_TRACE(c.period);
        const DrawnGraph graph(1000, kChartWeight, c.period, c.key, "2004/07/01");
        const int x = graph.SlotColumn(c.slot), next = graph.SlotColumn(c.slot + 1);
        const int row = graph.LineRow(c.gapAfter ? next : (x + next) / 2);
        ASSERT_GE(row, 0);
        EXPECT_EQ(graph.At(x, row), kLeft);
        // A circle reaches two rows above and below it; a single pixel does not.
        EXPECT_EQ((graph.At(x, row - 2) == kLeft) + (graph.At(x, row + 2) == kLeft), c.circles ? 2 : 0);
        EXPECT_EQ(graph.At(x, row + 4), kWhite);
        if (!c.gapAfter) continue;
        EXPECT_EQ(graph.At(next, row - 2), kWhite) << "no circle on the day without weight";
        for (int y = row + 1; y <= graph.plot.bottom; ++y) ASSERT_NE(graph.At(next, y), kLeft) << y;
    }
}

TEST(LineGraphPixels, PointsStayInsideThePlot) {
    // 5 kcal of exercise on 02-02: the kcal axis puts it below the plot's
    // bottom row; its circle must not paint over the dates below the plot.
    const DrawnGraph graph(1000, kChartExercise, kGraphPeriodMonthly, "200402", "2004/03/15");
    const int x = graph.SlotColumn(1);
    EXPECT_EQ(graph.At(x, graph.plot.bottom), kLeft) << "the point is at the plot's bottom";
    EXPECT_EQ(graph.Count(kLeft, x - 2, graph.plot.bottom + 1, x - 1, graph.layout.height), 0);
}

// March 2004 from the 5th, a weight that swings by 2 kg a day.
std::vector<DailyRecord> Swings() {
    std::vector<DailyRecord> days;
    for (CalendarDate date = {2004, 3, 5}; date.month == 3; date = advanceDate(date, 1)) {
        char key[16];
        std::snprintf(key, sizeof key, "%04d%02d%02d", date.year, date.month, date.day);
        days.push_back(DayRecord(key, date.day % 2 ? 61.0 : 59.0));
    }
    return days;
}

TrendSeries TrendOf(const std::vector<DailyRecord>& days) {
    return ComputeTrend(days.data(), static_cast<std::uint32_t>(days.size()), TrendQuantity::kWeight);
}

// The trend runs between the swings, 3 pixels thick in its own lighter colour
// under the points, from the first weighed day to the last; none without it.
TEST(LineGraphPixels, TrendRunsBetweenTheSwingsFromTheFirstDayToTheLast) {
    const std::vector<DailyRecord> days = Swings();
    const TrendSeries trend = TrendOf(days);
    const DrawnGraph with(1000, kChartWeight, kGraphPeriodMonthly, "200403", "2004/03/31", days, &trend);
    const DrawnGraph without(1000, kChartWeight, kGraphPeriodMonthly, "200403", "2004/03/31", days);
    const GraphPlot& plot = with.plot;
    EXPECT_EQ(without.Count(kLeftTrend, 0, 0, with.layout.width, with.layout.height), 0);
    for (int slot : {1, 3}) {
        const int column = with.SlotColumn(slot);
        EXPECT_EQ(with.Count(kLeftTrend, column, plot.top, column + 1, plot.bottom), 0) << "before 03-05: " << slot;
    }
    // Where the points' line crosses it, it may hide the trend in one column, never in three.
    for (int x = with.SlotColumn(4) + 2; x < with.SlotColumn(30) - 1; ++x)
        ASSERT_GT(with.Count(kLeftTrend, x - 1, plot.top, x + 2, plot.bottom), 0) << x;
    const int x = with.SlotColumn(20);
    int top = -1, bottom = -1;
    for (int y = plot.top; y < plot.bottom; ++y) {
        if (with.At(x, y) != kLeftTrend) continue;
        if (top < 0) top = y;
        bottom = y;
    }
    ASSERT_GE(top, 0);
    EXPECT_GE(bottom - top + 1, 3);
    EXPECT_LT(with.LineRow(x), top) << "61 kg above the trend";
    EXPECT_GT(without.LineRow(with.SlotColumn(21)), bottom) << "59 kg below it";
}

// February at 50 kg pulls March's trend below the axis of March's points, for
// much of the month: what lies below is cut at the plot's foot, never drawn
// over the dates. February's damaged weights (1e10, not a number, negative) are gaps.
TEST(LineGraphPixels, TrendStaysInsideThePlot) {
    std::vector<DailyRecord> days;
    for (int day = 1; day <= 29; ++day) {
        char key[16];
        std::snprintf(key, sizeof key, "200402%02d", day);
        days.push_back(DayRecord(key, 50.0));
    }
    days[3].weight = 1e10;
    days[6].weight = std::nan("");
    days[9].weight = -5;
    for (const DailyRecord& day : Swings()) days.push_back(day);
    const TrendSeries trend = TrendOf(days);
    for (double value : trend.values) ASSERT_TRUE(value >= 50.0 && value <= 61.0) << value;
    const DrawnGraph graph(1000, kChartWeight, kGraphPeriodMonthly, "200403", "2004/03/31", days, &trend);
    const GraphPlot& plot = graph.plot;
    const int inside = graph.Count(kLeftTrend, plot.left, plot.top, plot.right + 1, plot.bottom + 1);
    EXPECT_GT(inside, 0) << "the month's last days";
    EXPECT_EQ(graph.Count(kLeftTrend, 0, 0, graph.layout.width, graph.layout.height), inside);
    EXPECT_EQ(graph.Count(kLeftTrend, graph.SlotColumn(0), 0, graph.SlotColumn(5), graph.layout.height), 0)
        << "the first days lie below the axis: cut";
}

}  // namespace
