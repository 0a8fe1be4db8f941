#include "diary/dialogs/user_search.h"

#include <vector>

#include "corelib/dbf.h"
#include "corelib/utility.h"
#include "diary/dialogs/dialog_support.h"
#include "diary/users_table.h"
#include "resources/resource.h"

bool BeginUserSearch(UserSearch* search) {
    search->area = AllocSearchDBFMem();
    search->record = AllocDbfRecordMem(kUsersTable);
    return search->area && search->record;
}

void EndUserSearch(UserSearch* search) {
    FreeSearchDBFMem(search->area);
    FreeDbfRecordMem(search->record);
    search->area = nullptr;
    search->record = nullptr;
}

void RunUserSearch(HWND dialog, UserSearch* search) {
    std::string keyword = TrimmedFieldText(dialog, IDC_SEARCH_KEYWORD);
    HWND list = GetDlgItem(dialog, search->listId);
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    if (!search->area || !search->record) return;
    int count = SearchDBFRecord2(dialog, search->area, kUsersTable, kUsersNameField, keyword.c_str(), keyword.c_str(), "", "");
    if (count < 0) return;
    bool found = false;
    for (int i = 0; i < count; ++i) {
        int row = search->area[i];
        if (!ReadDBFRecord(dialog, kUsersTable, row, search->record)) continue;
        std::string name(search->record + kUsersNumberWidth, kUsersNameWidth);
        LRESULT line = SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
        SendMessageA(list, LB_SETITEMDATA, line, row);
        found = true;
    }
    EnableWindow(GetDlgItem(dialog, search->actionId), found);
    EnableWindow(GetDlgItem(dialog, IDC_SEARCH_VIEW), found);
    if (!found) return;
    SetFocus(list);
    if (GetWindowLongA(list, GWL_STYLE) & LBS_EXTENDEDSEL)
        SendMessageA(list, LB_SELITEMRANGE, TRUE, MAKELPARAM(0, 0));
    else
        SendMessageA(list, LB_SETCURSEL, 0, 0);
}

int RowOfLine(HWND dialog, const UserSearch& search, int line) {
    return static_cast<int>(SendDlgItemMessageA(dialog, search.listId, LB_GETITEMDATA, line, 0));
}

int SelectedRow(HWND dialog, const UserSearch& search) {
    LRESULT line = SendDlgItemMessageA(dialog, search.listId, LB_GETCURSEL, 0, 0);
    return line == LB_ERR ? -1 : RowOfLine(dialog, search, static_cast<int>(line));
}

std::string LineName(HWND dialog, const UserSearch& search, int line) {
    LRESULT length = SendDlgItemMessageA(dialog, search.listId, LB_GETTEXTLEN, line, 0);
    if (length == LB_ERR) return std::string();
    std::vector<char> text(static_cast<size_t>(length) + 1, '\0');
    SendDlgItemMessageA(dialog, search.listId, LB_GETTEXT, line, reinterpret_cast<LPARAM>(text.data()));
    return CutStringSpace(text.data());
}
