// Backup and restore as the menu starts them: the dialog that chooses the
// folder, then the run with its progress window.
#ifndef PELMO_BACKUP_DIALOGS_BACKUP_DIALOGS_H
#define PELMO_BACKUP_DIALOGS_BACKUP_DIALOGS_H

#include <windows.h>

// "IDD_DATA_BACKUP" / "IDD_DATA_RESTORE" owned by window: 1 when the person
// confirmed a folder (then stored in "BackupDir"), 0 when cancelled.
INT_PTR BackupDialog(HWND window);
INT_PTR RestoreDialog(HWND window);

// The runs into and from "BackupDir", their messages owned by window.
// RunBackup: 1 when every data file was saved whole. RunRestore: 1 when data
// files were replaced (all of them, or all but those it named), 0 when the
// data folder is as it was. replaced is called once data files were replaced,
// before the end is told: while that box is up, the end of the Windows
// session writes what is unsaved.
int RunBackup(HWND window);
int RunRestore(HWND window, void (*replaced)() = nullptr);

#endif
