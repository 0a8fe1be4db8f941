// "IDD_VIEW_USERINFO": a user's name, age, sex, height and activity level.
#include <cstdio>
#include <cstring>
#include <string>

#include "corelib/win32/modal_dialog.h"
#include "diary/dialogs/dialog_support.h"
#include "diary/dialogs/user_dialogs.h"
#include "diary/input_items.h"
#include "diary/records.h"
#include "diary/user_file.h"
#include "diary/users_table.h"
#include "resources/resource.h"

namespace {

constexpr int kActivityLevels = 4;

void ShowDetails(HWND dialog, const UserHeader& header) {
    char text[64];
    std::snprintf(text, sizeof(text), "%d 歳", static_cast<int>(header.age));
    SetFieldText(dialog, IDC_USER_AGE, text);
    SetFieldText(dialog, IDC_USER_SEX, ResourceText(header.sex == 0 ? IDS_SEX_MALE : IDS_SEX_FEMALE).c_str());
    double height = header.height;
    std::snprintf(text, sizeof(text), "%4.1lf cm", height);
    SetFieldText(dialog, IDC_USER_HEIGHT, text);
    int level = header.activityLevel;
    if (level < kActivityLevels) SetFieldText(dialog, IDC_USER_ACTIVITY, ResourceText(IDS_ACTIVITY_LOW + level).c_str());
}

INT_PTR OnInit(HWND dialog, int row) {
    SetFocus(GetDlgItem(dialog, IDOK));  // not on a field, whose whole text would show selected
    char record[kUsersRowLength + 1];
    if (!ReadUsersRow(dialog, row, record)) return FALSE;
    SetFieldText(dialog, IDC_USER_NAME, std::string(record + kUsersNumberWidth, kUsersNameWidth).c_str());
    UserHeader header;
    long number = UserNumberOfRow(record);
    if (number != kNoUserNumber && ReadUserFileHeader(number, &header)) ShowDetails(dialog, header);
    return FALSE;
}

INT_PTR CALLBACK ViewUserProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG: return OnInit(dialog, static_cast<int>(lParam));
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) EndDialog(dialog, LOWORD(wParam));
        return TRUE;
    }
    return FALSE;
}

}  // namespace

void ViewUserDialog(HWND window, int row) {
    CreateModalDialog(DialogInstance(), window, "IDD_VIEW_USERINFO", ViewUserProc, row);
}
