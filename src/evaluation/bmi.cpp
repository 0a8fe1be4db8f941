#include "evaluation/bmi.h"

#include <cmath>

#include "resources/resource.h"
#include "resources/texts.h"

namespace {

bool IsUsableHeight(double height) { return std::isfinite(height) && height > 0.0; }

}  // namespace

uint8_t GetBmiClass(double bmi) {
    uint8_t bmiClass = kBmiUnderweight;
    // A NaN compares false with every limit and stays in class 0.
    for (double limit : kBmiClassLimits)
        if (bmi >= limit) ++bmiClass;
    return bmiClass;
}

const char* BmiClassName(uint8_t bmiClass) {
    if (bmiClass >= kBmiClassCount) return "";
    return PelmoText(IDS_BMI_CLASS_UNDERWEIGHT + bmiClass);
}

double ShownTenths(double value) {
    if (!std::isfinite(value)) return value;
    // The margin is far below a tenth and far above the error of a few additions.
    const double tenths = std::floor(std::fabs(value) * 10.0 + 0.5 + 1e-7);
    if (tenths == 0.0) return 0.0;
    return std::copysign(tenths, value) / 10.0;
}

double BmiOfWeight(double weight, double height) {
    if (!IsUsableHeight(height)) return 0.0;
    return weight / (height * height) * 10000.0;
}

NormalWeightRange NormalWeightOf(double height) {
    if (!IsUsableHeight(height)) return {0.0, 0.0};
    double square = height * height;
    return {square * 20.0 / 10000.0 + 0.05, square * 23.99 / 10000.0};
}

Appropriateness AppropriatenessOf(double weight, const NormalWeightRange& range) {
    if (range.lower <= 0.0 || range.upper <= 0.0) return {0.0, 0.0};
    if (weight < range.lower) return {weight / range.lower * 100.0, (range.lower - weight) * -1.0};
    if (weight > range.upper) return {weight / range.upper * 100.0, weight - range.upper};
    return {100.0, 0.0};
}

AnalysisResult AnalyzeWeight(double averageWeight, double height) {
    AnalysisResult result = {};
    if (!std::isfinite(averageWeight) || averageWeight <= 0.0 || !IsUsableHeight(height)) return result;
    NormalWeightRange range = NormalWeightOf(height);
    Appropriateness fit = AppropriatenessOf(averageWeight, range);
    result.averageWeight = averageWeight;
    result.bmi = BmiOfWeight(averageWeight, height);
    result.bmiClass = GetBmiClass(result.bmi);
    result.lowerNormalWeight = range.lower;
    result.upperNormalWeight = range.upper;
    result.appropriatenessRate = fit.rate;
    result.difference = fit.difference;
    return result;
}
