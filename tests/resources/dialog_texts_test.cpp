// Every text of every dialog fits its control in the dialog's font as it is
// really drawn (under Wine a substitute face): no line wraps in mid-phrase and
// no line is cut.
#include <gtest/gtest.h>
#include <windows.h>

#include <climits>
#include <sstream>
#include <string>

#include "corelib/win32/bmp_draw.h"
#include "diary/target_rules.h"
#include "resources/resource.h"
#include "shell/shell_classes.h"

namespace {

const char* const kDialogs[] = {"IDD_EDIT",          MAKEINTRESOURCEA(IDD_ABOUTBOX), "IDD_PLEND",
                                "IDD_USER_REGISTRY", "IDD_USER_AMEND",               "IDD_SEARCHDIALOG",
                                "IDD_DELETEDIALOG",  "IDD_VIEW_USERINFO",            "IDD_SET_TARGET",
                                "IDD_SET_ITEM2"};

std::string NameOf(const char* dialog) { return IS_INTRESOURCE(dialog) ? "IDD_ABOUTBOX" : dialog; }

// The room a control leaves its text (INT_MIN: it shows none): a check box or radio
// button beside its box, a group box inside its frame, a button inside its edges.
int TextRoom(const char* className, LONG style, int width) {
    if (lstrcmpiA(className, "Static") == 0) {
        const LONG kind = style & SS_TYPEMASK;
        return kind == SS_LEFT || kind == SS_CENTER || kind == SS_RIGHT || kind == SS_LEFTNOWORDWRAP ? width : INT_MIN;
    }
    if (lstrcmpiA(className, "Button") != 0 || (style & (BS_BITMAP | BS_ICON))) return INT_MIN;
    const LONG kind = style & BS_TYPEMASK;
    if (kind == BS_GROUPBOX) return width - 16;
    const bool box = kind == BS_CHECKBOX || kind == BS_AUTOCHECKBOX || kind == BS_RADIOBUTTON || kind == BS_AUTORADIOBUTTON;
    return width - (box ? 18 : 6);
}

TEST(DialogTexts, EveryTextFitsItsControlInTheFontReallyUsed) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    RegisterBmpDrawClass(instance);
    ASSERT_TRUE(RegisterPelmoWindowClasses(instance));
    for (const char* name : kDialogs) {
        HWND dialog = CreateDialogParamA(instance, name, nullptr,
                                         [](HWND, UINT, WPARAM, LPARAM) -> INT_PTR { return FALSE; }, 0);
        ASSERT_NE(dialog, nullptr) << NameOf(name);
        // A text the program fills in: the longest it writes there.
        if (HWND normal = GetDlgItem(dialog, IDC_TARGET_NORMAL_WEIGHT))
            SetWindowTextA(normal, NormalWeightLine(250.0).c_str());
        int checked = 0;
        for (HWND control = GetWindow(dialog, GW_CHILD); control; control = GetWindow(control, GW_HWNDNEXT)) {
            char className[32] = {}, text[512] = {};
            GetClassNameA(control, className, sizeof className);
            GetWindowTextA(control, text, sizeof text);
            RECT client;
            GetClientRect(control, &client);
            const int room = TextRoom(className, GetWindowLongA(control, GWL_STYLE), client.right);
            if (room == INT_MIN || !*text) continue;
            HDC dc = GetDC(control);
            HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)));
            TEXTMETRICA metrics = {};
            GetTextMetricsA(dc, &metrics);
            int lines = 0;
            std::istringstream in(text);
            for (std::string line; std::getline(in, line); ++lines) {
                SIZE size = {};
                GetTextExtentPoint32A(dc, line.c_str(), static_cast<int>(line.size()), &size);
                EXPECT_LE(size.cx, room) << NameOf(name) << ": \"" << line << "\" in " << className << " "
                                         << GetDlgCtrlID(control);
            }
            EXPECT_LE(lines * metrics.tmHeight, client.bottom + metrics.tmInternalLeading)
                << NameOf(name) << ": \"" << text << "\" is cut at the bottom";
            SelectObject(dc, old);
            ReleaseDC(control, dc);
            ++checked;
        }
        EXPECT_GT(checked, 0) << NameOf(name);
        DestroyWindow(dialog);
    }
}

}  // namespace
