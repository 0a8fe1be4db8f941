#include "shell/splash.h"

#include "corelib/win32/bmp_draw.h"
#include "view/diary_paint.h"
#include "view/diary_state.h"

const char* const kSplashBitmap = "IDB_OPNING";

POINT SplashPosition(int desktopWidth, int desktopHeight) {
    return {desktopWidth / 2 - kSplashSize / 2, desktopHeight / 2 - kSplashSize / 2};
}

HWND CreateSplashWindow(HINSTANCE instance, HWND owner) {
    EndSplash();
    POINT at = SplashPosition(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    g_diary.splash = CreateWindowExA(0, kBmpDrawClass, kSplashBitmap, WS_POPUP | WS_VISIBLE | WS_BORDER, at.x, at.y,
                                     kSplashSize, kSplashSize, owner, nullptr, instance, nullptr);
    if (g_diary.splash) UpdateWindow(g_diary.splash);
    return g_diary.splash;
}

HWND SplashWindow() { return g_diary.splash; }
