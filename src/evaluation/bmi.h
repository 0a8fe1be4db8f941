// Body-mass index, its six classes, the normal-weight range for a height and
// the analysis result that the BMI chart shows for a day, month or year.
#ifndef PELMO_EVALUATION_BMI_H
#define PELMO_EVALUATION_BMI_H

#include <cstdint>

// BMI classes; the name of class c is string-table entry IDS_BMI_CLASS_UNDERWEIGHT + c.
enum BmiClass : uint8_t {
    kBmiUnderweight = 0,  // below 18.5
    kBmiNormal = 1,       // 18.5 up to 25
    kBmiObese1 = 2,       // 25 up to 30
    kBmiObese2 = 3,       // 30 up to 35
    kBmiObese3 = 4,       // 35 up to 40
    kBmiObese4 = 5,       // 40 and above
    kBmiClassCount = 6,
};

// The lower bounds of classes 1 to 5; the BMI chart draws a curve at each.
constexpr int kBmiClassLimitCount = kBmiClassCount - 1;
constexpr double kBmiClassLimits[kBmiClassLimitCount] = {18.5, 25.0, 30.0, 35.0, 40.0};

// Each lower bound belongs to the higher class; a BMI that is not a number is class 0.
uint8_t GetBmiClass(double bmi);

// The class's name from the string table.
const char* BmiClassName(uint8_t bmiClass);

// The tenth a figure is shown at ("%.1lf" of the result): halves round away
// from zero, as people round, and a sum like 57.8 + 0.05 (the lower normal
// weight, whose 0.05 is there to round it up) counts as the half it stands for,
// not as the 57.8499… that binary arithmetic makes of it. Never -0.0.
double ShownTenths(double value);

// weight (kg) / height (cm) squared × 10 000; 0 for a height that is not positive.
double BmiOfWeight(double weight, double height);

struct NormalWeightRange {
    double lower;  // kg, height² × 20 / 10 000 + 0.05
    double upper;  // kg, height² × 23.99 / 10 000
};
// Both 0 for a height that is not positive.
NormalWeightRange NormalWeightOf(double height);

struct Appropriateness {
    double rate;        // percent of the nearer bound; 100 inside the range
    double difference;  // kg: negative below the range, positive above, 0 inside
};
Appropriateness AppropriatenessOf(double weight, const NormalWeightRange& range);

// What the BMI chart shows; all zero when there is no result.
struct AnalysisResult {
    double averageWeight;
    double bmi;
    uint8_t bmiClass;
    double lowerNormalWeight;
    double upperNormalWeight;
    double appropriatenessRate;
    double difference;
};

// The result for an average weight and a height. Zero when the weight is not a
// positive number or the height is not positive (nothing is divided by zero).
AnalysisResult AnalyzeWeight(double averageWeight, double height);

#endif
