#include "charts/bmi_chart_layout.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <initializer_list>

#include "corelib/dates.h"

#include "diary/target_rules.h"

namespace {

constexpr FontSize kSmallTitleFont = {9, 18};
constexpr FontSize kBodyFont = {7, 14};
constexpr int kCalendarGap = 2;      // rows between the calendar and the panel
constexpr int kUnderlineDepth = 7;   // the title's underline's last row is 6 rows below the font's height
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

FontSize BmiTitleFontSize(int ascent, int dpi) { return ChartFontSize(ascent, dpi, kSmallTitleFont, 8); }

FontSize BmiBodyFontSize(int dpi) { return {AtChartDpi(kBodyFont.width, dpi), AtChartDpi(kBodyFont.height, dpi)}; }

int BmiPanelTop(int ascent, int calendarFoot) {
    const int top = ascent + 5;
    return calendarFoot > 0 && calendarFoot + kCalendarGap > top ? calendarFoot + kCalendarGap : top;
}

int BmiTitleFoot(int ascent, int calendarFoot, int dpi) {
    return BmiPanelTop(ascent, calendarFoot) + BmiTitleFontSize(ascent, dpi).height + kUnderlineDepth;
}

BmiPanelLayout LayOutBmiPanel(int windowWidth, int tableWidth, int listHeight, int ascent, int selectorsFoot, int dpi,
                              int calendarFoot) {
    BmiPanelLayout panel = {};
    const int a = ascent, x0 = tableWidth;
    panel.x = x0 + 2;
    panel.y = BmiPanelTop(a, calendarFoot);
    panel.width = windowWidth - x0 - 4;
    // The foot stays beside the list's foot however far the calendar pushes the top down.
    panel.height = a + 5 + listHeight + 4 - panel.y;
    panel.ascent = a;
    panel.titleFont = BmiTitleFontSize(a, dpi);
    panel.bodyFont = BmiBodyFontSize(dpi);
    const int t = panel.titleFont.height;
    panel.titleHeight = t;
    panel.area = {6, 3 * t - 2, panel.width - 6, panel.height - 3};
    const int covered = selectorsFoot - (panel.y + panel.area.top);
    panel.coveredRows = covered > 0 ? covered : 0;
    // From the chart area's top, not lower: what lies between the area's top and
    // the analysis selectors' foot (the top of the bands, the marker, the first
    // line of figures) changes with the analysis too.
    panel.chartRepaint = {x0 + 2, panel.y + panel.area.top, x0 + panel.width + 2, listHeight + 2 * a + 8};
    panel.titleRepaint = {x0 + 2, panel.y, x0 + panel.width + 2, panel.y + panel.area.top};
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

namespace {

// The least gap between two labels of an axis: a quarter of their extent, at least 2 pixels.
int LabelGap(int extent) { return extent / 4 > 2 ? extent / 4 : 2; }

// step, doubled until labels `extent` long, `pitch` pixels per step apart, keep `gap` between them.
int StepWithRoom(int step, int pitch, int extent, int gap) {
    while (step < kBmiAxisSteps && step * pitch < extent + gap) step *= 2;
    return step;
}

}  // namespace

int HeightLabelStep(int threeBlanksWidth, int areaWidth, int labelWidth) {
    const int step = threeBlanksWidth < areaWidth / 13 ? 2 : 4;
    return StepWithRoom(step, areaWidth / kBmiAxisSteps, labelWidth + 1, LabelGap(labelWidth));
}

int WeightLabelStep(int textHeight, int areaHeight) {
    const int step = textHeight < areaHeight / 10 ? 2 : 4;
    return StepWithRoom(step, areaHeight / kBmiAxisSteps, textHeight, LabelGap(textHeight));
}

int BmiWeightStepRow(const BmiScale& scale, int k) {
    const ChartBox& area = scale.area;
    return area.bottom - k * ((area.bottom - area.top) / kBmiAxisSteps) - scale.digitsWidth;
}

bool BmiWeightLabelShown(const BmiScale& scale, int coveredRows, int k) {
    const ChartBox& area = scale.area;
    const int p = scale.textHeight;
    if (k < 1 || k > kBmiLastLabelledStep || k % WeightLabelStep(p, area.bottom - area.top) != 0) return false;
    const int unitFoot = area.top + coveredRows + 2 + p;
    const int labelTop = BmiWeightStepRow(scale, k) - p / 2;
    // The origin's label stands on its tick: its top is P above the axis.
    const int originTop = area.bottom - scale.digitsWidth - p;
    return labelTop >= unitFoot && labelTop + p + LabelGap(p) <= originTop;
}

bool BmiWeightUnitShown(const BmiScale& scale, int coveredRows) {
    const int p = scale.textHeight;
    const int unitFoot = scale.area.top + coveredRows + 2 + p;
    return unitFoot + LabelGap(p) <= scale.area.bottom - scale.digitsWidth - p;
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

constexpr int kFigurePadding = 3;    // inside the backing, around the lines
constexpr int kFiguresIndent = 20;   // the lines' left edge from the weight axis band
constexpr int kFiguresRightGap = 4;  // between the backing and the area's right edge

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

int BmiFiguresRoom(const BmiScale& scale) {
    return scale.area.right - kFiguresRightGap - kFigurePadding - (scale.area.left + scale.digitsWidth + kFiguresIndent);
}

BmiFigureBox PlaceBmiFigures(const BmiScale& scale, int coveredRows, int textWidth, int lineCount, bool markerShown,
                             ChartPoint marker, int lineHeight) {
    constexpr int kPadding = kFigurePadding, kMarkerReach = 5, kLooseGap = 5, kTightGap = 1;
    const ChartBox& area = scale.area;
    const int r = scale.digitsWidth, axisText = scale.textHeight;
    const int p = lineHeight > 0 ? lineHeight : axisText;
    // Between the "kg" column and the right edge; between the covered rows and the height axis' ticks.
    const int top = area.top + coveredRows + 2, bottom = area.bottom - r - axisText - 2;
    const int room = bottom - top - 2 * kPadding;
    BmiFigureBox figures = {};
    if (lineCount <= 0 || room < p || textWidth > BmiFiguresRoom(scale)) return figures;
    int step = p + kLooseGap;
    if (lineCount * p + (lineCount - 1) * kLooseGap > room) step = p + kTightGap;
    int lines = (room - p) / step + 1;
    if (lines > lineCount) lines = lineCount;
    const int width = textWidth + 2 * kPadding, height = (lines - 1) * step + p + 2 * kPadding;
    const int left = area.left + r + kFiguresIndent - kPadding;
    figures.box = {left, top, left + width, top + height};
    const ChartBox markerBox = {marker.x - kMarkerReach, marker.y - kMarkerReach, marker.x + kMarkerReach,
                                marker.y + kMarkerReach};
    auto covers = [&](const ChartBox& box) {
        return markerShown && box.left < markerBox.right && markerBox.left < box.right && box.top < markerBox.bottom &&
               markerBox.top < box.bottom;
    };
    const ChartBox lowRight = {area.right - kFiguresRightGap - width, bottom - height, area.right - kFiguresRightGap,
                               bottom};
    if (covers(figures.box) && lowRight.left >= left && !covers(lowRight)) figures.box = lowRight;
    figures.textLeft = figures.box.left + kPadding;
    figures.firstRow = figures.box.top + kPadding;
    figures.lineStep = step;
    figures.lines = lines;
    return figures;
}
