#include "shell/about_dialog.h"

#include "corelib/win32/modal_dialog.h"
#include "resources/resource.h"
#include "shell/web_launcher.h"

namespace {

INT_PTR OnCommand(HWND dialog, UINT id) {
    switch (id) {
    case IDOK:
    case IDCANCEL:
        EndModalDialog(dialog, id);
        return TRUE;
    case IDC_ABOUT_WEBPAGE:
        LaunchWebPage(dialog, kMakerWebPage);
        return TRUE;
    }
    return FALSE;
}

INT_PTR CALLBACK AboutDialogProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        SetMonthlyCalendar(dialog, 0);
        return TRUE;
    case WM_COMMAND:
        return OnCommand(dialog, LOWORD(wParam));
    }
    return FALSE;
}

}  // namespace

INT_PTR RunAboutDialog(HINSTANCE instance, HWND owner) {
    return CreateModalDialog(instance, owner, MAKEINTRESOURCEA(IDD_ABOUTBOX), AboutDialogProcedure, 0);
}
