// The diary window's birth and end.
#ifndef PELMO_VIEW_DIARY_CREATE_H
#define PELMO_VIEW_DIARY_CREATE_H

#include <windows.h>

// Empty diary, title "", text ascent, table columns, popup menu, chart
// palette, record list with its blank line, the six selectors, the
// container's palette, the blank line selected and focused.
void CreateDiaryWindow(HWND window, HINSTANCE instance);

// Saves the open user, then releases the menu, the calendar, the palette and
// the record block.
void DestroyDiaryWindow(HWND window);

// The ascent of the font a device context of window draws with.
int MeasureTextAscent(HWND window);

#endif
