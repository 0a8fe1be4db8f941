// The dialog "IDD_EDIT" (一日の記録): one day's date, weight, body fat and
// diary, stored into the diary with StoreDay.
#ifndef PELMO_DIARY_DIALOGS_DAY_DIALOG_H
#define PELMO_DIARY_DIALOGS_DAY_DIALOG_H

#include <windows.h>

extern const char* const kDayDialogTemplate;  // "IDD_EDIT"

// start 0: a new day under the calendar's date, from the latest record's values;
// start k >= 1: record k (1-based). Returns StoreDay's 1-based position, or 0 on
// Cancel (days the date spin stored stay stored).
INT_PTR OpenDayDialog(HWND owner, LPARAM start);

// What the dialog tells the diary window each time it stored a day ("登録" and
// every step of the date spin that stored one), so that the record list, the
// calendar and the evaluation follow. Null hooks are skipped.
struct DayDialogHooks {
    void (*dayStored)(HWND owner);
};
void SetDayDialogHooks(const DayDialogHooks& hooks);

#endif
