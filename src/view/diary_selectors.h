// The six drop-down lists of the diary window (analysis 101, 102; line graph
// 200..203): creation, enabling, resets and the period lists that follow the
// records. What a selection changes is selector_changes.h's.
#ifndef PELMO_VIEW_DIARY_SELECTORS_H
#define PELMO_VIEW_DIARY_SELECTORS_H

#include <windows.h>

#include <cstddef>

// Creates the six in the order 101, 102, 200..203, fills 101 with the three
// analysis modes (entry 0 selected), disables all and redraws them. Their
// places come with the next layout.
void CreateSelectors(HWND window, HINSTANCE instance);

HWND Selector(int id);
void EnableSelector(int id, bool enable);
void DisableAllSelectors();
// Invalidated with erase and updated, in the order 101, 102, 200..203;
// nothing while the diary window is hidden.
void RedrawSelectors();

// Entry 0 in all six, lists 102, 202 and 203 emptied, all six disabled; the
// analysis mode and both line-graph items 0, no line-graph period, W = W0.
// The record list is left as it is (after the last record was deleted).
void ResetSelectorsKeepingList();
// The same, and the record list back to the single blank line, selected and
// focused (a new user, a user without records).
void ResetSelectors();

// Fills a period list with the months ("YYYY年MM月") or years ("YYYY年") that
// have records, each once, in date order.
void FillPeriodList(HWND selector, bool monthly);
// A period list's text of a period key "YYYYMM" (kMonthKeyLength) or "YYYY".
void FormatPeriodText(const char* key, std::size_t keyLength, char* out, std::size_t size);
// The period key "YYYYMM" or "YYYY" of a shown date "YYYY/MM/DD" (key: 7 bytes).
void PeriodKeyOfShownDate(const char* shown, bool monthly, char* key);
// The key of a period list's entry: "YYYY年MM月" (10 bytes) or "YYYY年" (6
// bytes); false for a text of another length.
bool PeriodKeyOfEntry(const char* text, bool monthly, char* key);
// Selects the period list's entry of key by its text; none when it is not listed.
void SelectPeriodEntry(int selectorId, const char* key, bool monthly);

// Fills an item selector with the names of the chart items the open user
// records (the evaluation when intake, exercise or sleep is recorded), in code order.
void FillItemList(HWND selector);
// Fills the period selector with its 14 periods, monthly first.
void FillGraphPeriodList(HWND selector);
// After a day was added, edited or deleted: the month or year lists of the
// analysis (month or year mode) and of the line graph (monthly or yearly
// graph) are rebuilt and enabled. Their selections follow at the next sync.
void RefreshSelectorsAfterRecordChange();

// WM_COMMAND(id, CBN_SELCHANGE) to the diary window, as if the person had chosen.
void NotifySelectorChange(HWND window, int id);

#endif
