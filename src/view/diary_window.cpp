#include "view/diary_window.h"

#include "diary/diary_store.h"
#include "diary/window_hooks.h"
#include "shell/splash.h"
#include "view/diary_state.h"

const char* const kDiaryWindowClass = "Weight";

namespace {

const char* const kPlainTitle = "ペルモ";

HWND MainWindow(HWND window) { return GetAncestor(window, GA_ROOT); }

void OnCreate(HWND window) {
    g_diary.window = window;
    g_diary.paintedOnce = false;
    SetWindowTextA(MainWindow(window), "");
}

void ShowTitle(HWND window) {
    if (!IsUserOpen()) {
        SetWindowTextA(MainWindow(window), kPlainTitle);
        return;
    }
    char title[kMainTitleSize];
    FormatMainTitle(CurrentHeader(), title, sizeof(title));
    SetWindowTextA(MainWindow(window), title);
}

void OnPaint(HWND window) {
    // The first paint request after a resize is left alone; the window stays
    // invalid and the real paint follows at once.
    if (!g_diary.paintedOnce) {
        g_diary.paintedOnce = true;
        return;
    }
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    FillRect(dc, &paint.rcPaint, static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH)));
    EndPaint(window, &paint);
    if (SplashWindow()) {
        DestroySplashWindow();
        ShowTitle(window);
        InvalidateRect(window, nullptr, TRUE);
        UpdateWindow(window);
    }
}

void OnDestroy(HWND window) {
    if (g_diary.window == window) g_diary.window = nullptr;
}

}  // namespace

LRESULT CALLBACK DiaryWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        OnCreate(window);
        return 0;
    case WM_PAINT:
        OnPaint(window);
        return 0;
    case WM_ERASEBKGND:
        return 0;  // the paint covers the window
    case WM_COMMAND:
        return 0;
    case WM_DESTROY:
        OnDestroy(window);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
