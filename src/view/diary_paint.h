// The diary window's paint: the record table's header, the BMI chart and the
// line graph, on the chart palette; the first real paint removes the splash.
#ifndef PELMO_VIEW_DIARY_PAINT_H
#define PELMO_VIEW_DIARY_PAINT_H

#include <windows.h>

void PaintDiaryWindow(HWND window);

#endif
