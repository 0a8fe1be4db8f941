// The backup and the restore run with their progress windows.
#include "backup/backup_folder.h"
#include "backup/backup_run.h"
#include "backup/dialogs/backup_dialogs.h"
#include "backup/dialogs/progress_window.h"
#include "backup/restore_run.h"
#include "corelib/files.h"
#include "corelib/folders.h"
#include "corelib/msgbox.h"

namespace {

std::string BackupFolder() {
    std::string folder;
    StoredBackupFolder(&folder);
    return WithPathSeparator(folder);
}

// Only a removable disk is changed when it is full; a path without a drive
// letter (a network share) is not one.
bool OnRemovableDisk(const std::string& folder) {
    const char letter = DriveLetterOf(folder);
    const char root[] = {letter, ':', '\\', '\0'};
    return letter != 0 && GetDriveTypeA(root) == DRIVE_REMOVABLE;
}

}  // namespace

int RunBackup(HWND window) {
    BackupRun run;
    run.dataFolder = DataFolder();
    run.backupFolder = BackupFolder();
    run.removableDisk = OnRemovableDisk(run.backupFolder);
    if (!BeginBackup(&run)) {
        ShowNotice(window, run.failure);
        return 0;
    }
    ProgressWindow progress;
    OpenProgressWindow(&progress, window, "IDD_DATA_BACKUP2", static_cast<int>(run.files.size()), kBackupStopQuestion);
    RunWindow runWindow = RunWindowOf(&progress);
    int done = CopyBackupFiles(&run, runWindow);
    runWindow.Show(run.failure);  // a failure is told before the progress window goes
    CloseProgressWindow(&progress);
    if (done) ShowNotice(window, Notice{kBackupDoneText, kBackupCaption, kMbOk | kMbIconInformation});
    return done;
}

int RunRestore(HWND window, void (*replaced)()) {
    RestoreRun run;
    run.dataFolder = DataFolder();
    run.backupFolder = BackupFolder();
    if (!BeginRestore(&run)) {
        ShowNotice(window, run.failure);
        return 0;
    }
    ProgressWindow progress;
    OpenProgressWindow(&progress, window, "IDD_DATA_RESTORE2", run.firstDisk.fileCount, kRestoreStopQuestion);
    RestoreResult result = RestoreFiles(&run, RunWindowOf(&progress));
    CloseProgressWindow(&progress);
    if (result == RestoreResult::kStopped) return 0;
    if (replaced) replaced();
    ShowNotice(window, RestoreEndNotice(run));
    return 1;
}
