// BmpDraw: a window that shows the bitmap resource named by its window text,
// stretched over its client area (the start-up splash, the About picture).
#ifndef PELMO_CORELIB_WIN32_BMP_DRAW_H
#define PELMO_CORELIB_WIN32_BMP_DRAW_H

#include <windows.h>

extern const char* const kBmpDrawClass;  // "BmpDraw"

// Registers the class for the whole process. The program calls it first
// thing, so that the class exists before any window of its own (the splash is
// shown before the other classes are registered). Already registered counts
// as success.
BOOL RegisterBmpDrawClass(HINSTANCE instance);

#endif
