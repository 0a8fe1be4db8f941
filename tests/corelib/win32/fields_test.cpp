// The input fields as a dialog sees them: what they accept and the keys they pass up.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "corelib/win32/field_balloon.h"
#include "corelib/win32/fields.h"
#include "corelib/win32/window_classes.h"

namespace {

std::vector<WPARAM> g_commands;

LRESULT CALLBACK ParentProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND) g_commands.push_back(wParam);
    return DefWindowProcA(window, message, wParam, lParam);
}

class Fields : public ::testing::Test {
protected:
    void SetUp() override {
        HINSTANCE instance = GetModuleHandleA(nullptr);
        ASSERT_TRUE(RegisterWindowsStandardClass(instance));
        WNDCLASSA wc = {};
        wc.lpfnWndProc = ParentProc;
        wc.hInstance = instance;
        wc.lpszClassName = "FieldsTestParent";
        RegisterClassA(&wc);
        parent_ = CreateWindowA("FieldsTestParent", "", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, nullptr, nullptr, instance, nullptr);
        ASSERT_NE(parent_, nullptr);
        g_commands.clear();
    }
    void TearDown() override { DestroyWindow(parent_); }

    HWND Create(const char* cls, DWORD style = 0, int id = 7) {
        return CreateWindowA(cls, "", WS_CHILD | WS_VISIBLE | style, 0, 0, 120, 60, parent_,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr), nullptr);
    }
    static void Type(HWND field, const std::string& ascii) {
        for (unsigned char c : ascii) SendMessageA(field, WM_CHAR, c, 0);
    }
    void Paste(HWND field, const char* text) {
        ASSERT_TRUE(OpenClipboard(parent_));
        EmptyClipboard();
        HGLOBAL data = GlobalAlloc(GMEM_MOVEABLE, strlen(text) + 1);
        strcpy(static_cast<char*>(GlobalLock(data)), text);
        GlobalUnlock(data);
        SetClipboardData(CF_TEXT, data);
        CloseClipboard();
        SendMessageA(field, WM_PASTE, 0, 0);
    }
    static std::string Text(HWND field) {
        char text[256] = {};
        GetWindowTextA(field, text, sizeof(text));
        return text;
    }
    bool Notified(WORD code) const {
        for (WPARAM w : g_commands)
            if (LOWORD(w) == 7 && HIWORD(w) == code) return true;
        return false;
    }

    HWND parent_ = nullptr;
};

// A number field takes what fits its format; a refused key or paste beeps and
// shows a balloon under the field that says why, until the next accepted key.
TEST_F(Fields, NumEditRefusesWhatBreaksItsFormatWithABalloon) {
    const char* const kDigitsAndPoint = "数字と小数点(.)のみ入力できます。";
    const struct {
        const char* name;
        uint32_t format;
        const char* typed;
        const char* pasted;   // after the typing; null: none
        const char* text;     // what the field holds then
        const char* balloon;  // what the balloon says then; "" none shown
    } cases[] = {
        {"minus sign", 0x30001, "-", nullptr, "", kDigitsAndPoint},
        {"digits after a refused minus", 0x30001, "-12", nullptr, "12", ""},
        {"exponent", 0x30001, "1e", nullptr, "1", kDigitsAndPoint},
        {"a digit past the length", 0x30001, "1000", nullptr, "100", "整数は3桁、小数は1桁まで入力できます。"},
        {"a second decimal", 0x20001, "22.55", nullptr, "22.5", "小数は1桁まで入力できます。"},
        {"a point in a whole-number field", 0x30000, "10.", nullptr, "10", "数字のみ入力できます。"},
        {"a digit past a whole-number field", 0x30000, "1001", nullptr, "100", "3桁まで入力できます。"},
        {"mixed keys", 0x30001, "2a5-0.1.2x", nullptr, "250.1", kDigitsAndPoint},
        {"a paste of letters", 0x20001, "", "abc", "", kDigitsAndPoint},
        {"a paste that fits", 0x20001, "", "22.5", "22.5", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        HWND field = Create(PELMO_NUMEDIT_CLASS);
        SendMessageA(field, kNumEditSetFormat, c.format, 0);
        EXPECT_EQ(static_cast<uint32_t>(SendMessageA(field, kNumEditGetFormat, 0, 0)), c.format);
        SetFocus(field);
        Type(field, c.typed);
        if (c.pasted) Paste(field, c.pasted);
        EXPECT_EQ(Text(field), c.text);
        HWND owner = nullptr;
        std::string told;
        const bool shown = ShownFieldBalloon(&owner, &told);
        EXPECT_EQ(shown, c.balloon[0] != '\0');
        if (shown) {
            EXPECT_EQ(told, c.balloon);
            EXPECT_EQ(owner, field);
        }
        DestroyWindow(field);
        EXPECT_FALSE(ShownFieldBalloon(nullptr, nullptr)) << "the balloon goes with its field";
    }
}

TEST_F(Fields, NumEditBalloonGoesWhenTheFieldLosesTheFocus) {
    HWND field = Create(PELMO_NUMEDIT_CLASS);
    HWND other = Create(PELMO_NUMEDIT_CLASS, 0, 8);
    ShowWindow(parent_, SW_SHOW);
    SetFocus(field);
    Type(field, "-");
    ASSERT_TRUE(ShownFieldBalloon(nullptr, nullptr));
    SetFocus(other);
    EXPECT_FALSE(ShownFieldBalloon(nullptr, nullptr));
}

TEST_F(Fields, FieldsPassEnterUpAndDownToTheirParent) {
    for (const char* cls : {PELMO_NUMEDIT_CLASS, PELMO_STREDIT_CLASS}) {
        g_commands.clear();
        HWND field = Create(cls);
        SendMessageA(field, WM_KEYDOWN, VK_RETURN, 0);
        SendMessageA(field, WM_KEYDOWN, VK_DOWN, 0);
        SendMessageA(field, WM_KEYDOWN, VK_UP, 0);
        EXPECT_TRUE(Notified(kFieldKeyEnter)) << cls;
        EXPECT_TRUE(Notified(kFieldKeyDown)) << cls;
        EXPECT_TRUE(Notified(kFieldKeyUp)) << cls;
        MSG msg = {field, WM_KEYDOWN, VK_RETURN, 0, 0, {0, 0}};
        EXPECT_TRUE(SendMessageA(field, WM_GETDLGCODE, VK_RETURN, reinterpret_cast<LPARAM>(&msg)) & DLGC_WANTMESSAGE) << cls;
        DestroyWindow(field);
    }
}

TEST_F(Fields, ComboBox2ArrowsChooseAndEnterIsPassedUp) {
    HWND combo = Create(PELMO_COMBOBOX2_CLASS, CBS_DROPDOWNLIST);
    SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("男性"));
    SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("女性"));
    SendMessageA(combo, CB_SETCURSEL, 1, 0);
    SendMessageA(combo, WM_KEYDOWN, VK_UP, 0);
    EXPECT_EQ(SendMessageA(combo, CB_GETCURSEL, 0, 0), 0);  // the arrow chose 男性
    EXPECT_FALSE(Notified(kFieldKeyUp));
    SendMessageA(combo, WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_TRUE(Notified(kFieldKeyEnter));
}

// The ways a character reaches a text field: its bytes, as an input method or a
// keyboard layout gives them to an ANSI window, or Unicode, sent or queued.
const char* const kArrivals[] = {"WM_CHAR lead and trail byte", "WM_IME_CHAR", "Unicode WM_CHAR",
                                 "Unicode WM_CHAR through the message queue", "WM_UNICHAR"};

void Arrive(int arrival, HWND field, const std::string& sjis) {
    wchar_t wide[64] = {};
    MultiByteToWideChar(932, 0, sjis.c_str(), -1, wide, 64);
    for (std::size_t i = 0; i < sjis.size() && arrival < 2; ++i) {
        const unsigned char c = static_cast<unsigned char>(sjis[i]);
        const bool pair = arrival == 1 && ((c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC));
        SendMessageA(field, arrival == 1 ? WM_IME_CHAR : WM_CHAR,
                     pair ? (c << 8) | static_cast<unsigned char>(sjis[++i]) : c, 1);
    }
    for (const wchar_t* c = wide; *c && arrival >= 2; ++c) {
        if (arrival == 2) SendMessageW(field, WM_CHAR, *c, 1);
        if (arrival == 3) PostMessageW(field, WM_CHAR, *c, 1);
        if (arrival == 4) SendMessageA(field, WM_UNICHAR, *c, 1);
    }
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
}

// Every way of arriving gives the characters typed, counted against the limit
// in Shift-JIS bytes: a character that would pass it is refused whole, and the
// text goes on after a refusal. The text fields of the name, target message and
// keyword search dialogs are of this class.
TEST_F(Fields, StrEditTakesDoubleByteCharactersHoweverTheyArriveWithinItsByteLimit) {
    for (int arrival = 0; arrival < 5; ++arrival) {
        SCOPED_TRACE(kArrivals[arrival]);
        HWND field = Create(PELMO_STREDIT_CLASS);
        Arrive(arrival, field, "山田花子 ｶﾅ A");
        EXPECT_EQ(Text(field), "山田花子 ｶﾅ A");
        SetWindowTextA(field, "");
        SendMessageA(field, EM_LIMITTEXT, 6, 0);
        Arrive(arrival, field, "a山田花");  // 花 would make 5 bytes 7
        EXPECT_EQ(Text(field), "a山田");
        Arrive(arrival, field, "子b");  // 子 refused, b fills the sixth byte
        EXPECT_EQ(Text(field), "a山田b");
        SendMessageA(field, EM_SETSEL, 1, 2);  // 山 selected: room for 花, not for ab
        Arrive(arrival, field, "花ab");
        EXPECT_EQ(Text(field), "a花田b");
        DestroyWindow(field);
        for (const char* dialog : {"IDD_USER_REGISTRY", "IDD_SET_TARGET", "IDD_SEARCHDIALOG"}) {
            HWND box = CreateDialogParamA(GetModuleHandleA(nullptr), dialog, parent_,
                                          [](HWND, UINT, WPARAM, LPARAM) -> INT_PTR { return FALSE; }, 0);
            std::vector<HWND> texts;
            for (HWND child = nullptr; (child = FindWindowExA(box, child, PELMO_STREDIT_CLASS, nullptr));)
                if (!(GetWindowLongA(child, GWL_STYLE) & ES_READONLY)) texts.push_back(child);
            ASSERT_EQ(texts.size(), 1u) << dialog;
            Arrive(arrival, texts[0], "山田花子");
            EXPECT_EQ(Text(texts[0]), "山田花子") << dialog;
            DestroyWindow(box);
        }
    }
}

TEST_F(Fields, StrEditPasteIsCutAtItsByteLimitWithoutSplittingACharacter) {
    HWND field = Create(PELMO_STREDIT_CLASS);
    SendMessageA(field, EM_LIMITTEXT, 5, 0);
    Type(field, "ab");
    Paste(field, "表示");  // 4 more bytes: only 表 fits
    EXPECT_EQ(Text(field), "ab表");
    Type(field, "c");
    EXPECT_EQ(Text(field), "ab表c");
    Type(field, "d");
    EXPECT_EQ(Text(field), "ab表c");
}

}  // namespace
