// TAKKU: the plain container that holds the diary window. It keeps the chart
// palette it is given in its first window word, where the record list reads it.
#ifndef PELMO_CORELIB_WIN32_TAKKU_H
#define PELMO_CORELIB_WIN32_TAKKU_H

#include <windows.h>

extern const char* const kTakkuClass;  // "TAKKU"

// wParam: the palette (HPALETTE) to keep.
constexpr UINT kTakkuSetPalette = WM_USER + 1;

BOOL RegisterTakkuClass(HINSTANCE instance);

// The palette the container keeps (null until it was given one).
HPALETTE TakkuPalette(HWND container);

#endif
