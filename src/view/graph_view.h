// The line graph in the diary window: what it is drawn from, its paint, and
// the repaint of just its parts that a change of items or period touches.
#ifndef PELMO_VIEW_GRAPH_VIEW_H
#define PELMO_VIEW_GRAPH_VIEW_H

#include <windows.h>

#include "charts/painters/line_graph.h"

// The window's size and places, the selections, the calendar's date and the
// open user's diary, as the graph painter takes them. calendarText receives
// the calendar's window text (kShownDateSize bytes or more) and is pointed to.
LineGraphInput LineGraphInputOf(HWND window, char* calendarText, int calendarTextSize);

// Paints the graph when paintArea reaches it (the rest of a paint leaves it
// alone) and keeps its areas for the repaints.
void PaintLineGraph(HWND window, HDC dc, const RECT& paintArea);

// Invalidates, without erasing, the horizontal-axis area and the two axis
// bands, and paints them at once: what a change of items or period changes.
void RepaintGraph(HWND window);

#endif
