// "IDD_DELETEDIALOG": delete the chosen users, their table rows and data files.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "corelib/dbf.h"
#include "corelib/files.h"
#include "corelib/msgbox.h"
#include "corelib/win32/fields.h"
#include "corelib/win32/ime.h"
#include "corelib/win32/modal_dialog.h"
#include "diary/dialogs/dialog_support.h"
#include "diary/dialogs/user_dialogs.h"
#include "diary/dialogs/user_search.h"
#include "diary/diary_store.h"
#include "diary/input_items.h"
#include "diary/user_file.h"
#include "diary/users_table.h"
#include "resources/resource.h"

namespace {

UserSearch* SearchOf(HWND dialog) { return reinterpret_cast<UserSearch*>(GetWindowLongPtrA(dialog, DWLP_USER)); }

INT_PTR OnInit(HWND dialog, UserSearch* search) {
    SetWindowLongPtrA(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(search));
    BeginUserSearch(search);
    FocusField(dialog, IDC_SEARCH_KEYWORD);
    RunUserSearch(dialog, search);
    return FALSE;
}

void DeleteSelected(HWND dialog, UserSearch* search) {
    HWND list = GetDlgItem(dialog, search->listId);
    LRESULT count = SendMessageA(list, LB_GETSELCOUNT, 0, 0);
    if (count == LB_ERR || count <= 0) return;
    std::vector<int> lines(static_cast<size_t>(count));
    count = SendMessageA(list, LB_GETSELITEMS, count, reinterpret_cast<LPARAM>(lines.data()));
    if (count == LB_ERR) return;
    lines.resize(static_cast<size_t>(count));
    std::vector<int> deleted;  // rows (as they were when the dialog searched) already removed
    for (int line : lines) {
        int original = RowOfLine(dialog, *search, line);
        int row = original;  // every deletion of an earlier row moved this one down
        for (int gone : deleted)
            if (gone < original) --row;
        const UserDeletion deletion = DeleteUserOfRow(row, LineName(dialog, *search, line).c_str());
        if (deletion.deleted) deleted.push_back(original);
        ShowNotice(dialog, deletion.notice);
    }
}

void OnDelete(HWND dialog) {
    if (PelmoMessageBox(dialog, ResourceText(IDS_DELETE_USERS_QUESTION).c_str(), ResourceText(IDS_DELETE_USERS_CAPTION).c_str(),
                        kMbYesNo | kMbIconInformation | kMbDefButton2) != kIdYes)
        return;
    DeleteSelected(dialog, SearchOf(dialog));
    EndUserSearch(SearchOf(dialog));
    EndDialog(dialog, 1);
}

void OnView(HWND dialog) {
    UserSearch* search = SearchOf(dialog);
    LRESULT line = SendDlgItemMessageA(dialog, search->listId, LB_GETCARETINDEX, 0, 0);
    if (line == LB_ERR || SendDlgItemMessageA(dialog, search->listId, LB_GETCOUNT, 0, 0) <= 0) return;
    ViewUserDialog(dialog, RowOfLine(dialog, *search, static_cast<int>(line)));
}

void OnCancel(HWND dialog) {
    EndUserSearch(SearchOf(dialog));
    CloseIme(GetDlgItem(dialog, IDC_SEARCH_KEYWORD));
    EndDialog(dialog, -1);
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
    if (id == IDC_DELETE_LIST && code == LBN_DBLCLK) {
        OnDelete(dialog);
        return TRUE;
    }
    switch (id) {
    case IDC_SEARCH_BUTTON: RunUserSearch(dialog, SearchOf(dialog)); return TRUE;
    case IDC_DELETE_BUTTON: OnDelete(dialog); return TRUE;
    case IDC_SEARCH_VIEW: OnView(dialog); return TRUE;
    case IDCANCEL: OnCancel(dialog); return TRUE;
    case IDC_DIALOG_HELP: ShowDialogHelp(dialog, "user4"); return TRUE;
    }
    return FALSE;
}

INT_PTR CALLBACK DeleteUsersProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG: return OnInit(dialog, reinterpret_cast<UserSearch*>(lParam));
    case WM_COMMAND: return OnCommand(dialog, LOWORD(wParam), HIWORD(wParam));
    }
    return FALSE;
}

}  // namespace

INT_PTR DeleteUsersDialog(HWND window) {
    UserSearch search = {IDC_DELETE_LIST, IDC_DELETE_BUTTON, nullptr, nullptr};
    INT_PTR result = CreateModalDialog(DialogInstance(), window, "IDD_DELETEDIALOG", DeleteUsersProc, reinterpret_cast<LPARAM>(&search));
    EndUserSearch(&search);
    return result;
}
