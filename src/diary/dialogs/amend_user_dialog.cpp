// "IDD_USER_AMEND": age, sex and height of the open user, then its targets.
#include <cstring>

#include "corelib/msgbox.h"
#include "corelib/win32/fields.h"
#include "corelib/win32/modal_dialog.h"
#include "diary/dialogs/dialog_support.h"
#include "diary/dialogs/user_detail_fields.h"
#include "diary/dialogs/user_dialogs.h"
#include "diary/diary_store.h"
#include "diary/user_file.h"
#include "resources/resource.h"

namespace {

constexpr int kFieldOrder[] = {IDC_USER_AGE, IDC_USER_SEX, IDC_USER_HEIGHT};

INT_PTR OnInit(HWND dialog) {
    const UserHeader& current = CurrentHeader();
    char name[sizeof(current.name)];
    std::memcpy(name, current.name, sizeof(name));
    name[sizeof(name) - 1] = '\0';
    std::memset(&StagingHeader(), 0, sizeof(UserHeader));
    SetFieldText(dialog, IDC_USER_NAME, name);
    InitUserDetailFields(dialog, current.age, current.sex, current.height);
    FocusField(dialog, IDC_USER_AGE);
    SetMonthlyCalendar(dialog, 0);
    return FALSE;
}

// The targets, then the data file with the new details. A user who is not
// open (nothing to amend) is told so before any target dialog.
bool AmendOpenUser(HWND dialog) {
    if (IsUserOpen() && TargetDialog(dialog, kTargetExistingUser) != 1) return false;
    const UserOutcome amended = AmendUser();
    ShowNotice(dialog, amended.notice);
    return amended.done;
}

void OnAmend(HWND dialog) {
    if (!CheckUserDetails(dialog, false)) return;
    UserHeader& staging = StagingHeader();
    staging = CurrentHeader();
    staging.formatMark = 'A';
    ReadBodyDetails(dialog, &staging);
    if (!AmendOpenUser(dialog)) return;  // cancelled targets or a failed write: the values stay for another try
    EndModalDialog(dialog, 1);
}

void OnFieldKey(HWND dialog, int id, WORD key) {
    KeyStep step = StepInOrder(kFieldOrder, 3, id, key);
    if (step.move == KeyMove::kFocus) FocusField(dialog, step.field);
    if (step.move == KeyMove::kConfirm) OnAmend(dialog);
}

INT_PTR OnCommand(HWND dialog, int id, WORD code) {
    switch (code) {
    case kFieldKeyEnter:
    case kFieldKeyDown:
    case kFieldKeyUp:
        OnFieldKey(dialog, id, code);
        return TRUE;
    }
    switch (id) {
    case IDC_USER_REGISTER: OnAmend(dialog); return TRUE;
    case IDCANCEL:
        EndModalDialog(dialog, 0);
        return TRUE;
    case IDC_DIALOG_HELP: ShowDialogHelp(dialog, "user3"); return TRUE;
    }
    if (id != IDC_USER_NAME) OnUserDetailChange(dialog, id, code);  // the read-only name wants no IME
    return FALSE;
}

INT_PTR CALLBACK AmendUserProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG: return OnInit(dialog);
    case WM_COMMAND: return OnCommand(dialog, LOWORD(wParam), HIWORD(wParam));
    case WM_VSCROLL:
        if (LOWORD(wParam) == SB_THUMBPOSITION) OnUserDetailSpin(dialog, GetDlgCtrlID(reinterpret_cast<HWND>(lParam)), HIWORD(wParam));
        return TRUE;
    }
    return FALSE;
}

}  // namespace

INT_PTR AmendUserDialog(HWND window) {
    return CreateModalDialog(DialogInstance(), window, "IDD_USER_AMEND", AmendUserProc, 0);
}
