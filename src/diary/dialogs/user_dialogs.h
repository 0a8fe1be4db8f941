// The dialogs about users: register, amend, open, view and delete, the
// targets and the input items. Each returns what its caller acts on.
#ifndef PELMO_DIARY_DIALOGS_USER_DIALOGS_H
#define PELMO_DIARY_DIALOGS_USER_DIALOGS_H

#include <windows.h>


// "IDD_USER_REGISTRY", then CreateUser: 1 when a new user was created and is open.
int RegisterUser(HWND window);
// "IDD_USER_AMEND" for the open user: 1 when the details and targets were committed.
INT_PTR AmendUserDialog(HWND window);
// "IDD_SEARCHDIALOG": the users-table row chosen, or -1.
INT_PTR OpenUserDialog(HWND window);
// "IDD_VIEW_USERINFO" for users-table row `row`.
void ViewUserDialog(HWND window, int row);
// "IDD_DELETEDIALOG": 1 after deleting, -1 when cancelled.
INT_PTR DeleteUsersDialog(HWND window);

// Which set of fields the target dialog offers.
enum TargetDialogMode : int {
    kTargetNewUser = 0,       // registration of a new user
    kTargetExistingUser = 1,  // amendment and the targets command
    kTargetAfterItems = 2,    // after the input items changed
};
// "IDD_SET_TARGET" in a mode; it reads and fills the staging header. 1 when
// confirmed, 0 when cancelled (the staging header is then as it was).
int TargetDialog(HWND window, TargetDialogMode mode);

// "IDD_SET_ITEM2": 1 when the input items changed and were written, else 0.
// The user number comes from the staging header.
INT_PTR InputItemsDialog(HWND window);

#endif
