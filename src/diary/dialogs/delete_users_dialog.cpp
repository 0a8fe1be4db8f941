// "IDD_DELETEDIALOG": delete the chosen users, their table rows and data files.
#include <string>
#include <vector>

#include "corelib/msgbox.h"
#include "diary/dialogs/dialog_support.h"
#include "diary/dialogs/user_dialogs.h"
#include "diary/dialogs/user_search.h"
#include "diary/users_table.h"
#include "resources/resource.h"

namespace {

// The selected users, one after another; a user who cannot go is told and kept.
void DeleteSelected(HWND dialog) {
    HWND list = NameList(dialog);
    LRESULT count = SendMessageA(list, LB_GETSELCOUNT, 0, 0);
    if (count == LB_ERR || count <= 0) return;
    std::vector<int> lines(static_cast<size_t>(count));
    count = SendMessageA(list, LB_GETSELITEMS, count, reinterpret_cast<LPARAM>(lines.data()));
    if (count == LB_ERR) return;
    lines.resize(static_cast<size_t>(count));
    std::vector<int> deleted;  // rows (as they were when the dialog searched) already removed
    for (int line : lines) {
        int original = RowOfLine(dialog, line);
        int row = original;  // every deletion of an earlier row moved this one down
        for (int gone : deleted)
            if (gone < original) --row;
        const UserDeletion deletion = DeleteUserOfRow(row, LineName(dialog, line).c_str());
        if (deletion.deleted) deleted.push_back(original);
        ShowNotice(dialog, deletion.notice);
    }
}

void OnDelete(HWND dialog) {
    if (PelmoMessageBox(dialog, ResourceText(IDS_DELETE_USERS_QUESTION).c_str(), ResourceText(IDS_DELETE_USERS_CAPTION).c_str(),
                        kMbYesNo | kMbIconInformation | kMbDefButton2) != kIdYes)
        return;
    DeleteSelected(dialog);
    EndUserSearchDialog(dialog, 1, false);
}

// The line with the caret: in a list of several selections, the one last clicked.
void OnView(HWND dialog) {
    HWND list = NameList(dialog);
    LRESULT line = SendMessageA(list, LB_GETCARETINDEX, 0, 0);
    if (line == LB_ERR || SendMessageA(list, LB_GETCOUNT, 0, 0) <= 0) return;
    ViewUserDialog(dialog, RowOfLine(dialog, static_cast<int>(line)));
}

const UserSearchDialog kDeleteDialog = {"IDD_DELETEDIALOG", IDC_DELETE_LIST, IDC_DELETE_BUTTON, "user4", false,
                                        OnDelete, OnView};

}  // namespace

INT_PTR DeleteUsersDialog(HWND window) { return RunUserSearchDialog(window, kDeleteDialog); }
