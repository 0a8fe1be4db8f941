// ExtFloodFill(dc, x, y, border, FLOODFILLBORDER) for a memory context with a
// rectangular clip, worked out on a copy of its pixels and painted with the
// context's brush: Wine builds its own fill as a region row by row, which
// takes milliseconds for a band of the BMI chart.
#ifndef PELMO_CORELIB_WIN32_FILL_TO_BORDER_H
#define PELMO_CORELIB_WIN32_FILL_TO_BORDER_H

#include <windows.h>

// What ExtFloodFill answers: false when nothing was filled (the seed is
// outside the clip or of the border colour). Any other context is handed to
// ExtFloodFill itself.
bool FillToBorder(HDC dc, int x, int y, COLORREF border);

#endif
