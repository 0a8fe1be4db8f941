#include "evaluation/score.h"

#include <cmath>

namespace {

// Percent of target, as one correctly rounded division so that a day exactly at
// 95 % of its target lands on 95 and not a hair below.
double PercentOf(double value, int32_t target) { return value * 100.0 / target; }

double IntakePart(uint32_t intake, int32_t target) {
    double r = PercentOf(intake, target);
    if (r <= 100.0) return r;
    if (r <= 200.0) return 200.0 - r;  // eating too much costs as much as eating too little
    return 0.0;
}

}  // namespace

uint32_t WalkingCalories(uint32_t steps, double weight) {
    double kcal = steps * weight * 0.000555;
    // Converting a NaN or out-of-range double to an integer is undefined behaviour.
    if (!(kcal >= 0.0)) return 0;
    if (kcal >= 4294967295.0) return UINT32_MAX;
    return static_cast<uint32_t>(kcal);
}

uint32_t ExerciseWithWalking(const DailyRecord& record) {
    uint32_t exercise = record.exercise;
    uint32_t walking = WalkingCalories(record.steps, record.weight);
    // Saturate rather than wrap: a garbled day must not turn into a tiny value.
    return exercise > UINT32_MAX - walking ? UINT32_MAX : exercise + walking;
}

ScoreTargets ScoreTargetsOf(const UserHeader& header, const InputItemFlags& flags) {
    ScoreTargets targets;
    targets.intake = header.targetIntake;
    targets.exercise = header.targetExercise;
    targets.sleep = header.targetSleep;
    targets.intakeOn = flags.on[kItemIntake] != 0;
    targets.exerciseOn = flags.on[kItemExercise] != 0;
    targets.sleepOn = flags.on[kItemSleep] != 0;
    return targets;
}

int GetScoreClass(uint32_t intake, uint32_t exercise, int32_t sleep, const ScoreTargets& targets) {
    double sum = 0.0;
    int parts = 0;
    if (targets.intake > 0 && targets.intakeOn) {
        sum += IntakePart(intake, targets.intake);
        ++parts;
    }
    if (targets.exercise > 0 && targets.exerciseOn) {
        double r = PercentOf(exercise, targets.exercise);
        sum += r < 100.0 ? r : 100.0;
        ++parts;
    }
    if (targets.sleep > 0 && targets.sleepOn) {
        double r = PercentOf(sleep, targets.sleep);
        sum += r <= 100.0 ? r : 100.0;
        ++parts;
    }
    if (parts == 0) return kScoreUnrated;
    double average = sum / parts;
    if (average >= 95.0 && average <= 100.0) return 4;
    if (average >= 85.0 && average < 95.0) return 3;
    if (average >= 75.0 && average < 85.0) return 2;
    if (average >= 65.0 && average < 75.0) return 1;
    return 0;
}

int ScoreClassOfRecord(const DailyRecord& record, const ScoreTargets& targets) {
    return GetScoreClass(record.intakeTotal, ExerciseWithWalking(record), record.sleep, targets);
}
