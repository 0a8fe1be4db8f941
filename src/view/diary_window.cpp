#include "view/diary_window.h"

#include "corelib/win32/calendar.h"
#include "view/diary_commands.h"
#include "view/diary_create.h"
#include "view/diary_keys.h"
#include "view/diary_layout.h"
#include "view/diary_links.h"
#include "view/diary_paint.h"
#include "view/diary_state.h"
#include "view/record_list.h"
#include "view/selector_changes.h"

const char* const kDiaryWindowClass = "Weight";

namespace {

bool IsSelector(int id) {
    for (int selector : kSelectorIds)
        if (selector == id) return true;
    return false;
}

LRESULT OnCreate(HWND window, const CREATESTRUCTA* create) {
    CreateDiaryWindow(window, create->hInstance);
    return 0;
}

LRESULT OnDrawItem(const DRAWITEMSTRUCT* item) {
    if (item->CtlID != kRecordListId) return FALSE;
    DrawRecordListItem(item);
    return TRUE;
}

LRESULT OnCommand(HWND window, WPARAM wParam, LPARAM lParam) {
    const int id = LOWORD(wParam);
    if (id == kCalendarNavigateCommand) return HandleCalendarRequest(LOWORD(lParam), HIWORD(lParam));
    if (IsSelector(id)) {
        if (HIWORD(wParam) == CBN_SETFOCUS) NoteDiaryFocus(reinterpret_cast<HWND>(lParam));
        if (HIWORD(wParam) != CBN_SELCHANGE) return 0;
        OnSelectorChange(window, id);
        // A choice made with the mouse hands the focus back to the table; the
        // keys keep it in the list, so the next arrow goes on choosing.
        if (!SelectorChosenByKeys()) FocusRecordList();
        return 0;
    }
    return RunDiaryCommand(window, id);
}

}  // namespace

LRESULT CALLBACK DiaryWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        return OnCreate(window, reinterpret_cast<const CREATESTRUCTA*>(lParam));
    case WM_DESTROY:
        DestroyDiaryWindow(window);
        return 0;
    case WM_SIZE:
        LayOutDiaryWindow(window);
        return 0;
    case WM_PAINT:
        PaintDiaryWindow(window);
        return 0;
    case WM_ERASEBKGND:
        return 0;  // the painters cover the window
    case WM_DRAWITEM:
        return OnDrawItem(reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
    case WM_COMMAND:
        return OnCommand(window, wParam, lParam);
    case kMsgDiaryNoop:
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
