#include "view/diary_keys.h"

#include "view/diary_layout.h"
#include "view/diary_links.h"
#include "view/diary_selectors.h"
#include "view/diary_state.h"

namespace {

// The record table, the calendar, then the selectors in kSelectorIds' order:
// the right-hand column top to bottom, then the row below the table.
constexpr int kFocusStops = 2 + kSelectorCount;

bool g_keyChoice = false;
HWND g_rememberedFocus = nullptr;
bool g_cuesShown = false;

HWND FocusStop(int index) {
    if (index == 0) return g_diary.recordList;
    if (index == 1) return g_diary.calendar;
    return Selector(kSelectorIds[index - 2]);
}

int StopOf(HWND window) {
    for (int i = 0; i < kFocusStops; ++i)
        if (window && FocusStop(i) == window) return i;
    return -1;
}

bool IsSelectorStop(int stop) { return stop >= 2; }

bool TakesFocus(HWND window) { return window && IsWindowVisible(window) && IsWindowEnabled(window); }

bool IsDropped(HWND selector) { return SendMessageA(selector, CB_GETDROPPEDSTATE, 0, 0) != FALSE; }

bool ModifierHeld(int key) { return (GetKeyState(key) & 0x8000) != 0; }

// An open list closes first and keeps what the arrows chose in it.
void MoveFocus(int from, bool backwards) {
    HWND current = FocusStop(from);
    if (IsSelectorStop(from) && IsDropped(current)) SendMessageA(current, CB_SHOWDROPDOWN, FALSE, 0);
    for (int step = 1; step < kFocusStops; ++step) {
        const int next = (from + (backwards ? kFocusStops - step : step)) % kFocusStops;
        HWND window = FocusStop(next);
        if (TakesFocus(window)) {
            NoteDiaryFocus(window);
            SetFocus(window);
            return;
        }
    }
}

}  // namespace

bool TranslateDiaryKey(const MSG& message) {
    const int stop = StopOf(message.hwnd);
    if (stop < 0) return false;
    if (message.message == WM_KEYDOWN && message.wParam == VK_TAB && !ModifierHeld(VK_CONTROL) &&
        !ModifierHeld(VK_MENU)) {
        g_cuesShown = true;
        MoveFocus(stop, ModifierHeld(VK_SHIFT));
        return true;
    }
    // Esc in an open list closes the list, as the list itself does.
    if (message.message == WM_KEYDOWN && message.wParam == VK_ESCAPE && stop != 0 &&
        !(IsSelectorStop(stop) && IsDropped(message.hwnd))) {
        g_cuesShown = true;
        FocusRecordList();
        return true;
    }
    if (!IsSelectorStop(stop)) return false;
    const UINT kind = message.message;
    if (kind != WM_KEYDOWN && kind != WM_SYSKEYDOWN && kind != WM_CHAR) return false;
    g_keyChoice = true;
    TranslateMessage(&message);
    DispatchMessageA(&message);
    g_keyChoice = false;
    return true;
}

bool SelectorChosenByKeys() { return g_keyChoice; }

bool KeyboardCuesShown() { return g_cuesShown; }

void NoteDiaryFocus(HWND window) {
    if (StopOf(window) >= 0) g_rememberedFocus = window;
}

// A control disabled meanwhile (another user was opened) gives the focus up.
bool RestoreDiaryFocus() {
    HWND window = g_rememberedFocus;
    if (StopOf(window) < 0 || !TakesFocus(window)) return false;
    SetFocus(window);
    return true;
}
