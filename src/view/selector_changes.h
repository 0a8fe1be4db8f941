// What a choice in one of the six selectors changes: the analysis mode and
// period, the line graph's items, period and month, and the registry values
// that carry them to the next run.
#ifndef PELMO_VIEW_SELECTOR_CHANGES_H
#define PELMO_VIEW_SELECTOR_CHANGES_H

#include <windows.h>

// A selection-change notification of selector id (101, 102, 200..203).
void OnSelectorChange(HWND window, int id);

// The choices of the last run, applied when the first user of a run with
// records has been loaded. The registry values stay as they are: a stored
// item this user does not record shows "-未設定-" and is kept for the next run.
void RestoreSelectors(HWND window);

// After another user with records was opened: the line graph's items and
// period this user had when last open in this run (else the ones shown now),
// in lists of this user's items, with this user's months or years.
void GiveBackGraphChoice(HWND window);
// Every user's kept choice goes (a new diary window).
void ForgetGraphChoices();

#endif
