#include "diary/dialogs/user_search.h"

#include <cstdint>
#include <vector>

#include "corelib/dbf.h"
#include "corelib/utility.h"
#include "corelib/win32/fields.h"
#include "corelib/win32/ime.h"
#include "corelib/win32/modal_dialog.h"
#include "diary/dialogs/dialog_support.h"
#include "diary/users_table.h"
#include "resources/resource.h"

namespace {

struct SearchData {
    const UserSearchDialog* kind;
    std::uint16_t* area;  // result area of the search
    char* record;         // one row of the users table
};

SearchData* DataOf(HWND dialog) { return reinterpret_cast<SearchData*>(GetWindowLongPtrA(dialog, DWLP_USER)); }

void FreeAreas(SearchData* data) {
    FreeSearchDBFMem(data->area);
    FreeDbfRecordMem(data->record);
    data->area = nullptr;
    data->record = nullptr;
}

// Trims the keyword, fills the list with the matching names (their 30 bytes
// as stored) and enables the buttons for a non-empty result.
void RunSearch(HWND dialog) {
    SearchData* data = DataOf(dialog);
    std::string keyword = TrimmedFieldText(dialog, IDC_SEARCH_KEYWORD);
    HWND list = NameList(dialog);
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    if (!data->area || !data->record) return;
    int count = SearchDBFRecord2(dialog, data->area, kUsersTable, kUsersNameField, keyword.c_str(), keyword.c_str(), "", "");
    if (count < 0) return;
    bool found = false;
    for (int i = 0; i < count; ++i) {
        int row = data->area[i];
        if (!ReadDBFRecord(dialog, kUsersTable, row, data->record)) continue;
        std::string name(data->record + kUsersNumberWidth, kUsersNameWidth);
        LRESULT line = SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
        SendMessageA(list, LB_SETITEMDATA, line, row);
        found = true;
    }
    EnableWindow(GetDlgItem(dialog, data->kind->actionId), found);
    EnableWindow(GetDlgItem(dialog, IDC_SEARCH_VIEW), found);
    if (!found) return;
    SetFocus(list);
    if (GetWindowLongA(list, GWL_STYLE) & LBS_EXTENDEDSEL)
        SendMessageA(list, LB_SELITEMRANGE, TRUE, MAKELPARAM(0, 0));
    else
        SendMessageA(list, LB_SETCURSEL, 0, 0);
}

INT_PTR OnInit(HWND dialog, SearchData* data) {
    SetWindowLongPtrA(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(data));
    if (data->kind->pausesCalendar) SetMonthlyCalendar(dialog, 0);
    data->area = AllocSearchDBFMem();
    data->record = AllocDbfRecordMem(kUsersTable);
    FocusField(dialog, IDC_SEARCH_KEYWORD);
    RunSearch(dialog);
    return FALSE;  // the focus is set
}

INT_PTR OnCommand(HWND dialog, int id, WORD code) {
    const UserSearchDialog& kind = *DataOf(dialog)->kind;
    if (id == IDC_SEARCH_KEYWORD && code == kFieldKeyEnter) {
        RunSearch(dialog);
        return TRUE;
    }
    if (id == IDC_SEARCH_KEYWORD && code == EN_SETFOCUS) {
        OpenImeForText(GetDlgItem(dialog, id));
        return TRUE;
    }
    if ((id == kind.listId && code == LBN_DBLCLK) || id == kind.actionId) {
        kind.act(dialog);
        return TRUE;
    }
    switch (id) {
    case IDC_SEARCH_BUTTON: RunSearch(dialog); return TRUE;
    case IDC_SEARCH_VIEW: kind.view(dialog); return TRUE;
    case IDCANCEL: EndUserSearchDialog(dialog, -1, true); return TRUE;
    case IDC_DIALOG_HELP: ShowDialogHelp(dialog, kind.helpTopic); return TRUE;
    }
    return FALSE;
}

INT_PTR CALLBACK UserSearchProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG: return OnInit(dialog, reinterpret_cast<SearchData*>(lParam));
    case WM_COMMAND: return OnCommand(dialog, LOWORD(wParam), HIWORD(wParam));
    }
    return FALSE;
}

}  // namespace

INT_PTR RunUserSearchDialog(HWND window, const UserSearchDialog& kind) {
    SearchData data = {&kind, nullptr, nullptr};
    INT_PTR result = CreateModalDialog(DialogInstance(), window, kind.templateName, UserSearchProc,
                                       reinterpret_cast<LPARAM>(&data));
    FreeAreas(&data);  // also when the dialog could not be created
    return result;
}

void EndUserSearchDialog(HWND dialog, INT_PTR code, bool closeIme) {
    SearchData* data = DataOf(dialog);
    FreeAreas(data);
    if (closeIme) CloseIme(GetDlgItem(dialog, IDC_SEARCH_KEYWORD));
    if (data->kind->pausesCalendar)
        EndModalDialog(dialog, code);
    else
        EndDialog(dialog, code);
}

HWND NameList(HWND dialog) { return GetDlgItem(dialog, DataOf(dialog)->kind->listId); }

int RowOfLine(HWND dialog, int line) {
    return static_cast<int>(SendMessageA(NameList(dialog), LB_GETITEMDATA, line, 0));
}

int SelectedRow(HWND dialog) {
    LRESULT line = SendMessageA(NameList(dialog), LB_GETCURSEL, 0, 0);
    return line == LB_ERR ? -1 : RowOfLine(dialog, static_cast<int>(line));
}

std::string LineName(HWND dialog, int line) {
    HWND list = NameList(dialog);
    LRESULT length = SendMessageA(list, LB_GETTEXTLEN, line, 0);
    if (length == LB_ERR) return std::string();
    std::vector<char> text(static_cast<size_t>(length) + 1, '\0');
    SendMessageA(list, LB_GETTEXT, line, reinterpret_cast<LPARAM>(text.data()));
    return CutStringSpace(text.data());
}
