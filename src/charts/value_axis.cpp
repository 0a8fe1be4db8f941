#include "charts/value_axis.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "charts/chart_items.h"

namespace {

// The label tests work on printed text, so that a value that drifted a hair
// from a whole number while stepping down by 0.1 still counts as one.
bool PrintsAs(const char* format, double value, const char* expected) {
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    return std::strcmp(text, expected) == 0;
}

double PrintedRound(double value) {
    // From 2^52 on every double is a whole number; printing its hundreds of
    // digits for each of thousands of lines held a paint up for seconds.
    if (!(std::fabs(value) < 4503599627370496.0)) return value;
    char text[64];
    std::snprintf(text, sizeof text, "%.0lf", value);
    return std::strtod(text, nullptr);
}

// Garbled values far apart could ask for millions of lines; no plot has room for more.
constexpr int kMaxAxisLines = 100000;

struct ItemAxis {
    double top, bottom;     // values at the plot's top and bottom
    double unitsPerValue;   // 10 when s counts per 0.1
    double start, firstRowSteps;  // y0 = firstRowSteps × s + 1
    double valueStep, stepScale;  // stepPixels = stepScale × s
    LabelRule rule;
    double labelUnits;      // labelPixels = labelUnits × s
    double fontFactor;      // h = trunc(fontFactor × d)
    bool halfFontLimit;
};

bool AxisOf(int item, double largest, double smallest, ItemAxis* axis) {
    switch (item) {
    case kChartWeight:
    case kChartBodyFat:
        *axis = {largest + 1, smallest - 2, 10, largest, 10, 0.1, 1, kLabelWholeNumbers, 10, 1.0, false};
        return true;
    case kChartIntake:
    case kChartExercise: {
        double bottom = smallest - 200 < 0 ? 0 : smallest - 200;
        *axis = {largest + 100, bottom, 1, largest + 99, 10, 1, 1, kLabelMultiples, 100, 0.75, true};
        return true;
    }
    case kChartTemperature: {
        double bottom = smallest == 0 ? largest - 1 : smallest - 1;
        *axis = {largest + 1, bottom, 10, largest + 0.5, 5, 0.1, 1, kLabelWholeAndHalf, 5, 0.75, false};
        return true;
    }
    case kChartCondition:
        *axis = {6.6, 0.6, 10, 6, 6, 0.1, 1, kLabelWholeNumbers, 10, 1.0, false};
        return true;
    case kChartSleep:
        *axis = {largest + 0.5, smallest - 1, 10, largest, 5, 0.1, 1, kLabelWholeAndHalf, 5, 0.75, false};
        return true;
    case kChartSteps: {
        double bottom = smallest - 1000 < 0 ? 0 : smallest - 1000;
        double start = std::floor(largest / 1000) * 1000;
        *axis = {largest + 1000, bottom, 1, start, 1000, 100, 100, kLabelMultiples, 1000, 0.6, true};
        return true;
    }
    case kChartEvaluation:
        *axis = {5.5, 0.5, 10, 5, 5, 0.1, 1, kLabelWholeNumbers, 10, 1.0, false};
        return true;
    default:
        return false;
    }
}

}  // namespace

ValueAxisLayout LayoutValueAxis(int item, double largest, double smallest, int plotHeight, int fontHeight) {
    ValueAxisLayout layout = {};
    ItemAxis axis;
    if (!AxisOf(item, largest, smallest, &axis)) return layout;
    double span = axis.top - axis.bottom;
    if (plotHeight <= 0 || !(span > 0)) return layout;

    double s = plotHeight / span / axis.unitsPerValue;
    layout.topValue = axis.top;
    layout.bottomValue = axis.bottom;
    layout.scale = s;
    layout.startValue = axis.start;
    layout.firstRow = axis.firstRowSteps * s + 1;
    layout.valueStep = axis.valueStep;
    layout.stepPixels = axis.stepScale * s;
    layout.labelRule = axis.rule;
    layout.labelFontHeight = static_cast<int>(axis.fontFactor * fontHeight);
    layout.labelPixels = axis.labelUnits * s;
    layout.limitByHalfFont = axis.halfFontLimit;
    layout.tickRowAbove = item == kChartIntake || item == kChartExercise;
    layout.singleLabel = item == kChartSteps;
    if (axis.rule == kLabelMultiples) layout.labelMultiple = axis.labelUnits;
    // Intake and exercise label every 50 kcal when 100 kcal leave room for more than two labels.
    if (item == kChartIntake || item == kChartExercise)
        layout.labelMultiple = 100 * s > 2.2 * layout.labelFontHeight ? 50 : 100;

    int n = 1;
    if (layout.labelFontHeight > 0) {
        if (!(layout.labelPixels > 0)) return layout;
        double needed = std::ceil(layout.labelFontHeight / layout.labelPixels);
        // No more lines are visited than kMaxAxisLines: a larger n labels the first label value alone, as
        // this one does. Unbounded, a garbled value of 1e10 or more counted n past the largest int.
        n = needed < 1 ? 1 : needed > kMaxAxisLines ? kMaxAxisLines : static_cast<int>(needed);
        // ceil of a quotient can miss by one ulp either way; settle on the smallest n that fits.
        while (n > 1 && (n - 1) * layout.labelPixels >= layout.labelFontHeight) --n;
        while (n < kMaxAxisLines && n * layout.labelPixels < layout.labelFontHeight) ++n;
    }
    layout.labelEvery = n;
    layout.usable = true;
    return layout;
}

double RightAxisLargest(double largest) { return std::trunc(largest * 1.05); }

bool IsLabelValue(const ValueAxisLayout& layout, double value) {
    switch (layout.labelRule) {
    case kLabelWholeNumbers:
        return PrintsAs("%.1lf", std::fabs(value - PrintedRound(value)), "0.0");
    case kLabelWholeAndHalf: {
        double rest = std::fabs(value - PrintedRound(value));
        return PrintsAs("%.1lf", rest, "0.0") || PrintsAs("%.1lf", rest, "0.5");
    }
    case kLabelMultiples: {
        double m = layout.labelMultiple;
        if (!(m > 0)) return false;
        return PrintsAs("%.0lf", std::fabs(value - std::trunc(value / m) * m), "0");
    }
    }
    return false;
}

namespace {

// The value a label line shows, without the drift of stepping down by 0.1:
// the anchor places every point and the target line by it.
double ShownLabelValue(const ValueAxisLayout& layout, double value) {
    switch (layout.labelRule) {
    case kLabelWholeNumbers: return PrintedRound(value);
    case kLabelWholeAndHalf: return PrintedRound(value * 2) / 2;
    case kLabelMultiples: return PrintedRound(value / layout.labelMultiple) * layout.labelMultiple;
    }
    return value;
}

}  // namespace

int ValueAxisLabels(const ValueAxisLayout& layout, int plotHeight, AxisLabel* labels, int capacity) {
    if (!layout.usable || !(layout.stepPixels > 0)) return 0;
    double h = layout.labelFontHeight;
    double limit = layout.limitByHalfFont ? plotHeight - h / 2 : plotHeight;
    int written = 0;
    int labelValues = 0;
    double value = layout.startValue;
    double y = layout.firstRow;
    for (int line = 0; line < kMaxAxisLines && y < limit; ++line, y += layout.stepPixels, value -= layout.valueStep) {
        if (!IsLabelValue(layout, value)) continue;
        bool labelled = labelValues % layout.labelEvery == 0;
        ++labelValues;
        if (!labelled || !(y > h / 2)) continue;
        if (written < capacity) labels[written] = {ShownLabelValue(layout, value), y};
        ++written;
    }
    return written < capacity ? written : capacity;
}

const char* AxisLabelFormat(int item, AxisSide side) {
    const bool tenths = item == kChartTemperature || item == kChartSleep;
    if (side == AxisSide::kRight) return tenths ? "%.1lf" : "%.0lf";
    switch (item) {
    case kChartTemperature: return "%4.1lf";
    case kChartSleep: return "%3.1lf";
    case kChartSteps: return "%5.0lf";
    default: return "%3.0lf";
    }
}

int LabelTickRow(const ValueAxisLayout& layout, int plotTop, double row) {
    if (layout.tickRowAbove) return static_cast<int>(std::trunc(row - 1)) + plotTop;
    return static_cast<int>(std::trunc(plotTop + row));
}
