// A backup run: every data file of the data folder copied into the backup
// folder, a file that does not fit continued on the next disk after the
// person changed disks, and "PLBKINFO.DAT" on every disk.
//
// Nothing is erased but an earlier backup of this program, and the run ends
// as done only when every file was written whole: a full disk, a write
// that stored fewer bytes than asked or an information file that could not
// be written is told and stops the run.
#ifndef PELMO_BACKUP_BACKUP_RUN_H
#define PELMO_BACKUP_BACKUP_RUN_H

#include <cstdint>
#include <string>
#include <vector>

#include "backup/backup_info.h"
#include "backup/run_window.h"
#include "corelib/notice.h"

struct BackupRun {
    std::string dataFolder;    // with its final separator
    std::string backupFolder;  // with its final separator
    BackupTime startTime = {};
    std::vector<std::string> files;  // the data files, in the order they are copied
    uint16_t diskNumber = 1;   // the disk in the drive
    // A removable disk that is full is changed for the next one; any other
    // disk that runs out of space ends the run, which leaves no part of a set.
    bool removableDisk = true;
    Notice failure;            // why the run stopped, when something failed
};

// Before the progress window: the start time, the data files, the earlier
// backup of the backup folder erased and the first information file written.
// A folder with "*.DBF" or "*.DAT" files of someone else is refused, and so
// is a folder on a disk that is not removable and has too little space for
// the whole backup (the earlier one counted as space). 0 when nothing was
// written; run->failure says why.
int BeginBackup(BackupRun* run);

// Copies every file in turn, asking for disks through window. 1 when every
// file was written whole; 0 when the person stopped the run, or when a
// failure stopped it (run->failure, to be told while the progress window is
// still up). On removable disks the files written so far stay; on any other
// disk the set is removed, so that the folder holds no backup that cannot be
// restored.
int CopyBackupFiles(BackupRun* run, const RunWindow& window);

// Free bytes where folder lies; tests replace it to fill a disk behind the
// program's back. Null restores the real one. Returns the one in place.
using FreeSpaceFunction = std::int64_t (*)(const std::string& folder);
FreeSpaceFunction SetFreeSpaceFunction(FreeSpaceFunction function);

// The texts of a backup run (exact, for the program's users and its tests).
extern const char kBackupCaption[];            // "データの保存"
extern const char kBackupFolderCaption[];      // "保存先について"
extern const char kBackupDoneText[];
extern const char kBackupStopQuestion[];
extern const char kBackupCannotWriteText[];    // the folder or disk cannot be written
extern const char kBackupOpenFailedFormat[];   // %s: the data file
extern const char kBackupShortWriteFormat[];   // %s: the data file
extern const char kBackupOtherFilesText[];     // the chosen folder holds files of someone else
extern const char kDiskChangeCaption[];        // "フロッピーの交換"
extern const char kBackupDiskChangeFormat[];   // %s: drive letter, %d: disk number
extern const char kBackupSameRunDiskText[];
extern const char kBackupOtherFilesDiskText[]; // the inserted disk holds files of someone else
extern const char kBackupNoSpaceFormat[];      // %s: the folder, the space needed, the space short, what was done
extern const char kStopCaption[];              // "中断"

#endif
