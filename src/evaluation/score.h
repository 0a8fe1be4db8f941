// The achievement class of a day against the user's intake, exercise and
// sleep targets, and the walking calories that count as exercise.
#ifndef PELMO_EVALUATION_SCORE_H
#define PELMO_EVALUATION_SCORE_H

#include <cstdint>

#include "diary/records.h"

// Achievement classes: 0..4, 4 best; kScoreUnrated when no target counts.
constexpr int kScoreBest = 4;
constexpr int kScoreUnrated = 99;

// steps × weight × 0.000555, truncated to whole kcal (0 for nonsense such as a
// negative or not-a-number weight, and at most UINT32_MAX).
uint32_t WalkingCalories(uint32_t steps, double weight);

// The day's exercise kcal plus its walking kcal: what every score and chart uses.
uint32_t ExerciseWithWalking(const DailyRecord& record);

// The targets and switches that decide which parts count.
struct ScoreTargets {
    int32_t intake;    // kcal per day, 0 or less: none
    int32_t exercise;  // kcal per day, 0 or less: none
    int32_t sleep;     // minutes per day, 0 or less: none
    bool intakeOn;
    bool exerciseOn;
    bool sleepOn;
};
ScoreTargets ScoreTargetsOf(const UserHeader& header, const InputItemFlags& flags);

// The class of a day with this intake, exercise (walking included) and sleep.
int GetScoreClass(uint32_t intake, uint32_t exercise, int32_t sleep, const ScoreTargets& targets);

// The same for a record: its intake total, its exercise with walking and its sleep.
int ScoreClassOfRecord(const DailyRecord& record, const ScoreTargets& targets);

#endif
