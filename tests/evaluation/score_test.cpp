#include <gtest/gtest.h>

#include <cstring>
#include <limits>

#include "evaluation/score.h"
#include "evaluation/test_records.h"

namespace {

ScoreTargets IntakeOnly(int32_t target) { return {target, 0, 0, true, true, true}; }
ScoreTargets AllThree() { return {2000, 300, 480, true, true, true}; }

TEST(WalkingCalories, TruncatesToWholeKilocalories) {
    EXPECT_EQ(WalkingCalories(10000, 60.0), 333u);  // 333.0
    EXPECT_EQ(WalkingCalories(8000, 70.5), 313u);   // 313.02
    EXPECT_EQ(WalkingCalories(0, 70.0), 0u);
    EXPECT_EQ(WalkingCalories(10000, -60.0), 0u);
    EXPECT_EQ(WalkingCalories(10000, std::numeric_limits<double>::quiet_NaN()), 0u);
    EXPECT_EQ(WalkingCalories(UINT32_MAX, 1e30), UINT32_MAX);
}

TEST(WalkingCalories, AddToTheDaysExercise) {
    DailyRecord day = DayRecord("20040101", 60.0);
    day.steps = 10000;
    day.exercise = 100;
    EXPECT_EQ(ExerciseWithWalking(day), 433u);
    day.exercise = UINT32_MAX - 10;
    EXPECT_EQ(ExerciseWithWalking(day), UINT32_MAX);
}

TEST(ScoreClass, IntakeIsPenalisedBothWays) {
    // Intake alone: the class follows the intake part directly.
    EXPECT_EQ(GetScoreClass(2000, 0, 0, IntakeOnly(2000)), 4);  // 100
    EXPECT_EQ(GetScoreClass(3000, 0, 0, IntakeOnly(2000)), 0);  // 150 % scores 50
    EXPECT_EQ(GetScoreClass(1000, 0, 0, IntakeOnly(2000)), 0);  // 50 % scores 50
    EXPECT_EQ(GetScoreClass(4000, 0, 0, IntakeOnly(2000)), 0);  // 200 % scores 0
    EXPECT_EQ(GetScoreClass(2200, 0, 0, IntakeOnly(2000)), 3);  // 110 % scores 90
    // The parts show through the average with a full exercise part: (part + 100) / 2.
    ScoreTargets withExercise = {2000, 100, 0, true, true, false};
    EXPECT_EQ(GetScoreClass(3000, 100, 0, withExercise), 2);  // (50 + 100) / 2 = 75
    EXPECT_EQ(GetScoreClass(1000, 100, 0, withExercise), 2);  // (50 + 100) / 2 = 75
    EXPECT_EQ(GetScoreClass(4000, 100, 0, withExercise), 0);  // (0 + 100) / 2 = 50
    EXPECT_EQ(GetScoreClass(8000, 100, 0, withExercise), 0);  // far above twice: still 0, not negative
    EXPECT_EQ(GetScoreClass(3900, 100, 0, withExercise), 0);  // (5 + 100) / 2 = 52.5
}

TEST(ScoreClass, ExerciseAndSleepAboveTargetCountAsFull) {
    ScoreTargets targets = {0, 200, 400, true, true, true};
    EXPECT_EQ(GetScoreClass(0, 300, 480, targets), 4);  // 150 % and 120 % both count 100
    EXPECT_EQ(GetScoreClass(0, 0, 0, targets), 0);     // nothing entered still counts, as 0
    EXPECT_EQ(GetScoreClass(0, 200, -400, targets), 0);  // a negative sleep lowers the average
}

TEST(ScoreClass, ClassBoundaries) {
    // Intake target 100 kcal: the intake part equals the intake.
    EXPECT_EQ(GetScoreClass(95, 0, 0, IntakeOnly(100)), 4);
    EXPECT_EQ(GetScoreClass(85, 0, 0, IntakeOnly(100)), 3);
    EXPECT_EQ(GetScoreClass(75, 0, 0, IntakeOnly(100)), 2);
    EXPECT_EQ(GetScoreClass(65, 0, 0, IntakeOnly(100)), 1);
    EXPECT_EQ(GetScoreClass(64, 0, 0, IntakeOnly(100)), 0);
    // 64.999 % and 94.999 % stay below their boundaries.
    EXPECT_EQ(GetScoreClass(64999, 0, 0, IntakeOnly(100000)), 0);
    EXPECT_EQ(GetScoreClass(94999, 0, 0, IntakeOnly(100000)), 3);
    // Boundaries reached through an average of several parts.
    EXPECT_EQ(GetScoreClass(1900, 285, 456, AllThree()), 4);  // 95, 95, 95
    EXPECT_EQ(GetScoreClass(1300, 195, 312, AllThree()), 1);  // 65, 65, 65
    // Targets that do not divide evenly: 13 of 20 is exactly 65 %.
    EXPECT_EQ(GetScoreClass(13, 0, 0, IntakeOnly(20)), 1);
    EXPECT_EQ(GetScoreClass(19, 0, 0, IntakeOnly(20)), 4);
}

TEST(ScoreClass, UnratedWithoutTargetsOrItems) {
    EXPECT_EQ(GetScoreClass(2000, 300, 480, ScoreTargets{0, 0, 0, true, true, true}), kScoreUnrated);
    EXPECT_EQ(GetScoreClass(2000, 300, 480, ScoreTargets{-1, -5, -480, true, true, true}), kScoreUnrated);
    EXPECT_EQ(GetScoreClass(2000, 300, 480, ScoreTargets{2000, 300, 480, false, false, false}), kScoreUnrated);
}

TEST(ScoreClass, SwitchedOffItemLeavesTheAverage) {
    ScoreTargets targets = {2000, 300, 480, true, false, true};
    EXPECT_EQ(GetScoreClass(2000, 0, 480, targets), 4);  // exercise 0 would otherwise pull it down
}

TEST(ScoreClass, TargetsAndSwitchesFromTheUser) {
    UserHeader header = HeaderOfHeight(170.0);
    header.targetIntake = 2000;
    header.targetExercise = 300;
    header.targetSleep = 480;
    InputItemFlags flags = {{1, 0, 0, 1, 0, 1, 0}};
    ScoreTargets targets = ScoreTargetsOf(header, flags);
    EXPECT_EQ(targets.intake, 2000);
    EXPECT_TRUE(targets.intakeOn);
    EXPECT_FALSE(targets.exerciseOn);
    EXPECT_TRUE(targets.sleepOn);

    DailyRecord day = DayRecord("20040101", 60.0);
    day.intakeTotal = 2000;
    day.sleep = 480;
    EXPECT_EQ(ScoreClassOfRecord(day, targets), 4);
}

TEST(ScoreClass, WalkingCountsAsExercise) {
    ScoreTargets targets = {0, 333, 0, true, true, true};
    DailyRecord day = DayRecord("20040101", 60.0);
    day.steps = 10000;  // 333 kcal of walking
    EXPECT_EQ(ScoreClassOfRecord(day, targets), 4);
    day.steps = 0;
    EXPECT_EQ(ScoreClassOfRecord(day, targets), 0);
}

}  // namespace
