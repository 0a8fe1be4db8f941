#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "charts/chart_items.h"
#include "charts/graph_series.h"
#include "charts/value_axis.h"

namespace {

std::vector<AxisLabel> Labels(const ValueAxisLayout& layout, int height) {
    std::vector<AxisLabel> labels(2000);
    labels.resize(ValueAxisLabels(layout, height, labels.data(), static_cast<int>(labels.size())));
    return labels;
}

TEST(ValueAxis, WeightsInAThreeHundredPixelPlot) {
    ValueAxisLayout axis = LayoutValueAxis(kChartWeight, 64.8, 61.2, 300, 16);
    ASSERT_TRUE(axis.usable);
    EXPECT_NEAR(axis.topValue, 65.8, 1e-9);
    EXPECT_NEAR(axis.bottomValue, 59.2, 1e-9);
    EXPECT_NEAR(axis.scale, 300 / 6.6 / 10, 1e-9);  // about 4.545 pixels per 0.1 kg
    EXPECT_NEAR(axis.firstRow, 46.45, 0.01);
    EXPECT_EQ(axis.labelFontHeight, 16);
    EXPECT_EQ(axis.labelEvery, 1);  // 45.45 pixels per kg leave room for every label

    std::vector<AxisLabel> labels = Labels(axis, 300);
    ASSERT_EQ(labels.size(), 5u);
    EXPECT_NEAR(labels[0].value, 64.0, 1e-9);  // the line 64.8 − 0.8: the anchor
    EXPECT_NEAR(labels[0].row, 46.45 + 8 * axis.scale, 0.01);
    EXPECT_NEAR(labels[4].value, 60.0, 1e-9);
}

TEST(ValueAxis, CrowdedLabelsAreThinnedOut) {
    // 60 to 70 kg in 60 pixels: 4.6 pixels per kg, so every 4th whole number for a 16-pixel font.
    ValueAxisLayout axis = LayoutValueAxis(kChartWeight, 70.0, 60.0, 60, 16);
    EXPECT_EQ(axis.labelEvery, 4);
    std::vector<AxisLabel> labels = Labels(axis, 60);
    ASSERT_GE(labels.size(), 2u);
    EXPECT_NEAR(labels[0].value - labels[1].value, 4.0, 1e-9);
}

TEST(ValueAxis, IntakeLabelsEveryHundredOrFifty) {
    ValueAxisLayout axis = LayoutValueAxis(kChartIntake, 2400, 1500, 300, 16);
    EXPECT_EQ(axis.topValue, 2500);
    EXPECT_EQ(axis.bottomValue, 1300);
    EXPECT_DOUBLE_EQ(axis.scale, 0.25);
    EXPECT_EQ(axis.labelFontHeight, 12);
    EXPECT_EQ(axis.labelMultiple, 100);  // 25 pixels per 100 kcal is not above 2.2 × 12
    EXPECT_EQ(axis.startValue, 2499);
    std::vector<AxisLabel> labels = Labels(axis, 300);
    ASSERT_FALSE(labels.empty());
    EXPECT_EQ(labels[0].value, 2400);
    // The loop stops half a label above the bottom.
    EXPECT_LT(labels.back().row, 300 - 6);

    ValueAxisLayout roomy = LayoutValueAxis(kChartIntake, 2400, 1500, 600, 16);
    EXPECT_EQ(roomy.labelMultiple, 50);  // 50 pixels per 100 kcal
}

TEST(ValueAxis, BottomsDoNotGoBelowZero) {
    EXPECT_EQ(LayoutValueAxis(kChartIntake, 900, 150, 300, 16).bottomValue, 0);
    EXPECT_EQ(LayoutValueAxis(kChartExercise, 900, 250, 300, 16).bottomValue, 50);
    EXPECT_EQ(LayoutValueAxis(kChartSteps, 5000, 800, 300, 16).bottomValue, 0);
}

TEST(ValueAxis, Steps) {
    ValueAxisLayout axis = LayoutValueAxis(kChartSteps, 12345, 3000, 300, 16);
    EXPECT_EQ(axis.topValue, 13345);
    EXPECT_EQ(axis.bottomValue, 2000);
    EXPECT_EQ(axis.startValue, 12000);
    EXPECT_EQ(axis.labelFontHeight, 9);  // trunc(0.6 × 16)
    std::vector<AxisLabel> labels = Labels(axis, 300);
    ASSERT_FALSE(labels.empty());
    EXPECT_EQ(labels[0].value, 12000);
    for (const AxisLabel& label : labels) EXPECT_EQ(static_cast<long>(label.value) % 1000, 0);
}

TEST(ValueAxis, TemperatureAndSleepLabelHalves) {
    ValueAxisLayout axis = LayoutValueAxis(kChartTemperature, 37.2, 36.0, 300, 16);
    EXPECT_NEAR(axis.startValue, 37.7, 1e-9);
    std::vector<AxisLabel> labels = Labels(axis, 300);
    ASSERT_GE(labels.size(), 3u);
    EXPECT_NEAR(labels[0].value, 37.5, 1e-9);
    EXPECT_NEAR(labels[1].value, 37.0, 1e-9);
    EXPECT_NEAR(labels[2].value, 36.5, 1e-9);

    ValueAxisLayout sleep = LayoutValueAxis(kChartSleep, 8.0, 6.0, 300, 16);
    EXPECT_NEAR(sleep.topValue, 8.5, 1e-9);
    EXPECT_NEAR(sleep.bottomValue, 5.0, 1e-9);
}

TEST(ValueAxis, FixedSpansOfConditionAndEvaluation) {
    ValueAxisLayout condition = LayoutValueAxis(kChartCondition, 3, 1, 300, 16);
    EXPECT_NEAR(condition.scale, 300 / 6.0 / 10, 1e-9);
    EXPECT_EQ(condition.startValue, 6);
    ValueAxisLayout evaluation = LayoutValueAxis(kChartEvaluation, 5, 1, 250, 16);
    EXPECT_NEAR(evaluation.scale, 250 / 5.0 / 10, 1e-9);
    std::vector<AxisLabel> labels = Labels(evaluation, 250);
    ASSERT_EQ(labels.size(), 5u);
    EXPECT_NEAR(labels[0].value, 5.0, 1e-9);
    EXPECT_NEAR(labels[4].value, 1.0, 1e-9);
}

TEST(ValueAxis, RightSideLargestHasFivePercentRoom) {
    EXPECT_EQ(RightAxisLargest(64.8), 68);
    EXPECT_EQ(RightAxisLargest(70.0), 73);
    // Weights of 60 to 70 kg on the right: the axis spans 74 down to 58.
    ValueAxisLayout right = LayoutValueAxis(kChartWeight, RightAxisLargest(70.0), 60.0, 300, 16);
    EXPECT_EQ(right.topValue, 74);
    EXPECT_EQ(right.startValue, 73);
}

// Stepping down by 0.1 drifts: 55.6 − 6 × 0.1 is a hair below 55. A label
// holds the value it shows, so that a target or a point of exactly that value
// sits on the label's row and not one row above it, where the target line,
// which starts at the anchor, was lost.
TEST(ValueAxis, LabelsHoldTheValuesTheyShow) {
    struct Case {
        int item;
        double largest, smallest, anchor;
    } cases[] = {
        {kChartWeight, 55.6, 53.4, 55},    {kChartWeight, 58.9, 53.4, 58},  {kChartBodyFat, 25.6, 23.2, 25},
        {kChartTemperature, 37.2, 36.0, 37.5}, {kChartSleep, 7.9, 6.1, 7.5}, {kChartIntake, 2350, 1500, 2400},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.largest);
        ValueAxisLayout axis = LayoutValueAxis(c.item, c.largest, c.smallest, 300, 16);
        std::vector<AxisLabel> labels = Labels(axis, 300);
        ASSERT_FALSE(labels.empty());
        EXPECT_EQ(labels[0].value, c.anchor);
        for (const AxisLabel& label : labels) EXPECT_EQ(label.value * 2, std::round(label.value * 2));
        const int anchorRow = LabelTickRow(axis, 0, labels[0].row);
        EXPECT_EQ(SeriesRow(axis.scale, labels[0].value, anchorRow, c.anchor, valueScale(c.item)), anchorRow);
    }
}

TEST(ValueAxis, NothingForNoItemOrNoRoom) {
    EXPECT_FALSE(LayoutValueAxis(kChartNone, 70, 60, 300, 16).usable);
    EXPECT_FALSE(LayoutValueAxis(10, 70, 60, 300, 16).usable);
    EXPECT_FALSE(LayoutValueAxis(kChartWeight, 70, 60, 0, 16).usable);
    AxisLabel label;
    EXPECT_EQ(ValueAxisLabels(LayoutValueAxis(kChartNone, 70, 60, 300, 16), 300, &label, 1), 0);
    // A plot too small for a label leaves no anchor.
    EXPECT_EQ(Labels(LayoutValueAxis(kChartEvaluation, 5, 1, 10, 16), 10).size(), 0u);
}

// A damaged day far beyond anything the day dialog takes: a float's or a
// double's largest weight counted the label spacing past the largest int.
TEST(ValueAxis, GarbledValuesDoNotHang) {
    const struct {
        int item;
        double largest;
    } cases[] = {{kChartSteps, 4e9}, {kChartWeight, 3.4e38}, {kChartBodyFat, 1.7e308}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.largest);
        ValueAxisLayout axis = LayoutValueAxis(c.item, c.largest, 1, 300, 16);
        EXPECT_TRUE(axis.usable);
        EXPECT_LE(Labels(axis, 300).size(), 2000u);
    }
}

}  // namespace
