#include "shell/persistent_frame.h"

#include <cstdio>
#include <cstdlib>

#include "corelib/registry.h"
#include "corelib/win32/calendar.h"
#include "corelib/win32/dpi.h"
#include "resources/resource.h"

namespace {

const char* const kPosX = "WindowSize PosX";
const char* const kPosY = "WindowSize PosY";
const char* const kWidth = "WindowSize Width";
const char* const kHeight = "WindowSize Height";
const char* const kZoom = "WindowSize Zoom";
const char* const kIcon = "WindowSize Icon";
constexpr int kSmallestFrameWidth = 800;
constexpr int kFrameSpare = 20;  // the frame's borders and the diary window's margins

// Decimal text; conversion stops at the first non-digit, so "abc" is 0.
int StoredNumber(const char* name, int missing) {
    char text[256] = {};
    if (!GetRegistryValue(name, text, 255, kAreaSettings)) return missing;
    return std::atoi(text);
}

void StoreNumber(const char* name, long value) {
    char text[16];
    std::snprintf(text, sizeof(text), "%ld", value);
    SetRegistryValue(name, text, kAreaSettings);
}

}  // namespace

// The calendar must find room right of the table: it grows with the screen's
// DPI. A screen too narrow for both gets a smaller calendar (the diary window's layout).
int MinimumFrameWidth(int tableWidth) {
    const int calendar = ScaleToScreen(kCalendarVisibleWidth);
    if (tableWidth + calendar < kSmallestFrameWidth) return kSmallestFrameWidth;
    const int wanted = tableWidth + calendar + kFrameSpare;
    const int screen = GetSystemMetrics(SM_CXSCREEN);
    return screen > kSmallestFrameWidth && wanted > screen ? screen : wanted;
}

WINDOWPLACEMENT CPersistentFrame::StoredPlacement() {
    int x = StoredNumber(kPosX, 0);
    int y = StoredNumber(kPosY, 0);
    int width = StoredNumber(kWidth, 800);
    int height = StoredNumber(kHeight, 600);
    int zoom = StoredNumber(kZoom, 1);
    int icon = StoredNumber(kIcon, 0);

    WINDOWPLACEMENT placement = {};
    placement.length = sizeof(placement);
    if (icon) {
        placement.showCmd = SW_SHOWMINNOACTIVE;
        placement.flags = zoom ? WPF_RESTORETOMAXIMIZED : 0;
    } else if (zoom) {
        placement.showCmd = SW_SHOWMAXIMIZED;
        placement.flags = WPF_RESTORETOMAXIMIZED;
    } else {
        placement.showCmd = SW_SHOWNORMAL;
    }
    placement.rcNormalPosition = {x, y, x + width, y + height};
    placement.ptMinPosition = {0, 0};
    placement.ptMaxPosition = {-GetSystemMetrics(SM_CXBORDER), -GetSystemMetrics(SM_CYBORDER)};
    return placement;
}

// A maximized frame covers the work area with its sizing border just beyond
// it, as the system places it when no maximum size is asked for.
RECT CPersistentFrame::ShownRect(const WINDOWPLACEMENT& placement, DWORD style) {
    if (placement.showCmd != SW_SHOWMAXIMIZED) return placement.rcNormalPosition;
    MONITORINFO monitor = {};
    monitor.cbSize = sizeof(monitor);
    if (!GetMonitorInfoA(MonitorFromRect(&placement.rcNormalPosition, MONITOR_DEFAULTTOPRIMARY), &monitor))
        return placement.rcNormalPosition;
    // The caption's thin border does not count: the frame's sides stay.
    RECT border = {0, 0, 0, 0};
    AdjustWindowRectEx(&border, (style & WS_CAPTION) == WS_CAPTION ? style & ~WS_BORDER : style, FALSE, 0);
    RECT shown = monitor.rcWork;
    InflateRect(&shown, -border.left, -border.top);
    return shown;
}

// Created maximized, the frame is not first put at its normal rectangle and
// then maximized when the placement is applied.
DWORD CPersistentFrame::ShownStyle(const WINDOWPLACEMENT& placement, DWORD style) {
    return placement.showCmd == SW_SHOWMAXIMIZED ? style | WS_MAXIMIZE : style;
}

void CPersistentFrame::ActivateFrame(HWND frame) {
    WINDOWPLACEMENT placement = StoredPlacement();
    // The frame was built where it is shown; should the placement still move
    // the view's tree (a frame started minimized, a maximized size other than
    // foreseen), it moves before any of it is drawn: under Wine, moving a
    // shown tree of controls costs many times a hidden one.
    HWND view = GetDlgItem(frame, IDW_VIEW);
    if (view) SendMessageA(view, WM_SETREDRAW, FALSE, 0);
    SetWindowPlacement(frame, &placement);
    ShowWindow(frame, static_cast<int>(placement.showCmd));
    if (view) {
        SendMessageA(view, WM_SETREDRAW, TRUE, 0);
        RedrawWindow(view, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    }
    // The whole tree is painted now, before start-up's posted commands (the
    // new-user dialog) run: nothing shown stays unpainted behind the splash.
    RedrawWindow(frame, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
}

void CPersistentFrame::StorePlacement(HWND frame) {
    WINDOWPLACEMENT placement = {};
    placement.length = sizeof(placement);
    if (!GetWindowPlacement(frame, &placement)) return;
    int zoom = 0;
    int icon = 0;
    if (placement.showCmd == SW_SHOWMAXIMIZED) {
        zoom = 1;
    } else if (placement.showCmd == SW_SHOWMINIMIZED || placement.showCmd == SW_MINIMIZE ||
               placement.showCmd == SW_SHOWMINNOACTIVE) {
        icon = 1;
        zoom = (placement.flags & WPF_RESTORETOMAXIMIZED) ? 1 : 0;
    }
    const RECT& normal = placement.rcNormalPosition;
    StoreNumber(kZoom, zoom);
    StoreNumber(kIcon, icon);
    StoreNumber(kPosX, normal.left);
    StoreNumber(kPosY, normal.top);
    StoreNumber(kWidth, normal.right - normal.left);
    StoreNumber(kHeight, normal.bottom - normal.top);
}
