// The screen's dots per inch. The program declares itself DPI-aware, so
// Windows does not stretch its windows: whatever it measures in pixels at
// 96 DPI it scales itself.
#ifndef PELMO_CORELIB_DPI_H
#define PELMO_CORELIB_DPI_H

constexpr int kBaseDpi = 96;

// The screen's DPI (LOGPIXELSY), read once.
int ScreenDpi();
// Draws as if the screen had dpi dots per inch (tests); 0 reads the screen again.
void SetScreenDpi(int dpi);

// pixels measured at 96 DPI, at the screen's DPI (rounded to the nearest pixel).
int ScaleToScreen(int pixels);

#endif
