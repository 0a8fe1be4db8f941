// The diary window's paint: the record table's header, the BMI chart and the
// line graph, on the chart palette; the first real paint removes the splash.
#ifndef PELMO_VIEW_DIARY_PAINT_H
#define PELMO_VIEW_DIARY_PAINT_H

#include <windows.h>

#include "charts/painters/record_table.h"

void PaintDiaryWindow(HWND window);

// What the record table's header is drawn against: the window's size, the
// record list's place, the table's widths and columns, the text ascent and
// whether body fat is recorded.
RecordHeaderPlace RecordHeaderPlaceOf(HWND window);

// The start-up splash (g_diary.splash, put up by the shell) is destroyed.
void EndSplash();
// The splash goes and the frame takes the diary's title: at the diary
// window's first real paint, or when the frame is minimized before it (a
// minimized frame paints nothing, and the splash would stay on the desktop).
void GiveWayToDiary(HWND window);

#endif
