#include <gtest/gtest.h>

#include <string>

#include "charts/chart_items.h"
#include "evaluation/test_records.h"

namespace {

class ChartItemsTest : public ::testing::Test {
protected:
    void SetUp() override {
        day = DayRecord("20040115", 60.0);
        day.bodyFat = 22.5;
        day.temperature = 36.4;
        day.condition = 2;
        day.sleep = 450;
        day.steps = 10000;
        day.intakeTotal = 1800;
        day.exercise = 100;
        header = HeaderOfHeight(170.0);
        header.targetWeight = 58.0;
        header.targetBodyFat = 20.0;
        header.targetIntake = 2000;
        header.targetExercise = 400;
        header.targetSleep = 420;
        header.targetSteps = 8000;
    }
    double Value(int item) { return itemValue(day, item, header, flags); }
    DailyRecord day;
    UserHeader header;
    InputItemFlags flags = {{1, 1, 1, 1, 1, 1, 1}};
};

TEST_F(ChartItemsTest, ValuesOfADay) {
    EXPECT_EQ(Value(kChartNone), 0.0);
    EXPECT_EQ(Value(kChartWeight), 60.0);
    EXPECT_EQ(Value(kChartBodyFat), 22.5);
    EXPECT_EQ(Value(kChartIntake), 1800.0);
    EXPECT_EQ(Value(kChartExercise), 433.0);  // 100 + walking 333
    EXPECT_EQ(Value(kChartTemperature), 36.4);
    EXPECT_EQ(Value(kChartCondition), 5.0);
    EXPECT_EQ(Value(kChartSleep), 7.5);
    EXPECT_EQ(Value(kChartSteps), 10000.0);
    EXPECT_EQ(Value(-1), 0.0);
    EXPECT_EQ(Value(10), 0.0);
}

TEST_F(ChartItemsTest, ConditionCodeZeroIsNoPoint) {
    day.condition = 0;
    EXPECT_EQ(Value(kChartCondition), 0.0);
    day.condition = 1;
    EXPECT_EQ(Value(kChartCondition), 6.0);
}

TEST_F(ChartItemsTest, EvaluationIsClassPlusOneAndZeroWhenUnrated) {
    // intake 90 %, exercise 433 of 400 → 100, sleep 450 of 420 → 100: average 96.67, class 4.
    EXPECT_EQ(Value(kChartEvaluation), 5.0);
    day.intakeTotal = 0;  // intake part 0: average 66.67, class 1
    EXPECT_EQ(Value(kChartEvaluation), 2.0);
    flags = {{1, 1, 1, 0, 1, 0, 0}};  // intake, exercise and sleep all off
    EXPECT_EQ(Value(kChartEvaluation), 0.0);
    flags = {{1, 1, 1, 1, 1, 1, 1}};
    header.targetIntake = header.targetExercise = header.targetSleep = 0;
    EXPECT_EQ(Value(kChartEvaluation), 0.0);
}

TEST_F(ChartItemsTest, TargetsAndScales) {
    EXPECT_EQ(itemTarget(header, kChartWeight), 58.0);
    EXPECT_EQ(itemTarget(header, kChartBodyFat), 20.0);
    EXPECT_EQ(itemTarget(header, kChartIntake), 2000.0);
    EXPECT_EQ(itemTarget(header, kChartExercise), 400.0);
    EXPECT_EQ(itemTarget(header, kChartTemperature), 0.0);
    EXPECT_EQ(itemTarget(header, kChartCondition), 0.0);
    EXPECT_EQ(itemTarget(header, kChartSleep), 7.0);
    EXPECT_EQ(itemTarget(header, kChartSteps), 8000.0);
    EXPECT_EQ(itemTarget(header, kChartEvaluation), 0.0);
    EXPECT_EQ(itemTarget(header, kChartNone), 0.0);

    const int scales[kChartItemCount] = {0, 10, 10, 1, 1, 10, 10, 10, 1, 10};
    for (int item = 0; item < kChartItemCount; ++item) EXPECT_EQ(valueScale(item), scales[item]) << item;
    EXPECT_EQ(valueScale(10), 0);
}

TEST(ChartItemTexts, NamesAndUnits) {
    EXPECT_EQ(std::string(ChartItemName(kChartNone)), "-未設定-");
    EXPECT_EQ(std::string(ChartItemName(kChartWeight)), "体　　重");
    EXPECT_EQ(std::string(ChartItemName(kChartIntake)), "摂取ｶﾛﾘｰ");
    EXPECT_EQ(std::string(ChartItemName(kChartEvaluation)), "評　　価");
    EXPECT_EQ(std::string(ChartItemName(10)), "");
    EXPECT_EQ(std::string(ChartItemUnit(kChartNone)), "");  // not the name of item 9
    EXPECT_EQ(std::string(ChartItemUnit(kChartWeight)), "kg");
    EXPECT_EQ(std::string(ChartItemUnit(kChartBodyFat)), "％");
    EXPECT_EQ(std::string(ChartItemUnit(kChartTemperature)), "℃");
    EXPECT_EQ(std::string(ChartItemUnit(kChartSleep)), "H");
    EXPECT_EQ(std::string(ChartItemUnit(kChartEvaluation)), "評");
    EXPECT_EQ(std::string(ChartItemUnit(10)), "");
}

}  // namespace
