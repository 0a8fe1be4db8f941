// The window side of the period analysis: what the record list and the
// calendar show decides the analysed day, and the chart area is repainted.
#ifndef PELMO_VIEW_EVALUATE_WINDOW_H
#define PELMO_VIEW_EVALUATE_WINDOW_H

#include <windows.h>

#include "evaluation/period.h"

// Evaluates with the record list's selection (a list box) and the calendar's
// window text ("YYYY/MM/DD") into *analysis, the result the chart paints from;
// only then invalidates chartArea of window with erasing (the whole window when
// chartArea is null) and updates it at once, result or not.
void EvaluatePeriodInWindow(HWND window, HWND recordList, HWND calendar, const RECT* chartArea,
                            const DailyRecord* records, uint32_t count, const UserHeader& header, int mode,
                            char* periodKey, AnalysisResult* analysis);

#endif
