// Every text of every dialog fits its control in the dialog's font as it is
// really drawn (under Wine a substitute face): no line wraps in mid-phrase and
// no line is cut.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

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

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::string::size_type start = 0;
    for (;;) {
        const std::string::size_type end = text.find('\n', start);
        lines.push_back(text.substr(start, end == std::string::npos ? std::string::npos : end - start));
        if (end == std::string::npos) return lines;
        start = end + 1;
    }
}

// The room a control's kind leaves its text: a check box its box, a group box
// its frame, a button its edges.
int TextRoom(const char* className, LONG style, int width) {
    if (lstrcmpiA(className, "Button") != 0) return width;
    const LONG kind = style & BS_TYPEMASK;
    if (kind == BS_GROUPBOX) return width - 16;
    if (kind == BS_CHECKBOX || kind == BS_AUTOCHECKBOX || kind == BS_RADIOBUTTON || kind == BS_AUTORADIOBUTTON)
        return width - 18;
    return width - 6;
}

bool HasText(const char* className, LONG style) {
    if (lstrcmpiA(className, "Static") == 0) {
        const LONG kind = style & SS_TYPEMASK;
        return kind == SS_LEFT || kind == SS_CENTER || kind == SS_RIGHT || kind == SS_LEFTNOWORDWRAP;
    }
    return lstrcmpiA(className, "Button") == 0 && !(style & (BS_BITMAP | BS_ICON));
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
            char className[32] = {};
            GetClassNameA(control, className, sizeof className);
            const LONG style = GetWindowLongA(control, GWL_STYLE);
            char text[512] = {};
            GetWindowTextA(control, text, sizeof text);
            if (!HasText(className, style) || !*text) continue;
            RECT client;
            GetClientRect(control, &client);
            HDC dc = GetDC(control);
            HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)));
            TEXTMETRICA metrics = {};
            GetTextMetricsA(dc, &metrics);
            const std::vector<std::string> lines = Lines(text);
            for (const std::string& line : lines) {
                SIZE size = {};
                GetTextExtentPoint32A(dc, line.c_str(), static_cast<int>(line.size()), &size);
                EXPECT_LE(size.cx, TextRoom(className, style, client.right))
                    << NameOf(name) << ": \"" << line << "\" in " << className << " " << GetDlgCtrlID(control);
            }
            EXPECT_LE(static_cast<int>(lines.size()) * metrics.tmHeight, client.bottom + metrics.tmInternalLeading)
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
