#include "corelib/win32/bmp_draw.h"

#include "corelib/win32/dib.h"
#include "corelib/win32/gdi_scope.h"
#include "corelib/win32/window_classes.h"

const char* const kBmpDrawClass = "BmpDraw";

namespace {

HINSTANCE WindowInstance(HWND window) {
    return reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(window, GWLP_HINSTANCE));
}

void OnPaint(HWND window) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    char name[128] = {};
    GetWindowTextA(window, name, sizeof(name));
    RECT client;
    GetClientRect(window, &client);
    HINSTANCE instance = WindowInstance(window);
    {
        HPALETTE palette = SetDIBPalette(instance, name);
        ScopedGdiObject owned(palette);
        ScopedPalette selected(dc, palette);
        if (!PutDIB(instance, window, dc, name, 0, 0, 0, 0, client.bottom, client.right))
            FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
    }
    EndPaint(window, &paint);
}

LRESULT OnSetText(HWND window, WPARAM wParam, LPARAM lParam) {
    LRESULT result = DefWindowProcA(window, WM_SETTEXT, wParam, lParam);
    InvalidateRect(window, nullptr, FALSE);
    return result;
}

LRESULT CALLBACK BmpDrawProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT:
        OnPaint(window);
        return 0;
    case WM_ERASEBKGND:
        return 1;  // the picture covers the window
    case WM_SETTEXT:
        return OnSetText(window, wParam, lParam);
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

BOOL RegisterBmpDrawClass(HINSTANCE instance) {
    WNDCLASSA bmpClass = {};
    bmpClass.style = CS_HREDRAW | CS_VREDRAW | CS_GLOBALCLASS;
    bmpClass.lpfnWndProc = BmpDrawProcedure;
    bmpClass.hInstance = instance;
    bmpClass.lpszClassName = kBmpDrawClass;
    return RegisterClassOnce(bmpClass) ? TRUE : FALSE;
}
