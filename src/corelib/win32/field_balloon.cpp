#include "corelib/win32/field_balloon.h"

#include <commctrl.h>

namespace {

constexpr UINT_PTR kBalloonTimer = 0x7B01;
constexpr UINT kBalloonMilliseconds = 5000;
constexpr int kBalloonWidth = 320;
constexpr UINT_PTR kBalloonTool = 1;
const char kBalloonTitle[] = "入力できません";

// One balloon at a time, over the field that refused.
HWND g_balloon = nullptr;
HWND g_field = nullptr;
std::string g_text;

TOOLINFOA BalloonTool(HWND field, const char* text) {
    TOOLINFOA tool = {};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_TRACK | TTF_ABSOLUTE;
    tool.hwnd = field;
    tool.uId = kBalloonTool;
    tool.lpszText = const_cast<char*>(text);
    return tool;
}

}  // namespace

void HideFieldBalloon(HWND field) {
    if (!g_balloon || (field && field != g_field)) return;
    if (IsWindow(g_field)) KillTimer(g_field, kBalloonTimer);
    if (IsWindow(g_balloon)) DestroyWindow(g_balloon);
    g_balloon = nullptr;
    g_field = nullptr;
    g_text.clear();
}

void RefuseFieldInput(HWND field, const char* text) {
    MessageBeep(MB_OK);
    HideFieldBalloon(nullptr);
    if (!field || !text || !*text) return;
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    // Owned by the field's dialog, so that it stays above it and goes with it.
    HWND balloon = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr,
                                   WS_POPUP | TTS_NOPREFIX | TTS_BALLOON | TTS_ALWAYSTIP, CW_USEDEFAULT,
                                   CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, GetAncestor(field, GA_ROOT), nullptr,
                                   nullptr, nullptr);
    if (!balloon) return;
    g_balloon = balloon;
    g_field = field;
    g_text = text;
    TOOLINFOA tool = BalloonTool(field, g_text.c_str());
    SendMessageA(balloon, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    SendMessageA(balloon, TTM_SETMAXTIPWIDTH, 0, kBalloonWidth);
    SendMessageA(balloon, TTM_SETTITLEA, TTI_WARNING, reinterpret_cast<LPARAM>(kBalloonTitle));
    RECT rect = {};
    GetWindowRect(field, &rect);
    // The balloon's stem points at the field's lower edge, a little inside its left end.
    const int x = rect.left + (rect.right - rect.left) / 4, y = rect.bottom - 2;
    SendMessageA(balloon, TTM_TRACKPOSITION, 0, MAKELPARAM(x, y));
    SendMessageA(balloon, TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&tool));
    SetTimer(field, kBalloonTimer, kBalloonMilliseconds, nullptr);
}

bool OnFieldBalloonTimer(HWND field, WPARAM timer) {
    if (timer != kBalloonTimer) return false;
    KillTimer(field, kBalloonTimer);
    HideFieldBalloon(field);
    return true;
}

bool ShownFieldBalloon(HWND* field, std::string* text) {
    if (!g_balloon || !IsWindow(g_balloon) || !IsWindowVisible(g_balloon)) return false;
    if (field) *field = g_field;
    if (text) *text = g_text;
    return true;
}
