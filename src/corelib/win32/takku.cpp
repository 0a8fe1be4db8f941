#include "corelib/win32/takku.h"
#include "corelib/win32/window_classes.h"

const char* const kTakkuClass = "TAKKU";

namespace {

LRESULT CALLBACK TakkuProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case kTakkuSetPalette:
        SetWindowLongPtrA(window, 0, static_cast<LONG_PTR>(wParam));
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

HPALETTE TakkuPalette(HWND container) { return reinterpret_cast<HPALETTE>(GetWindowLongPtrA(container, 0)); }

BOOL RegisterTakkuClass(HINSTANCE instance) {
    WNDCLASSA takkuClass = {};
    takkuClass.style = CS_GLOBALCLASS;
    takkuClass.lpfnWndProc = TakkuProcedure;
    takkuClass.cbWndExtra = sizeof(LONG_PTR);
    takkuClass.hInstance = instance;
    takkuClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    takkuClass.lpszClassName = kTakkuClass;
    return RegisterClassOnce(takkuClass) ? TRUE : FALSE;
}
