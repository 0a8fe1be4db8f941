// The line graph's arithmetic: which records a period holds, the slots,
// labels and ticks of its horizontal axis, and where each day's point goes.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "charts/chart_dates.h"
#include "charts/chart_items.h"
#include "charts/dash_pattern.h"
#include "charts/graph_axis.h"
#include "charts/graph_series.h"
#include "evaluation/test_records.h"

namespace {

// Days from `first` on, one record a day, weighing 60 kg plus a tenth per day.
std::vector<DailyRecord> Days(CalendarDate first, int count) {
    std::vector<DailyRecord> records;
    for (int i = 0; i < count; ++i, first = advanceDate(first, 1)) {
        char key[kDateLength];
        DateKeyOf(first, key);
        records.push_back(DayRecord(key, 60.0 + i * 0.1));
    }
    return records;
}

// The labels as "slot:label " pieces, "^" and "$" marking the ends.
std::string Labels(const HorizontalAxis& axis) {
    std::string all = "^";
    for (const AxisMark& mark : axis.marks)
        if (mark.label[0]) all += std::to_string(mark.slot) + ":" + mark.label + " ";
    return all + "$";
}

int Ticks(const HorizontalAxis& axis, int height) {
    int ticks = 0;
    for (const AxisMark& mark : axis.marks) ticks += mark.tickHeight == height;
    return ticks;
}

TEST(GraphPeriod, RecordsOfAMonthAYearAndNDays) {
    const std::vector<DailyRecord> records = Days({2003, 12, 20}, 120);  // 2003-12-20 .. 2004-04-17
    constexpr GraphPeriodKind kNone = GraphPeriodKind::kNone;
    struct Case {
        int period;
        const char *key, *calendar;
        GraphPeriodKind kind;
        const char* firstDate = "";  // of the period's records
        unsigned count = 0;
    } cases[] = {
        {kGraphPeriodMonthly, "200402", "2004/04/01", GraphPeriodKind::kMonth, "20040201", 29},
        {kGraphPeriodYearly, "2004", "2004/04/01", GraphPeriodKind::kYear, "20040101", 108},
        {kGraphPeriodYearly, "2003", "2004/04/01", GraphPeriodKind::kYear, "20031220", 12},
        // 30 days up to 03-01 (a leap year): from the first record after 02-01.
        {2, "2004", "2004/03/01", GraphPeriodKind::kDays, "20040202", 30},
        // The diary starts inside the window: the graph starts with it and runs 30 days on.
        {2, "2003", "2003/12/31", GraphPeriodKind::kDays, "20031220", 30},
        // No record after the window's first day: the window itself, empty.
        {3, "2005", "2005/06/30", GraphPeriodKind::kDays, "", 0},
        // Nothing for a bad key or calendar date, or no period chosen.
        {kGraphPeriodMonthly, "200413", "2004/04/01", kNone}, {kGraphPeriodMonthly, "", "2004/04/01", kNone},
        {kGraphPeriodYearly, "20", "2004/04/01", kNone}, {2, "2004", "", kNone},
        {kNoGraphPeriod, "2004", "2004/04/01", kNone}, {kGraphPeriodUnselected, "2004", "2004/04/01", kNone},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.period) + " " + c.key + " " + c.calendar);
        const GraphPeriod period = FindGraphPeriod(c.period, c.key, c.calendar, records.data(), 120);
        EXPECT_EQ(period.kind, c.kind);
        EXPECT_EQ(period.end - period.first, c.count);
        EXPECT_EQ(c.count > 0 ? std::string(records[period.first].date, 8) : "", c.firstDate);
    }
    const GraphPeriod window = FindGraphPeriod(3, "2005", "2005/06/30", records.data(), 120);
    // 60 days ending 06-30 (2005 has no February 29).
    EXPECT_EQ((std::vector<int>{window.days, window.start.month, window.start.day}), (std::vector<int>{60, 5, 2}));
    const GraphPeriod none = FindGraphPeriod(2, "2004", "2004/03/01", nullptr, 0);
    EXPECT_TRUE(none.kind == GraphPeriodKind::kDays && none.end == none.first);
}

TEST(GraphPeriod, HalvingFindsWhatWalkingFinds) {
    std::vector<DailyRecord> records = Days({2004, 1, 1}, 400);
    records.erase(records.begin() + 40, records.begin() + 70);  // a month away
    const uint32_t count = static_cast<uint32_t>(records.size());
    for (CalendarDate end = {2004, 1, 1}; end.year < 2005 || end.month < 3; end = advanceDate(end, 7)) {
        for (int n : {1, 30, 90, 360}) {
            char key[8];
            DateKeyOf(StepBackDays(end, n - 1), key);
            uint32_t walked = 0;
            while (walked < count && std::string(records[walked].date, 8) <= std::string(key, 8)) ++walked;
            EXPECT_EQ(periodStartIndex(records.data(), count, end, n), walked < count ? walked : 0u);
        }
    }
}

TEST(HorizontalAxis, SlotsLabelsAndTicksOfEachPeriod) {
    const std::vector<DailyRecord> records = Days({2004, 1, 20}, 40);
    const struct {
        int code;
        const char *key, *calendar;
        double pixelsPerSlot;
        const char* labels;  // a piece of them
        int currentSlot, marks, shortTicks, longTicks, tickShift;
    } cases[] = {
        // A month: a slot, a label and a short tick per day; the calendar's day marked.
        {kGraphPeriodMonthly, "200402", "2004/02/10", 600.0 / 29, " 28:29 $", 9, 29, 29, 0, kPointShift},
        {kGraphPeriodMonthly, "200502", "2004/02/10", 600.0 / 28, " 27:28 $", -1, 28, 28, 0, kPointShift},
        // The year: month labels one slot above their slot-table entry, the current date's slot.
        {kGraphPeriodYearly, "2004", "2004/03/05", 600.0 / 376, "^0:1月 33:2月 62:3月 ", 5 + 61, 12, 12, 0,
         kLabelShift},
        // 30 days from 2004-01-21: dates on even slots, "%2d月" on the odd slot of 02-01.
        {2, "2004", "2004/02/18", 590.0 / 30, "^0:01/21 2:01/23 4:01/25 6:01/27 8:01/29 10:01/31 11: 2月 12:02/02 ",
         28, 30, 30, 0, kPointShift},
        // 90 days: the 1st and the 15th labelled with long ticks, short ticks between.
        {4, "2004", "2004/04/18", 590.0 / 90, "^11:02/01 25:02/15 40:03/01 54:03/15 71:04/01 85:04/15 $", 88, 90, 84, 6,
         kPointShift},
        // 150 days: the months alone, each with a long tick, and no other tick.
        {6, "2004", "2004/06/17", 590.0 / 150, "^11: 2月 40: 3月 71: 4月 101: 5月 132: 6月 $", 148, 5, 0, 5,
         kPointShift},
    };
    auto axisOf = [&](int code, const char* key, const char* calendar, int plotWidth) {
        return LayOutHorizontalAxis(FindGraphPeriod(code, key, calendar, records.data(), 40), plotWidth);
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.key) + " " + c.labels);
        const HorizontalAxis axis = axisOf(c.code, c.key, c.calendar, 600);
        EXPECT_TRUE(axis.shown);
        EXPECT_DOUBLE_EQ(axis.pixelsPerSlot, c.pixelsPerSlot);
        EXPECT_NE(Labels(axis).find(c.labels), std::string::npos) << Labels(axis);
        EXPECT_EQ(axis.currentSlot, c.currentSlot);
        EXPECT_EQ((std::vector<int>{static_cast<int>(axis.marks.size()), Ticks(axis, kShortTick),
                                    Ticks(axis, kLongTick), axis.tickShift}),
                  (std::vector<int>{c.marks, c.shortTicks, c.longTicks, c.tickShift}));
    }
    // Nothing for no period or a plot without width.
    EXPECT_FALSE(axisOf(kNoGraphPeriod, "2004", "2004/02/18", 600).shown);
    EXPECT_FALSE(axisOf(2, "2004", "2004/02/18", 10).shown);
}

// A narrow 30-day graph cannot hold "11/30", "12月" and "12/02" side by side:
// the month's name stays, the dates that would touch it go; a wide one keeps all.
TEST(HorizontalAxis, CrowdedLabelsLeaveRoomForTheMonth) {
    const std::vector<DailyRecord> records = Days({2026, 11, 10}, 30);  // 12-01 on slot 21
    const struct {
        int plotWidth, drawn;  // of the 16 labels
        bool neighboursDrawn;
    } cases[] = {{1200, 16, true}, {740, 14, false}, {400, 8, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.plotWidth);
        const HorizontalAxis axis =
            LayOutHorizontalAxis(FindGraphPeriod(2, "2026", "2026/12/08", records.data(), 30), c.plotWidth);
        std::vector<int> widths;
        for (const AxisMark& mark : axis.marks) widths.push_back(8 * static_cast<int>(std::strlen(mark.label)) + 1);
        const std::vector<bool> drawn = LabelsWithRoom(axis, widths);
        int count = 0, lastRight = -1000;
        for (size_t i = 0; i < axis.marks.size(); ++i) {
            if (!drawn[i]) continue;
            ++count;
            const int left = SlotX(axis, axis.marks[i].slot) + kLabelShift - widths[i] / 2;
            EXPECT_GE(left, lastRight + 2) << axis.marks[i].label;
            lastRight = left + widths[i];
        }
        EXPECT_EQ(count, c.drawn);
        // Every slot has a mark: mark i is slot i, and the month's name always stays.
        EXPECT_TRUE(drawn[21] && std::string(axis.marks[21].label) == "12月") << axis.marks[21].label;
        EXPECT_EQ(drawn[20] && drawn[22], c.neighboursDrawn);
    }
}

TEST(GraphSeries, PointsSitInTheirSlotsAndDaysWithoutAValueLeaveGaps) {
    std::vector<DailyRecord> records = Days({2004, 2, 27}, 5);  // 02-27 .. 03-02
    records[2].weight = 0;                                      // 02-29 not weighed
    const UserHeader header = HeaderOfHeight(160);
    const InputItemFlags flags = {{1, 1, 1, 1, 1, 1, 1}};
    auto seriesOf = [&](int code, const char* key, int item) {
        const GraphPeriod period = FindGraphPeriod(code, key, "2004/03/02", records.data(), 5);
        return CollectSeries(period, records.data(), item, header, flags);
    };
    auto slots = [&](int code, const char* key) {
        std::string all;
        for (const SeriesPoint& point : seriesOf(code, key, kChartWeight).points) all += std::to_string(point.slot) + " ";
        return all;
    };
    EXPECT_EQ(slots(kGraphPeriodMonthly, "200402"), "26 27 ");
    EXPECT_EQ(slots(kGraphPeriodYearly, "2004"), "60 61 63 64 ");  // D + entry + 1
    EXPECT_EQ(slots(2, "2004"), "0 1 3 4 ");                        // 30 days from 02-27
    const GraphSeries weights = seriesOf(2, "2004", kChartWeight);
    EXPECT_EQ((std::vector<double>{weights.smallest, weights.largest}), (std::vector<double>{60.0, 60.4}));
    EXPECT_FALSE(seriesOf(2, "2004", kChartNone).HasValues());
    // Rows from the anchor: 0.1 kg is s pixels; kcal count one to one.
    EXPECT_EQ(SeriesRow(4.5, 64.0, 50, 63.0, valueScale(kChartWeight)), 95);
    EXPECT_EQ(SeriesRow(0.25, 2400, 30, 2000, valueScale(kChartIntake)), 130);
    EXPECT_EQ(SeriesRow(1e300, 1, 0, -1e300, 10), 1000000);
}

TEST(ChartItems, AvailableWithTheirInputItems) {
    const InputItemFlags none = {{0, 0, 0, 0, 0, 0, 0}};
    const InputItemFlags sleepOnly = {{0, 0, 0, 1, 0, 0, 0}};
    const InputItemFlags all = {{1, 1, 1, 1, 1, 1, 1}};
    std::string available;
    for (int item = -1; item <= kChartItemCount; ++item)
        available += std::to_string(ChartItemAvailable(item, none)) + std::to_string(ChartItemAvailable(item, sleepOnly)) +
                     std::to_string(ChartItemAvailable(item, all)) + " ";
    // none, weight always; evaluation with sleep alone; nothing outside 0..9.
    EXPECT_EQ(available, "000 111 111 001 001 001 001 001 011 001 011 000 ");
}

// Dashed lines as pieces of a solid one: the pattern runs on across corners.
TEST(DashPattern, PiecesOfAPolyline) {
    auto text = [](const std::vector<std::vector<ChartPoint>>& pieces) {
        std::string all;
        for (const auto& piece : pieces) {
            all += "[";
            for (const ChartPoint& p : piece) all += std::to_string(p.x) + "," + std::to_string(p.y) + " ";
            all += "]";
        }
        return all;
    };
    struct Case {
        std::vector<ChartPoint> line;
        DashPattern pattern;
        const char* pieces;
    } cases[] = {
        {{{0, 0}, {10, 0}}, {}, "[0,0 10,0 ]"},                                   // solid: the line itself
        {{{0, 0}, {10, 0}}, {3, 2}, "[0,0 3,0 ][5,0 8,0 ]"},                      // ends in a gap
        {{{0, 0}, {4, 0}, {4, 4}}, {3, 2}, "[0,0 3,0 ][4,1 4,4 ]"},                // the gap turns the corner
        {{{0, 0}, {2, 0}, {2, 5}}, {4, 1}, "[0,0 2,0 2,2 ][2,3 2,5 ]"},            // a dash turns it
        {{{0, 0}}, {3, 2}, ""},                                                      // a single point: nothing
        {{{0, 0}, {0, -6}}, {2, 2}, "[0,0 0,-2 ][0,-4 0,-6 ]"},
    };
    for (const Case& c : cases) EXPECT_EQ(text(DashedPieces(c.line, c.pattern)), c.pieces);
}

}  // namespace
