// The rules of the day dialog, free of windows: validation, the diary text as
// stored and the field the keys move to.
#ifndef PELMO_DIARY_DAY_FORM_H
#define PELMO_DIARY_DAY_FORM_H

#include <cstddef>

#include "diary/records.h"

// The text the diary field shows when the day has no diary; never stored.
extern const char kDiaryPlaceholder[];

enum DayCheck : int { kDayValid = 0, kDayBadWeight = 1, kDayBadBodyFat = 2 };
// weight 1.0..200.0; body fat 0 (not entered) or 1.0..50.0. Weight is checked first.
DayCheck CheckDay(double weight, double bodyFat);
extern const char kBadWeightText[];
extern const char kBadBodyFatText[];
extern const char kDayDialogCaption[];  // "一日の記録"

// The diary as stored: empty for the placeholder, else text cut to 999 bytes
// without splitting a double-byte character. out: kDiaryCapacity bytes.
void StoredDiaryText(const char* fieldText, char* out);

// Where Enter or Down leaves a number field: the first tracked item from
// `firstItem` on decides.
enum DayFieldMove : int { kMoveToBodyFat, kMoveNowhere, kMoveRegister };
DayFieldMove NextFieldFrom(const InputItemFlags& items, int firstItem);

#endif
