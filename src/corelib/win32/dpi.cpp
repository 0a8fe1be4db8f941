#include "corelib/win32/dpi.h"

#include <windows.h>

namespace {
int g_dpi = 0;  // 0 until read
}  // namespace

int ScreenDpi() {
    if (g_dpi == 0) {
        HDC screen = GetDC(nullptr);
        int value = screen ? GetDeviceCaps(screen, LOGPIXELSY) : kBaseDpi;
        if (screen) ReleaseDC(nullptr, screen);
        g_dpi = value > 0 ? value : kBaseDpi;
    }
    return g_dpi;
}

void SetScreenDpi(int dpi) { g_dpi = dpi > 0 ? dpi : 0; }

int ScaleToScreen(int pixels) { return MulDiv(pixels, ScreenDpi(), kBaseDpi); }
