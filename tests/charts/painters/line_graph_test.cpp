// The line graph as it is drawn under Wine, probed pixel by pixel: the month
// slots, the 30-day labels, circles and single pixels, a day without a value,
// a graph without items, and points that stay inside the plot.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "charts/chart_items.h"
#include "charts/chart_palette.h"
#include "charts/graph_axis.h"
#include "charts/painters/chart_drawing.h"
#include "charts/painters/line_graph.h"
#include "support/dib_context.h"

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBand = RGB(188, 227, 153);   // scheme 0, colour 1
constexpr COLORREF kLeft = RGB(112, 101, 210);   // palette 43
constexpr COLORREF kRight = RGB(226, 72, 163);   // palette 44
constexpr int kAscent = 16;
constexpr int kListHeight = 300;
constexpr int kComboHeight = 20;

struct Day {
    char date[kDateLength + 1];
    double weight;
    unsigned exercise;
};

// A window-sized canvas with the graph drawn on it, and where its parts lie.
class DrawnGraph {
public:
    DrawnGraph(int width, int height, const std::vector<Day>& days, int left, int right, int period,
               const char* key, const char* calendar)
        : target_(width, height), palette_(CreateChartPalette(0)) {
        for (const Day& day : days) {
            DailyRecord record = {};
            std::memcpy(record.date, day.date, kDateLength);
            record.weight = day.weight;
            record.exercise = day.exercise;
            records_.push_back(record);
        }
        header_.height = 160;
        LineGraphInput input;
        input.windowWidth = width;
        input.windowHeight = height;
        input.ascent = kAscent;
        input.listHeight = kListHeight;
        input.itemComboHeight = kComboHeight;
        input.leftItem = left;
        input.rightItem = right;
        input.period = period;
        input.periodKey = key;
        input.calendarText = calendar;
        input.records = records_.data();
        input.count = static_cast<std::uint32_t>(records_.size());
        input.header = &header_;
        input.flags = &flags_;
        drawGraph(target_.dc(), palette_, input);

        layout_ = ComputeGraphLayout(width, height, kAscent, kListHeight, kComboHeight);
        HFONT font = CreateGraphFont(8, 16);
        HGDIOBJ old = SelectObject(target_.dc(), font);
        SIZE zeros = {};
        GetTextExtentPoint32A(target_.dc(), "000", 3, &zeros);
        SelectObject(target_.dc(), old);
        DeleteObject(font);
        plot_ = GraphPlotOf(layout_, zeros.cx, zeros.cy);
        axis_ = LayOutHorizontalAxis(
            FindGraphPeriod(period, key, calendar, records_.data(), static_cast<std::uint32_t>(records_.size())),
            plot_.width);
    }
    ~DrawnGraph() { DeleteObject(palette_); }

    // A pixel by its place in the graph bitmap.
    COLORREF At(int x, int y) const { return GetPixel(target_.dc(), x + kGraphLeft, y + layout_.top); }
    // The bitmap column of slot K's points and ticks.
    int SlotColumn(int slot) const { return plot_.left + SlotX(axis_, slot) + kPointShift; }
    const GraphPlot& plot() const { return plot_; }
    const GraphLayout& layout() const { return layout_; }
    const HorizontalAxis& axis() const { return axis_; }

    int CountColor(COLORREF color) const {
        int count = 0;
        for (int y = 0; y < layout_.height; ++y)
            for (int x = 0; x < layout_.width; ++x) count += At(x, y) == color;
        return count;
    }

    // Runs of columns holding white in the label band below the plot; gaps
    // between the glyphs of one label are bridged.
    std::vector<std::pair<int, int>> LabelRuns() const {
        std::vector<std::pair<int, int>> runs;
        for (int x = 0; x < layout_.width; ++x) {
            bool white = false;
            for (int y = plot_.bottom + 2; y < layout_.height && !white; ++y) white = At(x, y) == kWhite;
            if (!white) continue;
            if (!runs.empty() && x - runs.back().second <= 6) runs.back().second = x;
            else runs.push_back({x, x});
        }
        return runs;
    }

private:
    DibContext target_;
    HPALETTE palette_;
    std::vector<DailyRecord> records_;
    UserHeader header_ = {};
    InputItemFlags flags_ = {{1, 1, 1, 1, 1, 1, 1}};
    GraphLayout layout_ = {};
    GraphPlot plot_ = {};
    HorizontalAxis axis_;
};

std::vector<Day> DaysFrom(int year, int month, int day, int count, double weight) {
    std::vector<Day> days;
    CalendarDate date = {year, month, day};
    for (int i = 0; i < count; ++i, date = advanceDate(date, 1)) {
        Day one = {};
        std::snprintf(one.date, sizeof one.date, "%04d%02d%02d", date.year, date.month, date.day);
        one.weight = weight;
        days.push_back(one);
    }
    return days;
}

// Ticks are one pixel of band colour in the white plot, just above its bottom.
int TickColumns(const DrawnGraph& graph) {
    int ticks = 0;
    for (int x = graph.plot().left; x < graph.plot().right; ++x) ticks += graph.At(x, graph.plot().bottom - 3) == kBand;
    return ticks;
}

TEST(LineGraphPixels, MonthHasASlotPerDayAndNoItemsLeaveFrameAndAxisOnly) {
    struct Case {
        const char* key;
        int left, right;
        int slots;
    } cases[] = {
        {"200402", kChartWeight, kChartNone, 29},
        {"200502", kChartWeight, kChartNone, 28},
        {"200402", kChartNone, kChartNone, 29},
    };
    const std::vector<Day> days = DaysFrom(2004, 2, 1, 29, 60.0);
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.key) + " items " + std::to_string(c.left));
        DrawnGraph graph(1000, 640, days, c.left, c.right, kGraphPeriodMonthly, c.key, "2004/03/15");
        EXPECT_EQ(TickColumns(graph), c.slots);
        EXPECT_EQ(graph.At(0, 0), kBand);
        EXPECT_EQ(graph.At(graph.layout().width - 1, graph.layout().height - 1), kBand);
        const int weighed = graph.CountColor(kLeft);
        if (c.left == kChartNone) {
            EXPECT_EQ(weighed, 0);
            EXPECT_EQ(graph.CountColor(kRight), 0);
        } else {
            EXPECT_GT(weighed, 0) << "February 2004 has its days weighed";
        }
    }
}

TEST(LineGraphPixels, ThirtyDaysLabelEverySecondSlotAndAMonthsFirstDayBetween) {
    // From 2004-01-21: February 1st falls on slot 11, an odd one.
    const std::vector<Day> days = DaysFrom(2004, 1, 20, 40, 60.0);
    DrawnGraph graph(2000, 640, days, kChartWeight, kChartNone, 2, "2004", "2004/02/18");
    std::vector<int> expected;
    for (int slot = 0; slot < 30; slot += 2) expected.push_back(slot);
    expected.insert(expected.begin() + 6, 11);
    const auto runs = graph.LabelRuns();
    ASSERT_EQ(runs.size(), expected.size());
    for (std::size_t i = 0; i < runs.size(); ++i) {
        const int slot = expected[i];
        const int centre = graph.plot().left + SlotX(graph.axis(), slot) + kLabelShift;
        const int width = runs[i].second - runs[i].first + 1;
        SCOPED_TRACE("slot " + std::to_string(slot));
        EXPECT_NEAR((runs[i].first + runs[i].second) / 2.0, centre, 6);
        // "01/21" is five half-width characters; " 2月" shows three.
        if (slot == 11) EXPECT_LT(width, 30);
        else EXPECT_GT(width, 33);
    }
}

TEST(LineGraphPixels, CirclesUpTo120DaysSinglePixelsFrom150) {
    struct Case {
        int period;
        bool circles;
    } cases[] = {{5, true}, {6, false}};  // 120 and 150 days
    const std::vector<Day> days = DaysFrom(2004, 1, 1, 200, 60.0);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.period);
        DrawnGraph graph(1000, 640, days, kChartWeight, kChartNone, c.period, "2004", "2004/07/01");
        const int x = graph.SlotColumn(10);
        // The line of a steady weight, found between two points, runs through the point.
        const int between = (x + graph.SlotColumn(11)) / 2;
        int row = -1;
        for (int y = graph.plot().top; y < graph.plot().bottom && row < 0; ++y)
            if (graph.At(between, y) == kLeft) row = y;
        ASSERT_GE(row, 0);
        EXPECT_EQ(graph.At(x, row), kLeft);
        // A circle reaches two rows above and below it; a single pixel does not.
        EXPECT_EQ(graph.At(x, row - 2) == kLeft, c.circles);
        EXPECT_EQ(graph.At(x, row + 2) == kLeft, c.circles);
        EXPECT_EQ(graph.At(x, row + 4), kWhite);
    }
}

TEST(LineGraphPixels, ADayWithoutWeightHasNoPointAndTheLineJoinsItsNeighbours) {
    std::vector<Day> days = DaysFrom(2004, 2, 1, 5, 60.0);
    days[2].weight = 0;  // 02-03
    DrawnGraph graph(1000, 640, days, kChartWeight, kChartNone, kGraphPeriodMonthly, "200402", "2004/03/15");
    const int before = graph.SlotColumn(1), gap = graph.SlotColumn(2);
    int row = -1;
    for (int y = graph.plot().top; y < graph.plot().bottom && row < 0; ++y)
        if (graph.At(gap, y) == kLeft) row = y;
    ASSERT_GE(row, 0) << "the line crosses the day without weight";
    EXPECT_EQ(graph.At(before, row - 2), kLeft) << "the day before has its circle";
    EXPECT_EQ(graph.At(gap, row - 2), kWhite) << "no circle on the day without weight";
    EXPECT_EQ(graph.At(gap, row + 2), kWhite);
    for (int y = row + 1; y <= graph.plot().bottom; ++y) ASSERT_NE(graph.At(gap, y), kLeft) << y;
}

TEST(LineGraphPixels, PointsStayInsideThePlot) {
    // 5 kcal of exercise on a day: the kcal axis puts it below the plot's bottom
    // row; its circle must not paint over the dates below the plot.
    std::vector<Day> days = DaysFrom(2004, 2, 1, 3, 60.0);
    days[0].exercise = 300;
    days[1].exercise = 5;
    days[2].exercise = 300;
    DrawnGraph graph(1000, 640, days, kChartExercise, kChartNone, kGraphPeriodMonthly, "200402", "2004/03/15");
    const int x = graph.SlotColumn(1);
    EXPECT_EQ(graph.At(x, graph.plot().bottom), kLeft) << "the point is at the plot's bottom";
    for (int y = graph.plot().bottom + 1; y < graph.layout().height; ++y)
        EXPECT_NE(graph.At(x - 2, y), kLeft) << y;
}

}  // namespace
