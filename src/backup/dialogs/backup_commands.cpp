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

}  // namespace

int RunBackup(HWND window) {
    BackupRun run;
    run.dataFolder = DataFolder();
    run.backupFolder = BackupFolder();
    run.owner = window;
    if (!BeginBackup(&run)) return 0;
    ProgressWindow progress;
    OpenProgressWindow(&progress, window, "IDD_DATA_BACKUP2", static_cast<int>(run.files.size()), kBackupStopQuestion);
    int done = CopyBackupFiles(&run, ProgressOf(&progress));
    CloseProgressWindow(&progress);
    if (done) PelmoMessageBox(window, kBackupDoneText, kBackupCaption, kMbOk | kMbIconInformation);
    return done;
}

int RunRestore(HWND window) {
    RestoreRun run;
    run.dataFolder = DataFolder();
    run.backupFolder = BackupFolder();
    run.owner = window;
    if (!BeginRestore(&run)) return 0;
    ProgressWindow progress;
    OpenProgressWindow(&progress, window, "IDD_DATA_RESTORE2", run.firstDisk.fileCount, kRestoreStopQuestion);
    RestoreResult result = RestoreFiles(&run, ProgressOf(&progress));
    CloseProgressWindow(&progress);
    if (result == RestoreResult::kStopped) return 0;
    unsigned icon = result == RestoreResult::kDone ? kMbIconInformation : kMbIconExclamation;
    PelmoMessageBox(window, RestoreEndText(run).c_str(), kRestoreCaption, kMbOk | icon);
    return 1;
}
