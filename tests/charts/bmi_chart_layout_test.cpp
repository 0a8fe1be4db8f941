// The BMI chart's arithmetic: panel and repaint rectangles, origins (also of
// damaged values), where bands are filled from, label steps. The drawing
// itself, with the marker and the figures, is probed under Wine.
#include <gtest/gtest.h>

#include <limits>

#include "charts/bmi_chart_layout.h"

namespace {

void ExpectBox(const ChartBox& box, int left, int top, int right, int bottom, const char* what) {
    EXPECT_EQ(box.left, left) << what;
    EXPECT_EQ(box.top, top) << what;
    EXPECT_EQ(box.right, right) << what;
    EXPECT_EQ(box.bottom, bottom) << what;
}

TEST(BmiChartLayout, PanelChartAreaAndRepaintRectanglesFollowTheAscent) {
    struct Case {
        int ascent, titleWidth, titleHeight;
    } cases[] = {{16, 9, 18}, {18, 9, 18}, {19, 8, 16}, {27, 12, 24}, {40, 17, 34}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.ascent);
        const FontSize title = BmiTitleFontSize(c.ascent);
        EXPECT_EQ(title.width, c.titleWidth);
        EXPECT_EQ(title.height, c.titleHeight);
        // A window 1000 wide, a table 415 wide, a record list 400 high.
        const BmiPanelLayout panel = LayOutBmiPanel(1000, 415, 400, c.ascent);
        const int a = c.ascent, t = c.titleHeight;
        EXPECT_EQ(panel.x, 417);
        EXPECT_EQ(panel.y, a + 5);
        EXPECT_EQ(panel.width, 581);
        EXPECT_EQ(panel.height, 404);
        EXPECT_EQ(panel.titleHeight, t);
        ExpectBox(panel.area, 6, 3 * t - 2, 575, 401, "chart area");
        // From the chart area's top down: all that changes with the analysis.
        ExpectBox(panel.chartRepaint, 417, 3 * t + a + 3, 998, 404 + 2 * a + 4, "chart");
        ExpectBox(panel.titleRepaint, 417, 2 * a + 7, 998, t + 40, "title");
    }
    // A window narrower than the table leaves the panel without area.
    EXPECT_LE(LayOutBmiPanel(400, 415, 400, 16).width, 0);
    // Analysis selectors reaching to row 86 cover the area's top (row 21 + 52 of the window) by 13 rows.
    EXPECT_EQ(LayOutBmiPanel(1000, 415, 400, 16, 86).coveredRows, 13);
    EXPECT_EQ(LayOutBmiPanel(1000, 415, 400, 16, 60).coveredRows, 0);
    EXPECT_EQ(LayOutBmiPanel(1000, 415, 400, 16).coveredRows, 0);
}

BmiScale ScaleOf(int heightOrigin, int weightOrigin) {
    // An area 388 × 349 from (6, 52); "000" 21 wide and 14 high.
    return BmiScale{{6, 52, 394, 401}, heightOrigin, weightOrigin, 21, 14};
}

TEST(BmiChartLayout, OriginsRoundDownToTenAndStepBackForty) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct Case {
        bool shown;
        double value;
        int heightOrigin, weightOrigin;
    } cases[] = {
        {true, 165.3, 120, 120},  {true, 170.0, 130, 130}, {true, 38.0, -10, 0}, {true, 62.4, 20, 20},
        {true, 49.9, 0, 0},       {false, 62.4, kNoUserHeightOrigin, 0},
        // Values from a damaged file stay in range (the conversions to int are defined).
        {true, nan, -40, 0},      {true, 1e300, 960, 960}, {true, -5.0, -40, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value);
        EXPECT_EQ(BmiHeightOrigin(c.shown, c.value), c.heightOrigin);
        EXPECT_EQ(BmiWeightOrigin(c.shown, c.value), c.weightOrigin);
    }
    // The marker of a damaged height and weight still has a place: 8 steps of 388 / 18 px from the corner.
    const ChartPoint far = BmiMarkerCentre(ScaleOf(960, 960), 1e300, std::numeric_limits<double>::infinity());
    EXPECT_EQ(far.x, 6 + 21 + 8 * 21);
}

TEST(BmiChartLayout, BandsAreFilledFromInsideTheAreaBelowTheirCurve) {
    // At 130 cm BMI 18.5 is 31 kg: row 349 - 31 × 349 / 90 = 228.8 of the area, its
    // curve point 16 above that; the fill starts 8 px right of the point, 3 below it.
    const BmiScale scale = ScaleOf(120, 0);
    ChartPoint seed = {};
    ASSERT_TRUE(BmiBandSeed(scale, 1, 18.5, &seed));
    EXPECT_EQ(seed.x, BmiCurveColumn(scale, 1) + 8);
    EXPECT_EQ(seed.y, 228 + 52 - 14 + 1);
    // A curve far above the area offers nothing; nor one whose fill would start below it.
    EXPECT_FALSE(BmiBandSeed(ScaleOf(200, 0), 19, 40.0, &seed));
    EXPECT_FALSE(BmiBandSeed(ScaleOf(120, 60), 1, 18.5, &seed));
}

TEST(BmiChartLayout, EverySecondStepIsLabelledWhenTheLabelsHaveRoom) {
    EXPECT_EQ(HeightLabelStep(21, 388), 2);  // three blanks narrower than W / 13 = 29
    EXPECT_EQ(HeightLabelStep(29, 388), 4);
    EXPECT_EQ(WeightLabelStep(14, 349), 2);  // P below I / 10 = 34
    EXPECT_EQ(WeightLabelStep(14, 140), 4);
}

// In a low chart (the frame at its minimum size) the upper weight labels would
// run into the "kg" unit; the labels that stay are the ones the tall chart has.
TEST(BmiChartLayout, WeightLabelsStayClearOfTheUnit) {
    struct Case {
        int areaHeight, coveredRows;
        int highestLabel;  // the highest labelled step
    } cases[] = {{349, 0, 14}, {349, 10, 14}, {140, 10, 12}, {125, 10, 8}, {90, 10, 4}, {40, 10, 0}};
    for (const Case& c : cases) {
        const BmiScale scale{{6, 52, 394, 52 + c.areaHeight}, 120, 20, 21, 14};
        const int unitFoot = 52 + c.coveredRows + 2 + 14;
        int highest = 0;
        for (int k = 1; k <= kBmiAxisSteps; ++k) {
            if (!BmiWeightLabelShown(scale, c.coveredRows, k)) continue;
            EXPECT_GE(BmiWeightStepRow(scale, k) - 7, unitFoot) << c.areaHeight << " step " << k;
            EXPECT_EQ(k % WeightLabelStep(14, c.areaHeight), 0);
            highest = k;
        }
        EXPECT_EQ(highest, c.highestLabel) << c.areaHeight;
    }
}

}  // namespace
