// The BMI chart's arithmetic: panel and repaint rectangles, origins (also of
// damaged values), band fills, label steps. The drawing is probed under Wine.
#include <gtest/gtest.h>

#include <array>
#include <limits>
#include <string>
#include <vector>

#include "charts/bmi_chart_layout.h"
#include "corelib/dates.h"

namespace {

using Four = std::array<int, 4>;
Four Corners(const ChartBox& box) { return {box.left, box.top, box.right, box.bottom}; }
// An area from (6, 52), 388 wide; "000" 21 wide and 14 high.
BmiScale ScaleOf(int heightOrigin, int weightOrigin, int areaHeight = 349) {
    return BmiScale{{6, 52, 394, 52 + areaHeight}, heightOrigin, weightOrigin, 21, 14};
}

TEST(BmiChartLayout, PanelChartAreaRepaintRectanglesAndTitleFollowTheAscent) {
    // {ascent a, title width, title height T}; a window 1000 wide, a table 415 wide, a record list 400 high.
    for (const Four& c : {Four{16, 9, 18}, Four{18, 9, 18}, Four{19, 8, 16}, Four{27, 12, 24}, Four{40, 17, 34}}) {
        const int a = c[0], t = c[2];
        SCOPED_TRACE(a);
        const FontSize title = BmiTitleFontSize(a);
        const BmiPanelLayout panel = LayOutBmiPanel(1000, 415, 400, a);
        EXPECT_EQ(Four({title.width, title.height, panel.titleHeight}), Four({c[1], t, t}));
        EXPECT_EQ(Four({panel.x, panel.y, panel.width, panel.height}), Four({417, a + 5, 581, 404}));
        EXPECT_EQ(Corners(panel.area), Four({6, 3 * t - 2, 575, 401}));
        // From the chart area's top down: all that changes with the analysis.
        EXPECT_EQ(Corners(panel.chartRepaint), Four({417, 3 * t + a + 3, 998, 404 + 2 * a + 4}));
        EXPECT_EQ(Corners(panel.titleRepaint), Four({417, a + 5, 998, a + 5 + 3 * t - 2}));
    }
    // On a screen of more dots per inch the fonts grow with it, as the table's do
    // (a large ascent at 96 DPI keeps its own): {dpi, ascent, title height, body height}.
    for (const Four& c : {Four{96, 13, 18, 14}, Four{120, 16, 23, 18}, Four{144, 20, 27, 21}, Four{192, 26, 36, 28},
                          Four{96, 27, 24, 14}}) {
        EXPECT_EQ(Four({c[0], c[1], BmiTitleFontSize(c[1], c[0]).height, BmiBodyFontSize(c[0]).height}), c);
        EXPECT_EQ(LayOutBmiPanel(1000, 415, 400, c[1], 0, c[0]).bodyFont.height, c[3]);
    }
    // The calendar (37 rows) pushes the panel's top below it; the foot stays beside the list's.
    const BmiPanelLayout below = LayOutBmiPanel(1000, 415, 400, 13, 0, 96, 37);
    EXPECT_EQ(Four({below.y, below.y + below.height, BmiPanelTop(13, 37), BmiTitleFoot(13, 37)}),
              Four({39, 13 + 5 + 404, 39, 39 + 18 + 7}));
    EXPECT_EQ(BmiPanelTop(40, 37), 45);
    // Too narrow a window leaves no area; selectors down to row 86 cover the area's top (row 21 + 52) by 13 rows.
    EXPECT_LE(LayOutBmiPanel(400, 415, 400, 16).width, 0);
    for (const Four& c : {Four{86, 13}, Four{60, 0}, Four{0, 0}})
        EXPECT_EQ(LayOutBmiPanel(1000, 415, 400, 16, c[0]).coveredRows, c[1]) << c[0];
}

TEST(BmiChartLayout, OriginsRoundDownToTenAndStepBackFortyEvenForDamagedValues) {
    const double nan = std::numeric_limits<double>::quiet_NaN(), inf = std::numeric_limits<double>::infinity();
    const struct {
        bool shown;
        double value;
        int heightOrigin, weightOrigin;
    } cases[] = {{true, 165.3, 120, 120}, {true, 170.0, 130, 130}, {true, 38.0, -10, 0}, {true, 62.4, 20, 20},
                 {true, 49.9, 0, 0},      {false, 62.4, kNoUserHeightOrigin, 0},
                 {true, nan, -40, 0},     {true, 1e300, 960, 960}, {true, -5.0, -40, 0}};
    for (const auto& c : cases) {
        EXPECT_EQ(BmiHeightOrigin(c.shown, c.value), c.heightOrigin) << c.value;
        EXPECT_EQ(BmiWeightOrigin(c.shown, c.value), c.weightOrigin) << c.value;
    }
    // The marker of a damaged height and weight still has a place: 8 steps of 388 / 18 px from the corner.
    EXPECT_EQ(BmiMarkerCentre(ScaleOf(960, 960), 1e300, inf).x, 6 + 21 + 8 * 21);
}

TEST(BmiChartLayout, BandsFillFromInsideTheAreaAndLabelsTakeEverySecondStepWhenTheyHaveRoom) {
    // At 130 cm BMI 18.5 is 31 kg: row 349 - 31 × 349 / 90 = 228.8 of the area, its curve
    // point 16 above; the fill starts 8 px right of the point, 3 below it.
    ChartPoint seed = {};
    ASSERT_TRUE(BmiBandSeed(ScaleOf(120, 0), 1, 18.5, &seed));
    EXPECT_EQ(Four({seed.x, seed.y}), Four({BmiCurveColumn(ScaleOf(120, 0), 1) + 8, 228 + 52 - 14 + 1}));
    // A curve far above the area offers nothing; nor one whose fill would start below it.
    EXPECT_FALSE(BmiBandSeed(ScaleOf(200, 0), 19, 40.0, &seed));
    EXPECT_FALSE(BmiBandSeed(ScaleOf(120, 60), 1, 18.5, &seed));
    // Three blanks against W / 13 = 29; P against I / 10.
    EXPECT_EQ(Four({HeightLabelStep(21, 388), HeightLabelStep(29, 388), WeightLabelStep(14, 349),
                    WeightLabelStep(14, 140)}),
              Four({2, 4, 2, 4}));
    // In a low chart (the frame at its minimum size) the upper weight labels would run into the
    // "kg" unit: {area height, rows the selectors cover, the highest labelled step}.
    for (const Four& c : {Four{349, 0, 14}, Four{349, 10, 14}, Four{140, 10, 12}, Four{125, 10, 8}, Four{90, 10, 0},
                          Four{40, 10, 0}}) {
        const BmiScale scale = ScaleOf(120, 20, c[0]);
        int highest = 0;
        for (int k = 1; k <= kBmiAxisSteps; ++k) {
            if (!BmiWeightLabelShown(scale, c[1], k)) continue;
            EXPECT_GE(BmiWeightStepRow(scale, k) - 7, 52 + c[1] + 2 + 14) << c[0] << " step " << k;
            // Clear of the origin's label, which stands on the axis 21 rows above the area's foot.
            EXPECT_LE(BmiWeightStepRow(scale, k) + 7 + 3, 52 + c[0] - 21 - 14) << c[0] << " step " << k;
            EXPECT_EQ(k % WeightLabelStep(14, c[0]), 0);
            highest = k;
        }
        EXPECT_EQ(highest, c[2]) << c[0];
        // The unit needs 14 rows and a gap of 3 above the origin's label.
        EXPECT_EQ(BmiWeightUnitShown(scale, c[1]), c[0] >= 10 + 2 + 14 + 3 + 21 + 14) << c[0];
    }
}

TEST(BmiChartLayout, FiguresKeepToTheTopLeftUnlessTheMarkerIsThereAndCloseUpInALowChart) {
    // {area height, marker x, marker y, box left, box top, line step, lines}; the text 200 wide, 5 lines of 14.
    using Seven = std::array<int, 7>;
    const int kNoMarker = -1;
    for (const Seven& c : {Seven{349, kNoMarker, 0, 44, 64, 19, 5}, Seven{349, 300, 100, 44, 64, 19, 5},
                           Seven{349, 100, 300, 44, 64, 19, 5},
                           // The marker under the top-left box: the box goes to the bottom right.
                           Seven{349, 100, 100, 184, 268, 19, 5},
                           // Low charts: the lines close up, then the last ones are left out.
                           Seven{140, kNoMarker, 0, 44, 64, 15, 5}, Seven{90, kNoMarker, 0, 44, 64, 15, 2},
                           Seven{30, kNoMarker, 0, 0, 0, 0, 0}}) {
        const BmiScale scale = ScaleOf(120, 20, c[0]);
        const BmiFigureBox box = PlaceBmiFigures(scale, 10, 200, kBmiFigureLines, c[1] != kNoMarker, {c[1], c[2]});
        EXPECT_EQ(Seven({c[0], c[1], c[2], box.box.left, box.box.top, box.lineStep, box.lines}), c);
        if (box.lines == 0) continue;
        // Inside the area, clear of the axis bands and the height axis' ticks.
        EXPECT_GE(box.box.left, 6 + 21);
        EXPECT_LE(box.box.right, 394);
        EXPECT_LE(box.box.bottom, 52 + c[0] - 21 - 14);
        EXPECT_LE(box.firstRow + (box.lines - 1) * box.lineStep + 14, box.box.bottom);
    }
}

// The sixth line in its forms, longest first, for every outlook of the target.
TEST(BmiChartLayout, TrendLineFormsFromTheWholeLineDownToTheTrendAlone) {
    const long day = DayNumberOfDate("20261111");
    auto figures = [day](double trend, bool rateKnown, double rate, TargetOutlook outlook, long days = 0) {
        TrendFigures f;
        f.known = true;
        f.trend = trend;
        f.rate = {rateKnown, rate};
        f.projection = {outlook, day + days};
        return f;
    };
    const struct {
        const char* name;
        TrendFigures trend;
        std::vector<std::string> forms;
    } cases[] = {
        {"a day to name", figures(55.1, true, -0.3, TargetOutlook::kDate, 119),
         {"傾向 55.1kg　週 -0.3kg　目標 50.0kgは 2027/03/10ごろ", "傾向 55.1kg　週 -0.3kg　目標 2027/03/10ごろ",
          "傾向 55.1kg　週 -0.3kg", "傾向 55.1kg"}},
        {"reached, gaining", figures(49.96, true, 0.04, TargetOutlook::kReached),
         {"傾向 50.0kg　週 ±0.0kg　目標に到達しました", "傾向 50.0kg　週 ±0.0kg　到達", "傾向 50.0kg　週 ±0.0kg",
          "傾向 50.0kg"}},
        {"too few days for a rate", figures(55.1, false, 0, TargetOutlook::kNoRate),
         {"傾向 55.1kg　週 --　記録が少なく、ペースがまだ出せません", "傾向 55.1kg　週 --　記録不足",
          "傾向 55.1kg　週 --", "傾向 55.1kg"}},
        {"moving away", figures(55.1, true, 0.26, TargetOutlook::kMovingAway),
         {"傾向 55.1kg　週 +0.3kg　このペースでは目標に近づいていません", "傾向 55.1kg　週 +0.3kg　近づいていません",
          "傾向 55.1kg　週 +0.3kg", "傾向 55.1kg"}},
        {"so slow it is too far", figures(55.1, true, -0.01, TargetOutlook::kTooFar),
         {"傾向 55.1kg　週 ±0.0kg　このペースでは目標まで2年以上かかります", "傾向 55.1kg　週 ±0.0kg　2年以上先",
          "傾向 55.1kg　週 ±0.0kg", "傾向 55.1kg"}},
        {"no target", figures(155.1, true, -1.25, TargetOutlook::kNoTarget),
         {"傾向 155.1kg　週 -1.3kg", "傾向 155.1kg"}},
        {"no trend on the day", TrendFigures{}, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const BmiTrendLine line = FormatBmiTrendLine(c.trend, 50.0);
        std::vector<std::string> forms(line.form, line.form + line.forms);
        EXPECT_EQ(forms, c.forms);
    }
    BmiTrendLine line = FormatBmiTrendLine(figures(55.1, true, -0.3, TargetOutlook::kDate, 119), 50.0);
    const int widths[kBmiTrendForms] = {364, 280, 160, 80};
    EXPECT_EQ(BmiTrendFormThatFits(line, widths, 400), 0);
    EXPECT_EQ(BmiTrendFormThatFits(line, widths, 364), 0);
    EXPECT_EQ(BmiTrendFormThatFits(line, widths, 363), 1);
    EXPECT_EQ(BmiTrendFormThatFits(line, widths, 100), 3);
    EXPECT_EQ(BmiTrendFormThatFits(line, widths, 79), -1);
}

}  // namespace
