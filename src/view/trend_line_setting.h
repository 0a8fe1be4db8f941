// The menu's "表示" → "傾向線": whether the line graph draws the trends of
// weight and body fat. On unless the person turned it off; the choice is kept
// in the settings' "TRENDLINE" ("1" or "0") beside the graph's other choices.
#ifndef PELMO_VIEW_TREND_LINE_SETTING_H
#define PELMO_VIEW_TREND_LINE_SETTING_H

#include <windows.h>

// The stored choice: only "0" turns the trend line off.
bool ReadTrendLineSetting();

// The menu item of the window's top-level window checked as the diary window's state says.
void ShowTrendLineCheck(HWND window);

// The command: the trend line on or off, kept, checked in the menu and the graph repainted.
LRESULT ToggleTrendLine(HWND window);

#endif
