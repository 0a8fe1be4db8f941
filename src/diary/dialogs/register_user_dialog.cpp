// "IDD_USER_REGISTRY": name, age, sex and height of a new user into the staging header.
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

constexpr int kStartAge = 20;
constexpr int kStartSex = 1;  // 女性
constexpr double kStartHeight = 150.0;
constexpr int kFieldOrder[] = {IDC_USER_NAME, IDC_USER_AGE, IDC_USER_SEX, IDC_USER_HEIGHT};

INT_PTR OnInit(HWND dialog) {
    std::memset(&StagingHeader(), 0, sizeof(UserHeader));
    InitUserDetailFields(dialog, kStartAge, kStartSex, kStartHeight);
    FocusField(dialog, IDC_USER_NAME);
    SetMonthlyCalendar(dialog, 0);
    return FALSE;  // the focus is set
}

void OnRegister(HWND dialog) {
    if (!CheckUserDetails(dialog, true)) return;
    UserHeader& staging = StagingHeader();
    staging.formatMark = 'A';
    ReadUserDetails(dialog, &staging);
    EndModalDialog(dialog, 1);
}

void OnFieldKey(HWND dialog, int id, WORD key) {
    KeyStep step = StepInOrder(kFieldOrder, 4, id, key);
    if (step.move == KeyMove::kFocus) FocusField(dialog, step.field);
    if (step.move == KeyMove::kConfirm) OnRegister(dialog);
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
    case IDC_USER_REGISTER: OnRegister(dialog); return TRUE;
    case IDCANCEL: EndModalDialog(dialog, 0); return TRUE;
    case IDC_DIALOG_HELP: ShowDialogHelp(dialog, "user1"); return TRUE;
    }
    OnUserDetailChange(dialog, id, code);
    return FALSE;
}

INT_PTR CALLBACK RegisterUserProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
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

int RegisterUser(HWND window) {
    if (CreateModalDialog(DialogInstance(), window, "IDD_USER_REGISTRY", RegisterUserProc, 0) != 1) return 0;
    PrepareNewUser();
    if (TargetDialog(window, kTargetNewUser) != 1) return 0;
    const UserOutcome created = CreateUser();
    ShowNotice(window, created.notice);
    return created.done ? 1 : 0;
}
