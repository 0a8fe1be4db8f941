#include "diary/dialogs/dialog_support.h"

#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "corelib/msgbox.h"
#include "corelib/utility.h"
#include "corelib/win32/fields.h"
#include "corelib/win32/help.h"

HINSTANCE DialogInstance() { return GetModuleHandleA(nullptr); }

std::string FieldText(HWND dialog, int id) {
    HWND field = GetDlgItem(dialog, id);
    if (!field) return std::string();
    int length = GetWindowTextLengthA(field);
    std::vector<char> text(static_cast<size_t>(length) + 1, '\0');
    GetWindowTextA(field, text.data(), length + 1);
    return text.data();
}

std::string TrimmedFieldText(HWND dialog, int id) {
    std::string text = FieldText(dialog, id);
    std::vector<char> buffer(text.begin(), text.end());
    buffer.push_back('\0');
    return CutStringSpace(buffer.data());
}

void SetFieldText(HWND dialog, int id, const char* text) { SetDlgItemTextA(dialog, id, text); }

void SetFieldTenths(HWND dialog, int id, double value) {
    char text[32];
    std::snprintf(text, sizeof(text), "%.1lf", value);
    SetFieldText(dialog, id, text);
}

double FieldDouble(HWND dialog, int id) { return std::strtod(FieldText(dialog, id).c_str(), nullptr); }

long FieldLong(HWND dialog, int id) { return std::strtol(FieldText(dialog, id).c_str(), nullptr, 10); }

void SetSpin(HWND dialog, int spinId, int low, int high, int position) {
    SendDlgItemMessageA(dialog, spinId, UDM_SETRANGE32, low, high);
    SetSpinPosition(dialog, spinId, position);
}

void SetSpinPosition(HWND dialog, int spinId, int position) {
    SendDlgItemMessageA(dialog, spinId, UDM_SETPOS32, 0, position);
}

void FocusField(HWND dialog, int id) {
    HWND field = GetDlgItem(dialog, id);
    if (!field) return;
    SendMessageA(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(field), TRUE);
}

void ShowFieldError(HWND dialog, int fieldId, const char* text, const char* caption) {
    PelmoMessageBox(dialog, text, caption, kMbOk | kMbIconInformation);
    FocusField(dialog, fieldId);
}

std::string ResourceText(unsigned id) { return GetRS(DialogInstance(), id); }

void ShowDialogHelp(HWND dialog, const char* topic) { OpenHelpTopic(dialog, topic); }

KeyStep StepInOrder(const int* order, int count, int id, WORD key) {
    for (int i = 0; i < count; ++i) {
        if (order[i] != id) continue;
        if (key == kFieldKeyUp) return i > 0 ? KeyStep{KeyMove::kFocus, order[i - 1]} : KeyStep{KeyMove::kNone, 0};
        if (key != kFieldKeyEnter && key != kFieldKeyDown) return KeyStep{KeyMove::kNone, 0};
        return i + 1 < count ? KeyStep{KeyMove::kFocus, order[i + 1]} : KeyStep{KeyMove::kConfirm, 0};
    }
    return KeyStep{KeyMove::kNone, 0};
}

bool IsFieldKey(WORD code) { return code == kFieldKeyEnter || code == kFieldKeyDown || code == kFieldKeyUp; }

void MoveByKey(HWND dialog, const int* order, int count, int id, WORD key, void (*confirm)(HWND dialog)) {
    const KeyStep step = StepInOrder(order, count, id, key);
    if (step.move == KeyMove::kFocus) FocusField(dialog, step.field);
    if (step.move == KeyMove::kConfirm) confirm(dialog);
}

INT_PTR OnSpinThumb(HWND dialog, WPARAM wParam, LPARAM lParam, void (*onSpin)(HWND dialog, int spinId, int position)) {
    if (LOWORD(wParam) == SB_THUMBPOSITION)
        onSpin(dialog, GetDlgCtrlID(reinterpret_cast<HWND>(lParam)), HIWORD(wParam));
    return TRUE;
}
