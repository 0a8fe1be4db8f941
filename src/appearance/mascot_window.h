// ENDKIPI: the mascot of the exit dialog. It shows the bitmap resource named
// by its window text and flips between two frames every half second.
#ifndef PELMO_APPEARANCE_MASCOT_WINDOW_H
#define PELMO_APPEARANCE_MASCOT_WINDOW_H

#include <windows.h>

extern const char* const kMascotClass;       // "ENDKIPI"
extern const char* const kMascotFirstFrame;  // "IDB_END1"
extern const char* const kMascotSecondFrame; // "IDB_END2"

constexpr UINT_PTR kMascotTimer = 1;
constexpr UINT kMascotPeriod = 500;  // milliseconds
constexpr int kMascotWindowBytes = 10;  // the palette lives in the first eight

LRESULT CALLBACK MascotWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

#endif
