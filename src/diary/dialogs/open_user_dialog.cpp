// "IDD_SEARCHDIALOG": find a user by name and choose the one to open.
#include <cstdio>
#include <string>

#include "corelib/msgbox.h"
#include "diary/dialogs/dialog_support.h"
#include "diary/dialogs/user_dialogs.h"
#include "diary/dialogs/user_search.h"
#include "resources/resource.h"

namespace {

// Asks before the chosen user is opened; Yes ends the dialog with the user's row.
void OnOpen(HWND dialog) {
    LRESULT line = SendMessageA(NameList(dialog), LB_GETCURSEL, 0, 0);
    if (line == LB_ERR) return;
    std::string name = LineName(dialog, static_cast<int>(line));
    char question[200];
    std::snprintf(question, sizeof(question), ResourceText(IDS_OPEN_USER_QUESTION).c_str(), name.c_str());
    if (PelmoMessageBox(dialog, question, ResourceText(IDS_OPEN_USER_CAPTION).c_str(), kMbYesNo | kMbIconInformation) != kIdYes)
        return;
    EndUserSearchDialog(dialog, RowOfLine(dialog, static_cast<int>(line)), true);
}

void OnView(HWND dialog) {
    int row = SelectedRow(dialog);
    if (row >= 0) ViewUserDialog(dialog, row);
}

const UserSearchDialog kOpenDialog = {"IDD_SEARCHDIALOG", IDC_SEARCH_LIST, IDC_SEARCH_OPEN, "user2", true, OnOpen, OnView};

}  // namespace

INT_PTR OpenUserDialog(HWND window) { return RunUserSearchDialog(window, kOpenDialog); }
