#include <gtest/gtest.h>

#include "diary/target_rules.h"

namespace {

TEST(TargetRules, NormalWeightLineCutsTheUpperValueToFiveCharacters) {
    EXPECT_EQ(NormalWeightLine(160.0), "BMI22の普通体重は、56.3kg(47.4kg～ 63.9kg)です。");
    EXPECT_EQ(NormalWeightLine(202.5), "BMI22の普通体重は、90.2kg(75.9kg～102.4kg)です。");
}

TEST(TargetRules, LimitsIncludeTheirEnds) {
    EXPECT_TRUE(TargetWeightAccepted(10.0));
    EXPECT_TRUE(TargetWeightAccepted(200.0));
    EXPECT_FALSE(TargetWeightAccepted(9.9));
    EXPECT_FALSE(TargetWeightAccepted(200.1));
    EXPECT_TRUE(TargetBodyFatAccepted(1.0));
    EXPECT_TRUE(TargetBodyFatAccepted(50.0));
    EXPECT_FALSE(TargetBodyFatAccepted(0.9));
    EXPECT_FALSE(TargetBodyFatAccepted(50.1));
}

}  // namespace
