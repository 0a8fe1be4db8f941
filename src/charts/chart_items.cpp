#include "charts/chart_items.h"

#include "evaluation/score.h"
#include "resources/resource.h"
#include "resources/texts.h"

namespace {

bool IsPlottedItem(int item) { return item > kChartNone && item < kChartItemCount; }

// Condition codes run from 1 (best) upwards; the graph shows 7 − code so that up is better.
double ConditionValue(uint8_t code) { return code > 0 ? 7.0 - code : 0.0; }

double EvaluationValue(const DailyRecord& record, const UserHeader& header, const InputItemFlags& flags) {
    int scoreClass = ScoreClassOfRecord(record, ScoreTargetsOf(header, flags));
    return scoreClass == kScoreUnrated ? 0.0 : scoreClass + 1.0;
}

}  // namespace

double itemValue(const DailyRecord& record, int item, const UserHeader& header, const InputItemFlags& flags) {
    switch (item) {
    case kChartWeight: return record.weight;
    case kChartBodyFat: return record.bodyFat;
    case kChartIntake: return record.intakeTotal;
    case kChartExercise: return ExerciseWithWalking(record);
    case kChartTemperature: return record.temperature;
    case kChartCondition: return ConditionValue(record.condition);
    case kChartSleep: return record.sleep / 60.0;
    case kChartSteps: return record.steps;
    case kChartEvaluation: return EvaluationValue(record, header, flags);
    default: return 0.0;
    }
}

double itemTarget(const UserHeader& header, int item) {
    switch (item) {
    case kChartWeight: return header.targetWeight;
    case kChartBodyFat: return header.targetBodyFat;
    case kChartIntake: return header.targetIntake;
    case kChartExercise: return header.targetExercise;
    case kChartSleep: return header.targetSleep / 60.0;
    case kChartSteps: return header.targetSteps;
    default: return 0.0;
    }
}

int valueScale(int item) {
    switch (item) {
    case kChartIntake:
    case kChartExercise:
    case kChartSteps: return 1;
    default: return IsPlottedItem(item) ? 10 : 0;
    }
}

bool ChartItemAvailable(int item, const InputItemFlags& flags) {
    auto on = [&](int input) { return flags.on[input] != 0; };
    switch (item) {
    case kChartNone:
    case kChartWeight: return true;
    case kChartBodyFat: return on(kItemBodyFat);
    case kChartIntake: return on(kItemIntake);
    case kChartExercise: return on(kItemExercise);
    case kChartTemperature: return on(kItemTemperature);
    case kChartCondition: return on(kItemCondition);
    case kChartSleep: return on(kItemSleep);
    case kChartSteps: return on(kItemSteps);
    case kChartEvaluation: return on(kItemIntake) || on(kItemExercise) || on(kItemSleep);
    default: return false;
    }
}

const char* ChartItemName(int item) {
    if (item < kChartNone || item >= kChartItemCount) return "";
    return PelmoText(IDS_CHART_ITEM_NONE + item);
}

const char* ChartItemUnit(int item) {
    // The units follow the names in the string table: 57762 + item, so item 0
    // would land on the last name; with no series there is no unit.
    if (!IsPlottedItem(item)) return "";
    return PelmoText(IDS_CHART_UNIT_WEIGHT - kChartWeight + item);
}
