#include "corelib/win32/fields.h"

#include <imm.h>

#include <string>

#include "corelib/number_format.h"
#include "corelib/sjis.h"
#include "corelib/win32/field_balloon.h"
#include "corelib/win32/ime.h"

std::wstring WideWindowText(HWND field) {
    const int length = GetWindowTextLengthW(field);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const int copied = GetWindowTextW(field, &text[0], length + 1);
    text.resize(static_cast<size_t>(copied > 0 ? copied : 0));
    return text;
}

namespace {

// Each class is a superclass of a system control; its own state lives in the
// extra window bytes after the base class's.
struct BaseClass {
    WNDPROC procedure = nullptr;
    int extraBytes = 0;
};
BaseClass g_edit;
BaseClass g_combo;

constexpr uint32_t kDefaultNumberFormat = 0x90000;  // nine digits, no decimals
constexpr int kDefaultTextLimit = 30000;

// A class's own slots (one LONG_PTR each) follow the base class's extra bytes.
int SlotOffset(const BaseClass& base, int slot) { return base.extraBytes + slot * static_cast<int>(sizeof(LONG_PTR)); }
LONG_PTR FieldState(HWND window, const BaseClass& base, int slot = 0) {
    return GetWindowLongPtrA(window, SlotOffset(base, slot));
}
void SetFieldState(HWND window, const BaseClass& base, LONG_PTR value, int slot = 0) {
    SetWindowLongPtrA(window, SlotOffset(base, slot), value);
}

WORD KeyNotification(WPARAM key) {
    switch (key) {
    case VK_RETURN: return kFieldKeyEnter;
    case VK_DOWN: return kFieldKeyDown;
    case VK_UP: return kFieldKeyUp;
    }
    return 0;
}

void NotifyParent(HWND field, WORD code) {
    SendMessageA(GetParent(field), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(field), code), reinterpret_cast<LPARAM>(field));
}

// The dialog manager turns Enter into a default-button click unless the field asks for it.
LRESULT WantEnter(LRESULT baseCode, LPARAM message) {
    const MSG* msg = reinterpret_cast<const MSG*>(message);
    if (msg && msg->message == WM_KEYDOWN && KeyNotification(msg->wParam)) return baseCode | DLGC_WANTMESSAGE;
    return baseCode;
}

// Enter, Down and Up go to the parent as notifications; other keys to the edit.
LRESULT OnFieldKeyDown(HWND field, WPARAM key, LPARAM lParam) {
    if (WORD code = KeyNotification(key)) {
        NotifyParent(field, code);
        return 0;
    }
    return CallWindowProcA(g_edit.procedure, field, WM_KEYDOWN, key, lParam);
}

std::string WindowText(HWND window) {
    int length = GetWindowTextLengthA(window);
    std::string text(static_cast<size_t>(length) + 1, '\0');
    GetWindowTextA(window, &text[0], length + 1);
    text.resize(std::char_traits<char>::length(text.c_str()));
    return text;
}

std::string ClipboardText(HWND owner) {
    std::string text;
    if (!OpenClipboard(owner)) return text;
    if (HANDLE data = GetClipboardData(CF_TEXT)) {
        if (const char* p = static_cast<const char*>(GlobalLock(data))) {
            text = p;
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

// The text as it would read after `insert` replaced the selection. Number
// fields hold ASCII only, so character positions are byte positions.
std::string TextAfterInsert(HWND field, const std::string& insert) {
    std::string text = WindowText(field);
    DWORD start = 0, end = 0;
    SendMessageA(field, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    if (start > text.size()) start = static_cast<DWORD>(text.size());
    if (end > text.size() || end < start) end = static_cast<DWORD>(text.size());
    return text.substr(0, start) + insert + text.substr(end);
}

// --- NumEdit ---

NumberFormat FormatOf(HWND field) {
    return UnpackNumberFormat(static_cast<uint32_t>(FieldState(field, g_edit)));
}

// A text that breaks the format is refused with a beep and a balloon that
// says why: "-12" or "1000" in a field of 3 digits is never taken as 12 or 100
// without a word.
bool RefusedNumberText(HWND field, const std::string& text) {
    const NumberFormat format = FormatOf(field);
    const NumberRefusal refusal = NumberTextRefusal(text.c_str(), format);
    if (refusal == NumberRefusal::kNone) {
        HideFieldBalloon(field);
        return false;
    }
    char told[kRefusalTextSize];
    NumberRefusalText(refusal, format, told);
    RefuseFieldInput(field, told);
    return true;
}

LRESULT NumEditChar(HWND field, WPARAM ch, LPARAM lParam) {
    if (ch == '\r' || ch == '\n') return 0;  // a single-line edit beeps on them
    if (ch < 0x20) return CallWindowProcA(g_edit.procedure, field, WM_CHAR, ch, lParam);
    if (GetWindowLongA(field, GWL_STYLE) & ES_READONLY) return CallWindowProcA(g_edit.procedure, field, WM_CHAR, ch, lParam);
    // Any byte above 0x7F stands for a character that is no digit.
    const std::string typed(1, ch > 0x7F ? '?' : static_cast<char>(ch));
    if (RefusedNumberText(field, TextAfterInsert(field, typed))) return 0;
    return CallWindowProcA(g_edit.procedure, field, WM_CHAR, ch, lParam);
}

LRESULT NumEditPaste(HWND field) {
    if (RefusedNumberText(field, TextAfterInsert(field, ClipboardText(field)))) return 0;
    return CallWindowProcA(g_edit.procedure, field, WM_PASTE, 0, 0);
}

LRESULT CALLBACK NumEditProc(HWND field, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_NCCREATE:
        SetFieldState(field, g_edit, kDefaultNumberFormat);
        break;
    case kNumEditSetFormat:
        SetFieldState(field, g_edit, static_cast<LONG_PTR>(wParam & 0xFFFFFFFFu));
        return 0;
    case kNumEditGetFormat:
        return FieldState(field, g_edit);
    case WM_GETDLGCODE:
        return WantEnter(CallWindowProcA(g_edit.procedure, field, message, wParam, lParam), lParam);
    case WM_KEYDOWN:
        return OnFieldKeyDown(field, wParam, lParam);
    case WM_CHAR:
        return NumEditChar(field, wParam, lParam);
    case WM_IME_CHAR:  // a full-width character: no digit of the field's
        RefusedNumberText(field, "?");
        return 0;
    case WM_PASTE:
        return NumEditPaste(field);
    case WM_SETFOCUS:
        CloseIme(field);
        break;
    case WM_TIMER:
        if (OnFieldBalloonTimer(field, wParam)) return 0;
        break;
    case WM_KILLFOCUS:
    case WM_DESTROY:
        HideFieldBalloon(field);
        break;
    }
    return CallWindowProcA(g_edit.procedure, field, message, wParam, lParam);
}

// --- StrEdit ---
//
// The base edit procedure of an ANSI window reads each WM_CHAR byte as a
// character of its own (under Wine a lead byte becomes "･"), so a double-byte
// character typed as lead and trail byte would be garbled. StrEdit takes every
// character itself, however it arrives (WM_CHAR lead and trail, WM_IME_CHAR,
// WM_UNICHAR, or a Unicode WM_CHAR that the system hands on as lead and trail
// byte), and inserts it whole, within the limit, counted in Shift-JIS bytes.

// The extra window slots of a StrEdit after the base class's: its byte limit
// and a lead byte waiting for its trail byte.
constexpr int kLimitSlot = 0;
constexpr int kLeadSlot = 1;

LONG_PTR StrEditSlot(HWND field, int slot) { return FieldState(field, g_edit, slot); }
void SetStrEditSlot(HWND field, int slot, LONG_PTR value) { SetFieldState(field, g_edit, value, slot); }

size_t SjisBytes(const std::wstring& text) {
    if (text.empty()) return 0;
    const int bytes = WideCharToMultiByte(932, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    return bytes > 0 ? static_cast<size_t>(bytes) : 0;
}

// Replaces the selection with as much of `insert` (Shift-JIS) as the byte
// limit leaves room for, never half a character; nothing fits: a beep.
void InsertText(HWND field, const std::string& insert) {
    if (insert.empty()) return;
    if (GetWindowLongA(field, GWL_STYLE) & ES_READONLY) {
        MessageBeep(MB_OK);
        return;
    }
    const std::wstring text = WideWindowText(field);
    DWORD start = 0, end = 0;
    SendMessageW(field, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    if (start > text.size()) start = static_cast<DWORD>(text.size());
    if (end > text.size() || end < start) end = start;
    const size_t kept = SjisBytes(text.substr(0, start)) + SjisBytes(text.substr(end));
    const size_t limit = static_cast<size_t>(StrEditSlot(field, kLimitSlot));
    const size_t room = limit > kept ? limit - kept : 0;
    const std::string fitting = insert.substr(0, SjisFitLength(insert.c_str(), room));
    if (fitting.empty()) {
        MessageBeep(MB_OK);
        return;
    }
    CallWindowProcA(g_edit.procedure, field, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(fitting.c_str()));
}

// One character as Unicode (UTF-16 unit or UTF-32 code point of the BMP).
void InsertUnicode(HWND field, WPARAM code) {
    if (code > 0xFFFF) return;  // no such character in Shift-JIS
    const wchar_t wide = static_cast<wchar_t>(code);
    char bytes[4] = {};
    BOOL lost = FALSE;
    const int length = WideCharToMultiByte(932, WC_NO_BEST_FIT_CHARS, &wide, 1, bytes, sizeof bytes, nullptr, &lost);
    if (length <= 0 || lost) {
        MessageBeep(MB_OK);
        return;
    }
    InsertText(field, std::string(bytes, static_cast<size_t>(length)));
}

// A WM_CHAR byte: a lead byte waits for its trail; control characters go to the edit.
LRESULT StrEditChar(HWND field, WPARAM wParam, LPARAM lParam) {
    const unsigned char byte = static_cast<unsigned char>(wParam & 0xFF);
    const unsigned char lead = static_cast<unsigned char>(StrEditSlot(field, kLeadSlot));
    SetStrEditSlot(field, kLeadSlot, 0);
    if (lead && IsSjisTrailByte(byte)) {
        const char pair[3] = {static_cast<char>(lead), static_cast<char>(byte), '\0'};
        InsertText(field, pair);
        return 0;
    }
    if (byte == '\r' || byte == '\n') return 0;  // Enter went to the parent; a single-line edit beeps on it
    if (byte < 0x20 || byte == 0x7F) return CallWindowProcA(g_edit.procedure, field, WM_CHAR, wParam, lParam);
    if (IsSjisLeadByte(byte)) {
        SetStrEditSlot(field, kLeadSlot, byte);
        return 0;
    }
    InsertText(field, std::string(1, static_cast<char>(byte)));
    return 0;
}

// WM_IME_CHAR of an ANSI window: a double-byte character as lead << 8 | trail, or one byte.
LRESULT StrEditImeChar(HWND field, WPARAM wParam) {
    const unsigned char lead = static_cast<unsigned char>((wParam >> 8) & 0xFF);
    const unsigned char low = static_cast<unsigned char>(wParam & 0xFF);
    if (lead) {
        const char pair[3] = {static_cast<char>(lead), static_cast<char>(low), '\0'};
        InsertText(field, pair);
    } else if (low >= 0x20) {
        InsertText(field, std::string(1, static_cast<char>(low)));
    }
    return 0;
}

LRESULT StrEditPaste(HWND field) {
    std::string text = ClipboardText(field);
    text.resize(text.find_first_of("\r\n") == std::string::npos ? text.size() : text.find_first_of("\r\n"));
    InsertText(field, text);
    return 0;
}

// The ways the edit changes its text itself, past the checks above: an input
// method's result, EM_REPLACESEL and WM_SETTEXT from anywhere. Its own limit
// counts characters under Wine, so what they put in is held to the byte limit
// after them, and the field never shows more than is stored.
bool ChangesTextItself(UINT message, LPARAM lParam) {
    switch (message) {
    case EM_REPLACESEL:
    case WM_SETTEXT:
        return true;
    case WM_IME_COMPOSITION:
        return (lParam & GCS_RESULTSTR) != 0;  // a composition still open is no input yet
    }
    return false;
}

LRESULT CallHeldToByteLimit(HWND field, UINT message, WPARAM wParam, LPARAM lParam) {
    // A text set anew is cut at its end; anything else where it went in.
    std::wstring before = message == WM_SETTEXT ? std::wstring() : WideWindowText(field);
    const LRESULT result = CallWindowProcA(g_edit.procedure, field, message, wParam, lParam);
    HoldTextToByteLimit(field, before, static_cast<size_t>(StrEditSlot(field, kLimitSlot)));
    return result;
}

LRESULT CALLBACK StrEditProc(HWND field, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_NCCREATE:
        SetStrEditSlot(field, kLimitSlot, kDefaultTextLimit);
        SetStrEditSlot(field, kLeadSlot, 0);
        break;
    case EM_LIMITTEXT:
        SetStrEditSlot(field, kLimitSlot, wParam ? static_cast<LONG_PTR>(wParam) : kDefaultTextLimit);
        break;  // the edit's own character limit is never the tighter one
    case WM_GETDLGCODE:
        return WantEnter(CallWindowProcA(g_edit.procedure, field, message, wParam, lParam), lParam);
    case WM_KEYDOWN:
        return OnFieldKeyDown(field, wParam, lParam);
    case WM_CHAR:
        return StrEditChar(field, wParam, lParam);
    case WM_IME_CHAR:
        return StrEditImeChar(field, wParam);
    case WM_UNICHAR:
        if (wParam == UNICODE_NOCHAR) return TRUE;  // yes, this window takes WM_UNICHAR
        InsertUnicode(field, wParam);
        return FALSE;
    case WM_PASTE:
        return StrEditPaste(field);
    case WM_KILLFOCUS:
        SetStrEditSlot(field, kLeadSlot, 0);
        break;
    }
    if (ChangesTextItself(message, lParam)) return CallHeldToByteLimit(field, message, wParam, lParam);
    return CallWindowProcA(g_edit.procedure, field, message, wParam, lParam);
}

// The longest start of `text` that takes at most `room` Shift-JIS bytes; a
// line end (CR LF) and a surrogate pair are kept or cut whole.
size_t FittingChars(const std::wstring& text, size_t room) {
    size_t used = 0, chars = 0;
    while (chars < text.size()) {
        const wchar_t c = text[chars];
        const bool pair = chars + 1 < text.size() &&
                          ((c == L'\r' && text[chars + 1] == L'\n') || (c >= 0xD800 && c <= 0xDBFF));
        const size_t length = pair ? 2 : 1;
        const size_t bytes = SjisBytes(text.substr(chars, length));
        if (used + bytes > room) break;
        used += bytes;
        chars += length;
    }
    return chars;
}

// --- ComboBox2 ---

LRESULT CALLBACK ComboBox2Proc(HWND combo, UINT message, WPARAM wParam, LPARAM lParam) {
    bool dropped = SendMessageA(combo, CB_GETDROPPEDSTATE, 0, 0) != 0;
    switch (message) {
    case WM_GETDLGCODE: {
        LRESULT code = CallWindowProcA(g_combo.procedure, combo, message, wParam, lParam);
        return dropped ? code : WantEnter(code, lParam);
    }
    case WM_KEYDOWN:
        // Up and Down change the choice, as in any drop-down list; Enter moves on.
        if (wParam == VK_RETURN && !dropped) {
            NotifyParent(combo, kFieldKeyEnter);
            return 0;
        }
        break;
    case WM_CHAR:
        if (wParam == '\r' && !dropped) return 0;
        break;
    }
    return CallWindowProcA(g_combo.procedure, combo, message, wParam, lParam);
}

bool RegisterSuperclass(HINSTANCE instance, const char* base, const char* name, WNDPROC procedure, BaseClass& out,
                        int slots = 1) {
    WNDCLASSEXA existing = {};
    existing.cbSize = sizeof(existing);
    if (GetClassInfoExA(instance, name, &existing)) return true;
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof(wc);
    if (!GetClassInfoExA(nullptr, base, &wc)) return false;
    out.procedure = wc.lpfnWndProc;
    out.extraBytes = wc.cbWndExtra;
    wc.cbWndExtra += slots * static_cast<int>(sizeof(LONG_PTR));
    wc.lpfnWndProc = procedure;
    wc.hInstance = instance;
    wc.lpszClassName = name;
    wc.style &= ~CS_GLOBALCLASS;
    return RegisterClassExA(&wc) != 0;
}

}  // namespace

bool RegisterFieldClasses(HINSTANCE instance) {
    bool ok = RegisterSuperclass(instance, "EDIT", PELMO_NUMEDIT_CLASS, NumEditProc, g_edit);
    ok = RegisterSuperclass(instance, "EDIT", PELMO_STREDIT_CLASS, StrEditProc, g_edit, 2) && ok;
    ok = RegisterSuperclass(instance, "COMBOBOX", PELMO_COMBOBOX2_CLASS, ComboBox2Proc, g_combo) && ok;
    return ok;
}

bool HoldTextToByteLimit(HWND field, std::wstring& before, std::size_t limit) {
    const std::wstring now = WideWindowText(field);
    if (SjisBytes(now) <= limit) {
        before = now;
        return false;
    }
    // What the change put in lies between the start and the end it left as they were.
    size_t head = 0;
    while (head < now.size() && head < before.size() && now[head] == before[head]) ++head;
    size_t tail = 0;
    while (tail < now.size() - head && tail < before.size() - head &&
           now[now.size() - 1 - tail] == before[before.size() - 1 - tail])
        ++tail;
    const size_t kept = SjisBytes(now.substr(0, head)) + SjisBytes(now.substr(now.size() - tail));
    std::wstring held;
    size_t caret = 0;
    if (kept > limit) {  // the text was too long before the change: cut its end
        held = now.substr(0, FittingChars(now, limit));
        caret = held.size();
    } else {
        const std::wstring inserted = now.substr(head, now.size() - head - tail);
        caret = head + FittingChars(inserted, limit - kept);
        held = now.substr(0, caret) + now.substr(now.size() - tail);
    }
    before = held;  // the change notice of the text set here finds it within the limit
    SetWindowTextW(field, held.c_str());
    SendMessageW(field, EM_SETSEL, caret, caret);
    SendMessageW(field, EM_SCROLLCARET, 0, 0);
    MessageBeep(MB_OK);
    return true;
}
