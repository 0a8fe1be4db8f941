#include "corelib/dpi.h"

#include <windows.h>

int ScreenDpi() {
    static const int dpi = [] {
        HDC screen = GetDC(nullptr);
        int value = screen ? GetDeviceCaps(screen, LOGPIXELSY) : kBaseDpi;
        if (screen) ReleaseDC(nullptr, screen);
        return value > 0 ? value : kBaseDpi;
    }();
    return dpi;
}

int ScaleToScreen(int pixels) { return MulDiv(pixels, ScreenDpi(), kBaseDpi); }
