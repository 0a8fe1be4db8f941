// The fields the registration and amend dialogs share: name, age, sex and
// height with their spins, and the checks of their confirm button.
#ifndef PELMO_DIARY_DIALOGS_USER_DETAIL_FIELDS_H
#define PELMO_DIARY_DIALOGS_USER_DETAIL_FIELDS_H

#include <windows.h>

#include "diary/records.h"

constexpr int kMaxAge = 100;
constexpr double kMaxHeight = 250.0;
constexpr const char kUserCaption[] = "ユーザー";

// Formats, spin ranges, the sex list and the start values.
void InitUserDetailFields(HWND dialog, int age, int sex, double height);

// A field or the sex list changed: the spin follows and the IME closes.
void OnUserDetailChange(HWND dialog, int id, WORD code);
// A spin's thumb was released: its field gets the focus and the value.
void OnUserDetailSpin(HWND dialog, int spinId, int position);

// The checks of the confirm button in their order, each failure told with
// the focus on its field. The name checks only when withName. True when all pass.
bool CheckUserDetails(HWND dialog, bool withName);

// Name (trimmed, at most 30 bytes), age, sex and height from the fields.
void ReadUserDetails(HWND dialog, UserHeader* header);
// Age, sex and height only (the amend dialog shows the name read-only).
void ReadBodyDetails(HWND dialog, UserHeader* header);

#endif
