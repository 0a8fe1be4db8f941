// The record table's painters: the column header (with the window background
// around the list and the BMI panel) and one row of the list.
#ifndef PELMO_CHARTS_RECORD_TABLE_H
#define PELMO_CHARTS_RECORD_TABLE_H

#include <windows.h>

// Paints on the diary window's own device context; a is the text ascent.
void drawRecordHeader(HWND window, HDC dc, int a);

// Paints row `line` of the record list at `top` in the row's device context.
// The caller has set the background and text colours. Stores each record's BMI.
// Widens W (and lays the window out again) while the rows overflow the list.
void drawRecordRow(HWND window, HDC dc, int line, int top, int a);

#endif
