#include "charts/bmi_chart_layout.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <initializer_list>

#include "corelib/dates.h"

#include "diary/target_rules.h"

namespace {

constexpr int kSmallTitleAscent = 18;
constexpr FontSize kSmallTitleFont = {9, 18};
constexpr int kKilogramsShown = 90;  // the chart's height spans 90 kg
constexpr int kHeightSteps = 18;     // 5 cm steps across the chart
constexpr int kWeightSteps = 18;     // 5 kg steps up the chart

// A height or weight the chart can place: a damaged file may hold any double,
// and the origins and the marker convert to int (a cast out of range is undefined).
constexpr double kLargestChartValue = 1000.0;
double ChartValue(double value) {
    if (!(value > 0.0)) return 0.0;  // also NaN
    return value < kLargestChartValue ? value : kLargestChartValue;
}

int Truncated(double value) { return static_cast<int>(value); }

int Width(const ChartBox& box) { return box.right - box.left; }
int Height(const ChartBox& box) { return box.bottom - box.top; }

// Whole kilograms above the weight origin at `bmi` for `height` cm.
int KilogramsAboveOrigin(const BmiScale& scale, double height, double bmi) {
    return Truncated(height * height * bmi / 10000.0) - scale.weightOrigin;
}

// The row of a weight kilograms above the origin, counted from the area's top.
double RowInArea(const BmiScale& scale, int kilograms) {
    const int rows = Height(scale.area);
    return rows - kilograms * (rows / static_cast<double>(kKilogramsShown));
}

}  // namespace

FontSize BmiTitleFontSize(int ascent) {
    if (ascent <= kSmallTitleAscent) return kSmallTitleFont;
    const int width = ascent * 8 / 18;
    return {width, 2 * width};
}

BmiPanelLayout LayOutBmiPanel(int windowWidth, int tableWidth, int listHeight, int ascent, int selectorsFoot) {
    BmiPanelLayout panel = {};
    const int a = ascent, x0 = tableWidth;
    panel.x = x0 + 2;
    panel.y = a + 5;
    panel.width = windowWidth - x0 - 4;
    panel.height = listHeight + 4;
    panel.ascent = a;
    const int t = BmiTitleFontSize(a).height;
    panel.titleHeight = t;
    panel.area = {6, 3 * t - 2, panel.width - 6, panel.height - 3};
    const int covered = selectorsFoot - (panel.y + panel.area.top);
    panel.coveredRows = covered > 0 ? covered : 0;
    // From the chart area's top (3T + a + 3 in the window), not lower: what lies
    // between the area's top and the analysis selectors' foot (the top of the
    // bands, the marker, the first line of figures) changes with the analysis too.
    panel.chartRepaint = {x0 + 2, panel.y + panel.area.top, x0 + panel.width + 2, panel.height + 2 * a + 4};
    panel.titleRepaint = {x0 + 2, 2 * a + 7, x0 + panel.width + 2, t + 40};
    return panel;
}

int BmiHeightOrigin(bool userLoaded, double height) {
    if (!userLoaded) return kNoUserHeightOrigin;
    return (Truncated(ChartValue(height) / 10.0) - 4) * 10;
}

int BmiWeightOrigin(bool recordShown, double weight) {
    if (!recordShown) return 0;
    const int origin = (Truncated(ChartValue(weight) / 10.0) - 4) * 10;
    return origin < 0 ? 0 : origin;
}

int BmiCurveColumn(const BmiScale& scale, int k) { return scale.area.left + 2 + k * (Width(scale.area) / 9); }

int BmiCurveRow(const BmiScale& scale, double height, double bmi, int lift) {
    const int kilograms = KilogramsAboveOrigin(scale, height, bmi);
    return Truncated(RowInArea(scale, kilograms)) + scale.area.top - scale.textHeight - lift;
}

bool BmiBandSeed(const BmiScale& scale, int k, double bmi, ChartPoint* seed) {
    const double height = scale.heightOrigin + 10.0 * k;
    const double row = RowInArea(scale, KilogramsAboveOrigin(scale, height, bmi));
    // A row above the area (negative) wraps to a large number and is passed over.
    if (static_cast<uint16_t>(Truncated(row)) + 5 >= scale.area.bottom) return false;
    const ChartPoint at = {scale.area.left + 10 + k * (Width(scale.area) / 9),
                           Truncated(row + scale.area.top + 5 - scale.textHeight - 4)};
    // A fill must start inside the chart area, or it would flood the whole panel.
    const ChartBox& area = scale.area;
    if (at.x < area.left || at.x >= area.right || at.y < area.top || at.y >= area.bottom) return false;
    *seed = at;
    return true;
}

bool BmiBandEdgeSeed(const BmiScale& scale, double bmi, ChartPoint* seed) {
    const ChartBox& area = scale.area;
    const int below = BmiCurveRow(scale, scale.heightOrigin, bmi, 3) + 4;
    const ChartPoint at = {area.left + 2, below > area.top ? below : area.top + 1};
    if (at.x >= area.right || at.y >= area.bottom) return false;
    *seed = at;
    return true;
}

ChartPoint BmiMarkerCentre(const BmiScale& scale, double height, double weight) {
    const int columns = Width(scale.area), rows = Height(scale.area);
    const int r = scale.digitsWidth;
    height = ChartValue(height);
    weight = ChartValue(weight);
    // The whole 10 cm and 10 kg by the axis' 5-unit steps, the rest by the unit's pixels.
    const int tens = Truncated(height) / 10;
    int x = ((10 * tens - scale.heightOrigin) / 5) * (columns / kHeightSteps) + scale.area.left + r;
    if (height - 10 * tens != 0) x += Truncated((columns / 90) * (height - 10 * tens));
    const int weightTens = Truncated(weight) / 10;
    int y = scale.area.bottom - r - ((10 * weightTens - scale.weightOrigin) / 5) * (rows / kWeightSteps) -
            Truncated((weight - Truncated(10 * weight) * 0.1) * (rows / kWeightSteps));
    if (weight - 10 * weightTens != 0)
        y -= Truncated((weight - 10 * weightTens) * rows / static_cast<double>(kKilogramsShown));
    return {x, y};
}

int HeightLabelStep(int threeBlanksWidth, int areaWidth) { return threeBlanksWidth < areaWidth / 13 ? 2 : 4; }

int WeightLabelStep(int textHeight, int areaHeight) { return textHeight < areaHeight / 10 ? 2 : 4; }

int BmiWeightStepRow(const BmiScale& scale, int k) {
    const ChartBox& area = scale.area;
    return area.bottom - k * ((area.bottom - area.top) / kBmiAxisSteps) - scale.digitsWidth;
}

bool BmiWeightLabelShown(const BmiScale& scale, int coveredRows, int k) {
    const ChartBox& area = scale.area;
    const int p = scale.textHeight;
    if (k < 1 || k > kBmiLastLabelledStep || k % WeightLabelStep(p, area.bottom - area.top) != 0) return false;
    const int unitFoot = area.top + coveredRows + 2 + p;
    return BmiWeightStepRow(scale, k) - p / 2 >= unitFoot;
}

bool BmiMarkerShown(const BmiChartFacts& facts) {
    return facts.recordSelected && facts.analysis.averageWeight > 0.0;
}

bool BmiFiguresShown(const BmiChartFacts& facts, int panelWidth, int width28Digits) {
    return width28Digits < panelWidth && facts.userLoaded && BmiMarkerShown(facts);
}

BmiFigures FormatBmiFigures(const AnalysisResult& analysis, double targetWeight, const char* namedDay) {
    BmiFigures figures = {};
    const double weight = analysis.averageWeight;
    const double lower = analysis.lowerNormalWeight, upper = analysis.upperNormalWeight;
    if (namedDay && namedDay[0])
        std::snprintf(figures.line[0], kBmiFigureSize, "体    重 %.1lfkg (%s)", ShownTenths(weight), namedDay);
    else
        std::snprintf(figures.line[0], kBmiFigureSize, "体    重 %.1lfkg", ShownTenths(weight));
    std::snprintf(figures.line[1], kBmiFigureSize, "判　　定 %s", BmiClassName(analysis.bmiClass));
    std::snprintf(figures.line[2], kBmiFigureSize, "普通体重 %.1lfkg～%.1lfkg (%.1lfkg)", ShownTenths(lower),
                  ShownTenths(upper), ShownTenths(lower + (upper - lower) * 0.5));
    std::snprintf(figures.line[3], kBmiFigureSize, "適 正 率 %.1lf%% ／ 差 %.1lfkg",
                  ShownTenths(analysis.appropriatenessRate), ShownTenths(analysis.difference));
    if (!TargetSet(targetWeight))
        return figures;
    if (weight - targetWeight > 0)
        std::snprintf(figures.line[4], kBmiFigureSize, "目標体重 %.1lfkgまであと%.1lfkgです", ShownTenths(targetWeight),
                      ShownTenths(weight - targetWeight));
    else
        std::snprintf(figures.line[4], kBmiFigureSize, "目標体重 %.1lfkgを達成しました", ShownTenths(targetWeight));
    return figures;
}

namespace {

void AppendTo(char* line, const char* part) {
    const std::size_t used = std::strlen(line);
    std::snprintf(line + used, kBmiTrendLineSize - used, "%s", part);
}

}  // namespace

BmiTrendLine FormatBmiTrendLine(const TrendFigures& trend, double targetWeight) {
    BmiTrendLine line = {};
    if (!trend.known) return line;
    char weight[32], rate[32], target[64] = "", shortTarget[64] = "";
    std::snprintf(weight, sizeof weight, "傾向 %.1lfkg", ShownTenths(trend.trend));
    const double perWeek = ShownTenths(trend.rate.kgPerWeek);
    if (!trend.rate.known) std::snprintf(rate, sizeof rate, "週 --");
    else if (perWeek == 0.0) std::snprintf(rate, sizeof rate, "週 ±0.0kg");
    else std::snprintf(rate, sizeof rate, "週 %+.1lfkg", perWeek);
    const TargetOutlook outlook = trend.projection.outlook;
    if (outlook == TargetOutlook::kDate) {
        char day[kShownDateSize];
        DateOfDayNumber(trend.projection.day, day);
        std::snprintf(target, sizeof target, "目標 %.1lfkgは %sごろ", ShownTenths(targetWeight), day);
        std::snprintf(shortTarget, sizeof shortTarget, "目標 %sごろ", day);
    } else if (outlook != TargetOutlook::kNoTarget) {
        std::snprintf(target, sizeof target, "%s", TargetOutlookWords(outlook));
        std::snprintf(shortTarget, sizeof shortTarget, "%s", TargetOutlookShortWords(outlook));
    }
    // The whole line, a shorter target part, the trend and rate, the trend alone.
    auto add = [&line](std::initializer_list<const char*> parts) {
        char* text = line.form[line.forms++];
        for (const char* part : parts) {
            if (text[0] != '\0') AppendTo(text, "　");
            AppendTo(text, part);
        }
    };
    if (target[0] != '\0') add({weight, rate, target});
    if (shortTarget[0] != '\0') add({weight, rate, shortTarget});
    add({weight, rate});
    add({weight});
    return line;
}

int BmiTrendFormThatFits(const BmiTrendLine& line, const int* widths, int room) {
    for (int i = 0; i < line.forms; ++i)
        if (widths[i] <= room) return i;
    return -1;
}

bool BmiFigureRowFree(const BmiScale& scale, int row) {
    return row + scale.textHeight <= scale.area.bottom - scale.digitsWidth;
}

int BmiFigureStep(const BmiScale& scale, int coveredRows, bool trendLine) {
    const int p = scale.textHeight, normal = p + 5;
    if (!trendLine) return normal;
    const int lines = kBmiFigureLines + 1;
    const int first = scale.area.top + coveredRows + 5;
    if (BmiFigureRowFree(scale, first + (lines - 1) * normal)) return normal;
    const int tight = (scale.area.bottom - scale.digitsWidth - p - first) / (lines - 1);
    return tight > p ? tight : normal;
}
