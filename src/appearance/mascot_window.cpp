#include "appearance/mascot_window.h"

#include <cstring>

#include "corelib/win32/dib.h"
#include "corelib/win32/gdi_scope.h"

const char* const kMascotClass = "ENDKIPI";
const char* const kMascotFirstFrame = "IDB_END1";
const char* const kMascotSecondFrame = "IDB_END2";

namespace {

// One toggle for every mascot window: set when a window is created, so the
// first tick shows the second frame.
bool g_showSecondFrameNext = false;

constexpr int kNameSize = 64;

bool ReadName(HWND window, char (&name)[kNameSize]) {
    name[0] = '\0';
    GetWindowTextA(window, name, kNameSize);
    return name[0] != '\0';
}

HINSTANCE ParentInstance(HWND window) {
    HWND parent = GetParent(window);
    return reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(parent ? parent : window, GWLP_HINSTANCE));
}

HPALETTE KeptPalette(HWND window) { return reinterpret_cast<HPALETTE>(GetWindowLongPtrA(window, 0)); }

void OnCreate(HWND window) {
    g_showSecondFrameNext = true;
    SetTimer(window, kMascotTimer, kMascotPeriod, nullptr);
    char name[kNameSize];
    if (ReadName(window, name))
        SetWindowLongPtrA(window, 0, reinterpret_cast<LONG_PTR>(SetDIBPalette(ParentInstance(window), name)));
}

LRESULT OnSetText(HWND window, WPARAM wParam, LPARAM lParam) {
    const char* text = reinterpret_cast<const char*>(lParam);
    char current[kNameSize];
    ReadName(window, current);
    bool changed = text && *text && std::strcmp(text, current) != 0;
    LRESULT result = DefWindowProcA(window, WM_SETTEXT, wParam, lParam);
    if (changed) {
        InvalidateRect(window, nullptr, TRUE);
        UpdateWindow(window);
    }
    return result;
}

// The window is always validated, also without a picture: an unvalidated
// window would be sent WM_PAINT over and over.
void OnPaint(HWND window) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    char name[kNameSize];
    if (ReadName(window, name) && !IsRectEmpty(&paint.rcPaint)) {
        RECT whole;
        GetWindowRect(window, &whole);
        ScopedPalette palette(dc, KeptPalette(window));
        PutDIB(ParentInstance(window), window, dc, name, 0, 0, 0, 0, whole.bottom - whole.top,
               whole.right - whole.left);
    }
    EndPaint(window, &paint);
}

void OnTimer(HWND window) {
    const char* next = g_showSecondFrameNext ? kMascotSecondFrame : kMascotFirstFrame;
    g_showSecondFrameNext = !g_showSecondFrameNext;
    SetWindowTextA(window, next);
}

void OnPaletteChanged(HWND window, HWND changedBy) {
    char name[kNameSize];
    HPALETTE palette = KeptPalette(window);
    if (changedBy == window || !palette || !ReadName(window, name)) return;
    HDC dc = GetDC(window);
    {
        ScopedPalette selected(dc, palette);
        if (selected.realized()) InvalidateRect(window, nullptr, FALSE);
    }
    ReleaseDC(window, dc);
}

// The timer and the palette go with the window whatever its text is by now.
void OnDestroy(HWND window) {
    KillTimer(window, kMascotTimer);
    if (HPALETTE palette = KeptPalette(window)) {
        DeleteObject(palette);
        SetWindowLongPtrA(window, 0, 0);
    }
}

}  // namespace

LRESULT CALLBACK MascotWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        OnCreate(window);
        return 0;
    case WM_SETTEXT:
        return OnSetText(window, wParam, lParam);
    case WM_PAINT:
        OnPaint(window);
        return 0;
    case WM_TIMER:
        if (wParam == kMascotTimer) OnTimer(window);
        return 0;
    case WM_PALETTECHANGED:
        OnPaletteChanged(window, reinterpret_cast<HWND>(wParam));
        return 0;
    case WM_DESTROY:
        OnDestroy(window);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
