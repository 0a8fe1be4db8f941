// Bitmap resources drawn as device-independent bitmaps, with their own palette.
#ifndef PELMO_CORELIB_WIN32_DIB_H
#define PELMO_CORELIB_WIN32_DIB_H

#include <windows.h>

// A palette for the bitmap resource `name` of instance: its colour table for
// bitmaps of up to 256 colours, a halftone palette for true-colour ones.
// Null when there is no such bitmap. The caller deletes it.
HPALETTE SetDIBPalette(HINSTANCE instance, const char* name);

// Draws the bitmap resource `name` at (x, y) of dc, from (sourceX, sourceY) of
// the bitmap to its far corner, stretched to width x height (0 keeps the
// bitmap's own size). A null dc draws on window's client area. Non-zero when
// something was drawn.
BOOL PutDIB(HINSTANCE instance, HWND window, HDC dc, const char* name, int x, int y, int sourceX, int sourceY,
            int height, int width);

// The size of the bitmap resource, or false when there is none.
bool DIBSize(HINSTANCE instance, const char* name, SIZE* size);

#endif
