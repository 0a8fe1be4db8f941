// How the diary window keeps its parts in step: the evaluation, partial
// repaints, the calendar's dates, the title, a user just opened, and the
// hooks through which the record list and the day dialog reach the window.
#ifndef PELMO_VIEW_DIARY_LINKS_H
#define PELMO_VIEW_DIARY_LINKS_H

#include <windows.h>

#include <cstdint>

struct DailyRecord;

// EvaluatePeriod for the shown day, month or year; the BMI chart is repainted.
void EvaluateDiary(HWND window);

// Invalidates (with erase) and updates area, or the whole window while area is empty.
void RepaintArea(HWND window, const RECT& area);
// The whole window with its children: the record table's rows, the calendar, the selectors.
void RepaintWindow(HWND window);

// The calendar learns the dates of the open user's records (none without a user).
void TellCalendarRecords();
void TellCalendarDates(const DailyRecord* records, std::uint32_t count);
// The calendar learns the chart palette and the colours it draws in from it.
void TellCalendarPalette();
void FocusRecordList();

// The main window's title: "%s - %s 「%s」" for the open user, else "ペルモ".
void ShowDiaryTitle(HWND window);
void SetMainWindowTitle(HWND window, const char* title);

// The windows follow a user just opened: the title, the record list (a line
// per day and the blank one, which is selected), the calendar's dates, and
// the selectors' last settings when the load says so.
void ShowOpenedUser(HWND window, bool restoreSelectors);

// The record list and the day dialog call back into this window.
void InstallDiaryHooks();
void RemoveDiaryHooks();

#endif
