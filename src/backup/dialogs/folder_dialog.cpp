#include "backup/dialogs/folder_dialog.h"

#include <cstdio>

#include "backup/backup_folder.h"
#include "corelib/folders.h"
#include "corelib/msgbox.h"
#include "corelib/win32/folder_browser.h"
#include "corelib/win32/help.h"
#include "corelib/win32/ime.h"
#include "corelib/win32/modal_dialog.h"
#include "resources/resource.h"

namespace {

constexpr int kFolderLimit = 254;

const FolderDialogKind& KindOf(HWND dialog) {
    return *reinterpret_cast<const FolderDialogKind*>(GetWindowLongPtrA(dialog, DWLP_USER));
}

std::string FolderText(HWND dialog) {
    char text[kFolderLimit + 1] = {};
    GetDlgItemTextA(dialog, IDC_BACKUP_FOLDER, text, sizeof(text));
    return text;
}

void ShowFolder(HWND dialog, const std::string& folder) {
    HWND field = GetDlgItem(dialog, IDC_BACKUP_FOLDER);
    SetWindowTextA(field, folder.c_str());
    SendMessageA(field, EM_SETSEL, 0, -1);
    SetFocus(field);
}

// The drive roots from A: upward: the first removable drive, unless a
// letter without a drive comes first.
std::string FirstRemovableDrive() {
    for (char letter = 'A'; letter <= 'Z'; ++letter) {
        char root[] = {letter, ':', '\\', '\0'};
        UINT type = GetDriveTypeA(root);
        if (type == DRIVE_UNKNOWN || type == DRIVE_NO_ROOT_DIR) break;
        if (type == DRIVE_REMOVABLE) return root;
    }
    return std::string();
}

INT_PTR OnInit(HWND dialog, const FolderDialogKind* kind) {
    SetWindowLongPtrA(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(kind));
    SetMonthlyCalendar(dialog, 0);
    SendDlgItemMessageA(dialog, IDC_BACKUP_FOLDER, EM_LIMITTEXT, kFolderLimit, 0);
    std::string folder;
    if (!StoredBackupFolder(&folder)) folder = FirstRemovableDrive();
    ShowFolder(dialog, folder);
    CloseIme(GetDlgItem(dialog, IDC_BACKUP_FOLDER));
    return FALSE;
}

void OnBrowse(HWND dialog) {
    std::string chosen;
    if (!BrowseForFolder(dialog, KindOf(dialog).browserTitle, FolderText(dialog), &chosen)) return;
    // A bare drive ("A:") gets its backslash; a folder stays as the browser gave it.
    if (chosen.size() <= 2) chosen += '\\';
    ShowFolder(dialog, chosen);
}

// The checks of the drive and the folder, in order; then the dialog's own.
void OnConfirm(HWND dialog) {
    const FolderDialogKind& kind = KindOf(dialog);
    std::string path = FolderText(dialog);
    // A path without a drive letter names no drive; "a:" is the drive A:.
    char root[] = {DriveLetterOf(path), ':', '\\', '\0'};
    UINT type = root[0] != 0 ? GetDriveTypeA(root) : DRIVE_NO_ROOT_DIR;
    if (type == DRIVE_UNKNOWN || type == DRIVE_NO_ROOT_DIR) return RefuseFolder(dialog, kind.noDriveText, kind.caption);
    if (type == DRIVE_CDROM) return RefuseFolder(dialog, kind.cdRomText, kind.caption);
    if (!FolderExists(path) && !kind.missingFolder(dialog, path)) return;
    std::string folder = WithPathSeparator(path);
    if (!kind.confirm(dialog, folder, DriveTypeName(type))) return;
    StoreBackupFolder(folder);
    EndModalDialog(dialog, 1);
}

INT_PTR OnCommand(HWND dialog, int id) {
    switch (id) {
    case IDC_BACKUP_BROWSE: OnBrowse(dialog); return TRUE;
    case IDOK: OnConfirm(dialog); return TRUE;
    case IDCANCEL: EndModalDialog(dialog, 0); return TRUE;
    case IDC_DIALOG_HELP: OpenHelpTopic(dialog, KindOf(dialog).helpTopic); return TRUE;
    }
    return FALSE;
}

INT_PTR CALLBACK FolderDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG: return OnInit(dialog, reinterpret_cast<const FolderDialogKind*>(lParam));
    case WM_COMMAND: return OnCommand(dialog, LOWORD(wParam));
    }
    return FALSE;
}

}  // namespace

INT_PTR RunFolderDialog(HWND window, const FolderDialogKind& kind) {
    INT_PTR result = CreateModalDialog(GetModuleHandleA(nullptr), window, kind.templateName, FolderDialogProc,
                                       reinterpret_cast<LPARAM>(&kind));
    return result == 1 ? 1 : 0;
}

void RefuseFolder(HWND dialog, const char* text, const char* caption) {
    PelmoMessageBox(dialog, text, caption, kMbOk | kMbIconInformation);
    SetFocus(GetDlgItem(dialog, IDC_BACKUP_FOLDER));
}

bool AskAboutFolder(HWND dialog, const char* text, const char* caption, bool noPreselected) {
    unsigned type = kMbYesNo | kMbIconQuestion | (noPreselected ? static_cast<unsigned>(kMbDefButton2) : 0u);
    return PelmoMessageBox(dialog, text, caption, type) == kIdYes;
}

std::string SavedAtQuestion(const char* format, const BackupTime& time) {
    char text[512];
    std::snprintf(text, sizeof(text), format, time.year, time.month, time.day, time.hour, time.minute);
    return text;
}

std::string FolderQuestion(const char* format, const char* driveName, const std::string& folder) {
    char text[512];
    std::snprintf(text, sizeof(text), format, driveName, folder.c_str());
    return text;
}

const char* DriveTypeName(UINT type) {
    switch (type) {
    case DRIVE_REMOVABLE: return "フロッピーディスク";
    case DRIVE_FIXED: return "ハードディスク";
    case DRIVE_REMOTE: return "ネットワークドライブ";
    case DRIVE_RAMDISK: return "ＲＡＭディスク";
    }
    return "不明なドライブ";
}
