// The rules of the targets: accepted ranges and the normal-weight line shown
// beside them (BMI 22 and the normal BMI range 18.5 to below 25 for a height).
#ifndef PELMO_DIARY_TARGET_RULES_H
#define PELMO_DIARY_TARGET_RULES_H

#include <string>

constexpr int kTargetMessageLimit = 80;  // bytes

// A target of 0 is none (body fat switched off, a user who never set one): a
// difference to it is shown as nothing, never as the value itself.
inline bool TargetSet(double target) { return target > 0; }

bool TargetWeightAccepted(double kg);       // 10.0..200.0
bool TargetBodyFatAccepted(double percent); // 1.0..50.0

// "BMI22の普通体重は、%.1lfkg(%.1lfkg～%skg)です。": ideal and lower weight,
// and the upper weight printed "%6.2lf" and cut to 5 characters.
std::string NormalWeightLine(double heightCm);

#endif
