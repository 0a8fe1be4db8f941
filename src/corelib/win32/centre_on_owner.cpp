#include "corelib/win32/centre_on_owner.h"

#include <cstring>

namespace {

const char kDialogClass[] = "#32770";
const char kCentredMark[] = "PelmoCentred";

HHOOK g_hook = nullptr;
int g_nesting = 0;

bool IsDialogBox(HWND window) {
    char name[16] = "";
    GetClassNameA(window, name, sizeof name);
    return std::strcmp(name, kDialogClass) == 0;
}

RECT WorkAreaOf(HWND window) {
    RECT work = {};
    MONITORINFO info = {sizeof info, {}, {}, 0};
    if (GetMonitorInfoA(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &info)) return info.rcWork;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    return work;
}

// The top-left corner of a width × height box centred on owner, inside the owner's work area.
POINT CentredCorner(HWND owner, int width, int height) {
    RECT around = {};
    GetWindowRect(owner, &around);
    POINT at = {around.left + (around.right - around.left - width) / 2,
                around.top + (around.bottom - around.top - height) / 2};
    const RECT work = WorkAreaOf(owner);
    if (at.x + width > work.right) at.x = work.right - width;
    if (at.y + height > work.bottom) at.y = work.bottom - height;
    if (at.x < work.left) at.x = work.left;
    if (at.y < work.top) at.y = work.top;
    return at;
}

// The class a window is being created with: an atom or a name.
bool NamesDialogClass(LPCSTR name) {
    if (IS_INTRESOURCE(name)) return name == reinterpret_cast<LPCSTR>(WC_DIALOG);
    return std::strcmp(name, kDialogClass) == 0;
}

bool HasShownOwner(HWND owner) { return owner && IsWindowVisible(owner) && !IsIconic(owner); }

LRESULT CALLBACK CentringHook(int code, WPARAM wParam, LPARAM lParam) {
    HWND window = reinterpret_cast<HWND>(wParam);
    if (code == HCBT_CREATEWND) {
        CREATESTRUCTA* create = reinterpret_cast<CBT_CREATEWNDA*>(lParam)->lpcs;
        if (NamesDialogClass(create->lpszClass) && HasShownOwner(create->hwndParent) &&
            !(create->style & WS_CHILD)) {
            const POINT at = CentredCorner(create->hwndParent, create->cx, create->cy);
            create->x = at.x;
            create->y = at.y;
        }
    } else if (code == HCBT_ACTIVATE) {
        if (IsDialogBox(window) && !GetPropA(window, kCentredMark)) {
            SetPropA(window, kCentredMark, reinterpret_cast<HANDLE>(1));
            CentreOnOwner(window);
        }
    } else if (code == HCBT_DESTROYWND) {
        if (GetPropA(window, kCentredMark)) RemovePropA(window, kCentredMark);
    }
    return CallNextHookEx(g_hook, code, wParam, lParam);
}

}  // namespace

void CentreOnOwner(HWND window) {
    HWND owner = GetWindow(window, GW_OWNER);
    if (!window || !HasShownOwner(owner)) return;
    RECT rect = {};
    GetWindowRect(window, &rect);
    const POINT at = CentredCorner(owner, rect.right - rect.left, rect.bottom - rect.top);
    SetWindowPos(window, nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

ScopedCentring::ScopedCentring() {
    if (g_nesting++ == 0) g_hook = SetWindowsHookExA(WH_CBT, CentringHook, nullptr, GetCurrentThreadId());
}

ScopedCentring::~ScopedCentring() {
    if (--g_nesting == 0 && g_hook) {
        UnhookWindowsHookEx(g_hook);
        g_hook = nullptr;
    }
}
