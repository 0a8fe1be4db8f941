// What the backup and the restore dialog share: the folder proposed on
// opening, the folder browser, the checks of the drive and the folder, help
// and Cancel. Each dialog adds its own questions (FolderDialogKind::confirm).
#ifndef PELMO_BACKUP_DIALOGS_FOLDER_DIALOG_H
#define PELMO_BACKUP_DIALOGS_FOLDER_DIALOG_H

#include <windows.h>

#include <string>

#include "backup/backup_info.h"

struct FolderDialogKind {
    const char* templateName;
    const char* browserTitle;
    const char* helpTopic;
    const char* caption;      // of every message box of the dialog
    const char* noDriveText;  // no such drive (or no drive letter)
    const char* cdRomText;
    // The folder typed does not exist: true when it exists afterwards.
    bool (*missingFolder)(HWND dialog, const std::string& path);
    // The checks and questions after the drive's: folder has its final
    // separator, driveName names the drive's type. True when confirmed.
    bool (*confirm)(HWND dialog, const std::string& folder, const char* driveName);
};

// Runs the dialog owned by window; 1 with the folder stored in "BackupDir", 0 when cancelled.
INT_PTR RunFolderDialog(HWND window, const FolderDialogKind& kind);

// A refusal: the text with the information icon, then the focus back on the folder.
void RefuseFolder(HWND dialog, const char* text, const char* caption);
// A question (Yes/No, question icon); true for Yes.
bool AskAboutFolder(HWND dialog, const char* text, const char* caption, bool noPreselected);

// A question about a backup made at time: format has the year, month, day,
// hour and minute ("%u年%u月%u日 %u時%u分").
std::string SavedAtQuestion(const char* format, const BackupTime& time);
// A question about the folder: format has the drive's name and the folder ("%sの\n%s").
std::string FolderQuestion(const char* format, const char* driveName, const std::string& folder);

// The name shown for a drive type ("フロッピーディスク", "ハードディスク", ...).
const char* DriveTypeName(UINT type);

#endif
