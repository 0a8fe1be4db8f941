// What a choice in one of the six selectors changes: the analysis mode and
// period, the line graph's items, period and month, and the registry values
// that carry them to the next run.
#ifndef PELMO_VIEW_SELECTOR_CHANGES_H
#define PELMO_VIEW_SELECTOR_CHANGES_H

#include <windows.h>

// A selection-change notification of selector id (101, 102, 200..203).
void OnSelectorChange(HWND window, int id);

// The choices of the last run, applied when the first user of a run with
// records has been loaded.
void RestoreSelectors(HWND window);

#endif
