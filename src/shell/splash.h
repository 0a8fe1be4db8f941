// The start-up splash: a BmpDraw popup with "IDB_OPNING", centred on the
// desktop, that lives until the diary window's first real paint (or until
// the frame is minimized before it). Its handle is the diary window's
// (g_diary.splash): the diary window ends it.
#ifndef PELMO_SHELL_SPLASH_H
#define PELMO_SHELL_SPLASH_H

#include <windows.h>

extern const char* const kSplashBitmap;  // "IDB_OPNING"
constexpr int kSplashSize = 450;

// Creates the splash owned by `owner`, shows it and paints it at once.
HWND CreateSplashWindow(HINSTANCE instance, HWND owner);
// The splash, or null once it is gone.
HWND SplashWindow();

// Top-left corner of the splash on a desktop of the given size.
POINT SplashPosition(int desktopWidth, int desktopHeight);

#endif
