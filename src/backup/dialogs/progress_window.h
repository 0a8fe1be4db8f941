// The progress windows of the backup ("IDD_DATA_BACKUP2") and the restore
// ("IDD_DATA_RESTORE2"): modeless, a bar with one step per data file and the
// button "中断". The window's top-level window stays disabled while one is
// open, so that no other command starts.
#ifndef PELMO_BACKUP_DIALOGS_PROGRESS_WINDOW_H
#define PELMO_BACKUP_DIALOGS_PROGRESS_WINDOW_H

#include <windows.h>

#include "backup/run_window.h"

// Both progress windows' procedure: "中断" (any command) posts the quit
// message that the copy loops take as the request to stop.
INT_PTR CALLBACK ProgressDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

struct ProgressWindow {
    HWND owner = nullptr;    // the window that runs the backup or the restore
    HWND dialog = nullptr;
    HWND topLevel = nullptr;
    const char* stopQuestion = nullptr;  // asked when the person presses "中断"
};

// Opens the template owned by window with a bar of count steps and disables
// the top-level window.
void OpenProgressWindow(ProgressWindow* progress, HWND window, const char* templateName, int count,
                        const char* stopQuestion);
// Enables the top-level window again and destroys the progress window.
void CloseProgressWindow(ProgressWindow* progress);
// What the run asks, its steps and the stop requests, through this window.
RunWindow RunWindowOf(ProgressWindow* progress);

#endif
