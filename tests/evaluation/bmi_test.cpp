#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <limits>
#include <string>

#include "evaluation/bmi.h"

namespace {

TEST(BmiClass, LowerBoundsBelongToTheHigherClass) {
    EXPECT_EQ(GetBmiClass(18.4999), kBmiUnderweight);
    EXPECT_EQ(GetBmiClass(18.5), kBmiNormal);
    EXPECT_EQ(GetBmiClass(24.99), kBmiNormal);
    EXPECT_EQ(GetBmiClass(25.0), kBmiObese1);
    EXPECT_EQ(GetBmiClass(29.99), kBmiObese1);
    EXPECT_EQ(GetBmiClass(30.0), kBmiObese2);
    EXPECT_EQ(GetBmiClass(35.0), kBmiObese3);
    EXPECT_EQ(GetBmiClass(39.99), kBmiObese3);
    EXPECT_EQ(GetBmiClass(40.0), kBmiObese4);
    EXPECT_EQ(GetBmiClass(55.0), kBmiObese4);
    EXPECT_EQ(GetBmiClass(0.0), kBmiUnderweight);
    EXPECT_EQ(GetBmiClass(std::numeric_limits<double>::quiet_NaN()), kBmiUnderweight);
    EXPECT_EQ(GetBmiClass(std::numeric_limits<double>::infinity()), kBmiObese4);
}

TEST(BmiClass, NamesComeFromTheStringTable) {
    EXPECT_EQ(std::string(BmiClassName(kBmiUnderweight)), "低体重　");
    EXPECT_EQ(std::string(BmiClassName(kBmiNormal)), "普通体重");
    EXPECT_EQ(std::string(BmiClassName(kBmiObese4)), "肥満度４");
    EXPECT_EQ(std::string(BmiClassName(kBmiClassCount)), "");
}

TEST(Bmi, SeventyKiloAtOneSeventy) {
    double bmi = BmiOfWeight(70.0, 170.0);
    EXPECT_NEAR(bmi, 24.2215, 1e-4);
    EXPECT_EQ(GetBmiClass(bmi), kBmiNormal);
}

TEST(Bmi, HeightNotPositiveGivesNoBmi) {
    EXPECT_EQ(BmiOfWeight(70.0, 0.0), 0.0);
    EXPECT_EQ(BmiOfWeight(70.0, -170.0), 0.0);
    EXPECT_EQ(BmiOfWeight(70.0, std::numeric_limits<double>::quiet_NaN()), 0.0);
    NormalWeightRange range = NormalWeightOf(0.0);
    EXPECT_EQ(range.lower, 0.0);
    EXPECT_EQ(range.upper, 0.0);
    Appropriateness fit = AppropriatenessOf(60.0, range);
    EXPECT_EQ(fit.rate, 0.0);
    EXPECT_EQ(fit.difference, 0.0);
}

TEST(NormalWeight, OneSeventyCentimetres) {
    NormalWeightRange range = NormalWeightOf(170.0);
    EXPECT_NEAR(range.lower, 57.85, 1e-9);
    EXPECT_NEAR(range.upper, 69.3311, 1e-9);

    Appropriateness inside = AppropriatenessOf(60.0, range);
    EXPECT_EQ(inside.rate, 100.0);
    EXPECT_EQ(inside.difference, 0.0);

    Appropriateness above = AppropriatenessOf(80.0, range);
    EXPECT_NEAR(above.rate, 115.39, 0.005);
    EXPECT_NEAR(above.difference, 10.6689, 1e-9);

    Appropriateness below = AppropriatenessOf(50.0, range);
    EXPECT_NEAR(below.rate, 86.43, 0.005);
    EXPECT_NEAR(below.difference, -7.85, 1e-9);

    // The bounds themselves are inside the range.
    EXPECT_EQ(AppropriatenessOf(range.lower, range).rate, 100.0);
    EXPECT_EQ(AppropriatenessOf(range.upper, range).difference, 0.0);
}

// Figures are shown as people round them, whatever binary arithmetic made of the half.
TEST(ShownTenths, HalvesRoundAwayFromZero) {
    const struct {
        double value;
        const char* shown;
    } cases[] = {{NormalWeightOf(170.0).lower, "57.9"},  // 57.8 + 0.05, stored as 57.8499...
                 {NormalWeightOf(160.0).lower, "51.3"},  // exactly 51.25
                 {22.449, "22.4"}, {54.6 - 55.0, "-0.4"}, {-7.85, "-7.9"}, {99.95, "100.0"},
                 {-0.04, "0.0"}, {0.0, "0.0"}};  // never "-0.0"
    for (const auto& c : cases) {
        char text[16];
        std::snprintf(text, sizeof text, "%.1lf", ShownTenths(c.value));
        EXPECT_STREQ(text, c.shown) << c.value;
    }
}

TEST(AnalyzeWeight, FillsEveryField) {
    AnalysisResult result = AnalyzeWeight(80.0, 170.0);
    EXPECT_EQ(result.averageWeight, 80.0);
    EXPECT_NEAR(result.bmi, 27.68, 0.005);
    EXPECT_EQ(result.bmiClass, kBmiObese1);
    EXPECT_NEAR(result.lowerNormalWeight, 57.85, 1e-9);
    EXPECT_NEAR(result.upperNormalWeight, 69.3311, 1e-9);
    EXPECT_NEAR(result.appropriatenessRate, 115.39, 0.005);
    EXPECT_NEAR(result.difference, 10.6689, 1e-9);
}

bool IsAllZero(const AnalysisResult& r) {
    return r.averageWeight == 0 && r.bmi == 0 && r.bmiClass == 0 && r.lowerNormalWeight == 0 &&
           r.upperNormalWeight == 0 && r.appropriatenessRate == 0 && r.difference == 0;
}

TEST(AnalyzeWeight, NoResultWithoutWeightOrHeight) {
    EXPECT_TRUE(IsAllZero(AnalyzeWeight(0.0, 170.0)));
    EXPECT_TRUE(IsAllZero(AnalyzeWeight(-3.0, 170.0)));
    EXPECT_TRUE(IsAllZero(AnalyzeWeight(std::numeric_limits<double>::quiet_NaN(), 170.0)));
    EXPECT_TRUE(IsAllZero(AnalyzeWeight(60.0, 0.0)));
    EXPECT_TRUE(IsAllZero(AnalyzeWeight(60.0, -1.0)));
}

}  // namespace
