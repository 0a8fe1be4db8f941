#include "shell/exit_dialog.h"

#include "corelib/win32/modal_dialog.h"
#include "resources/resource.h"
#include "shell/web_launcher.h"

namespace {

const char* const kExitTemplate = "IDD_PLEND";
const char* const kWebsiteBitmap = "IDB_WEBSITE";

void OnInit(HWND dialog) {
    SetMonthlyCalendar(dialog, 0);
    HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(dialog, GWLP_HINSTANCE));
    HBITMAP picture = LoadBitmapA(instance, kWebsiteBitmap);
    if (picture) SendDlgItemMessageA(dialog, IDC_PLEND_WEBSITE, BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(picture));
}

// The button does not own its picture: it goes when the dialog does.
void OnDestroy(HWND dialog) {
    auto picture = reinterpret_cast<HBITMAP>(SendDlgItemMessageA(dialog, IDC_PLEND_WEBSITE, BM_GETIMAGE, IMAGE_BITMAP, 0));
    if (picture) DeleteObject(picture);
}

INT_PTR OnCommand(HWND dialog, UINT id) {
    switch (id) {
    case IDOK:
        EndModalDialog(dialog, kExitConfirmed);
        return TRUE;
    case IDCANCEL:
        EndModalDialog(dialog, kExitCancelled);
        return TRUE;
    case IDC_PLEND_WEBSITE:
        LaunchWebPage(dialog, kMakerWebPage);
        return TRUE;
    }
    return FALSE;
}

INT_PTR CALLBACK ExitDialogProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        OnInit(dialog);
        return TRUE;
    case WM_COMMAND:
        return OnCommand(dialog, LOWORD(wParam));
    case WM_DESTROY:
        OnDestroy(dialog);
        return FALSE;
    }
    return FALSE;
}

}  // namespace

INT_PTR RunExitDialog(HINSTANCE instance, HWND frame) {
    return CreateModalDialog(instance, frame, kExitTemplate, ExitDialogProcedure, 0);
}
