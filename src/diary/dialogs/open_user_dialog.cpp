// "IDD_SEARCHDIALOG": find a user by name and choose the one to open.
#include <cstdio>
#include <string>

#include "corelib/msgbox.h"
#include "corelib/win32/fields.h"
#include "corelib/win32/ime.h"
#include "corelib/win32/modal_dialog.h"
#include "diary/dialogs/dialog_support.h"
#include "diary/dialogs/user_dialogs.h"
#include "diary/dialogs/user_search.h"
#include "resources/resource.h"

namespace {

UserSearch* SearchOf(HWND dialog) { return reinterpret_cast<UserSearch*>(GetWindowLongPtrA(dialog, DWLP_USER)); }

void EndOpen(HWND dialog, INT_PTR code) {
    EndUserSearch(SearchOf(dialog));
    CloseIme(GetDlgItem(dialog, IDC_SEARCH_KEYWORD));
    EndModalDialog(dialog, code);
}

INT_PTR OnInit(HWND dialog, UserSearch* search) {
    SetWindowLongPtrA(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(search));
    SetMonthlyCalendar(dialog, 0);
    BeginUserSearch(search);
    FocusField(dialog, IDC_SEARCH_KEYWORD);
    RunUserSearch(dialog, search);
    return FALSE;
}

void OnOpen(HWND dialog) {
    UserSearch* search = SearchOf(dialog);
    LRESULT line = SendDlgItemMessageA(dialog, search->listId, LB_GETCURSEL, 0, 0);
    if (line == LB_ERR) return;
    std::string name = LineName(dialog, *search, static_cast<int>(line));
    char question[200];
    std::snprintf(question, sizeof(question), ResourceText(IDS_OPEN_USER_QUESTION).c_str(), name.c_str());
    if (PelmoMessageBox(dialog, question, ResourceText(IDS_OPEN_USER_CAPTION).c_str(), kMbYesNo | kMbIconInformation) != kIdYes)
        return;
    EndOpen(dialog, RowOfLine(dialog, *search, static_cast<int>(line)));
}

void OnView(HWND dialog) {
    int row = SelectedRow(dialog, *SearchOf(dialog));
    if (row >= 0) ViewUserDialog(dialog, row);
}

INT_PTR OnCommand(HWND dialog, int id, WORD code) {
    if (id == IDC_SEARCH_KEYWORD && code == kFieldKeyEnter) {
        RunUserSearch(dialog, SearchOf(dialog));
        return TRUE;
    }
    if (id == IDC_SEARCH_KEYWORD && code == EN_SETFOCUS) {
        OpenImeForText(GetDlgItem(dialog, id));
        return TRUE;
    }
    if (id == IDC_SEARCH_LIST && code == LBN_DBLCLK) {
        OnOpen(dialog);
        return TRUE;
    }
    switch (id) {
    case IDC_SEARCH_BUTTON: RunUserSearch(dialog, SearchOf(dialog)); return TRUE;
    case IDC_SEARCH_OPEN: OnOpen(dialog); return TRUE;
    case IDC_SEARCH_VIEW: OnView(dialog); return TRUE;
    case IDCANCEL: EndOpen(dialog, -1); return TRUE;
    case IDC_DIALOG_HELP: ShowDialogHelp(dialog, "user2"); return TRUE;
    }
    return FALSE;
}

INT_PTR CALLBACK OpenUserProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG: return OnInit(dialog, reinterpret_cast<UserSearch*>(lParam));
    case WM_COMMAND: return OnCommand(dialog, LOWORD(wParam), HIWORD(wParam));
    }
    return FALSE;
}

}  // namespace

INT_PTR OpenUserDialog(HWND window) {
    UserSearch search = {IDC_SEARCH_LIST, IDC_SEARCH_OPEN, nullptr, nullptr};
    INT_PTR row = CreateModalDialog(DialogInstance(), window, "IDD_SEARCHDIALOG", OpenUserProc, reinterpret_cast<LPARAM>(&search));
    EndUserSearch(&search);  // also when the dialog could not be created
    return row;
}
