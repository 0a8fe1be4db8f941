// A restore run: the backup set read disk by disk into the staging folder
// "Restore.Temp" of the data folder, the pieces of split files joined, and
// only after the last disk the staged files put in place of the data files,
// each in one step (a data file is afterwards the old one or the restored
// one, never a mix). Stopped before that, the data folder is as it was.
//
// A file that cannot be read, joined or put in place is not passed over in
// silence: the run goes on with the others and names it at the end, and
// what was staged but not put in place stays in "Restore.Temp".
#ifndef PELMO_BACKUP_RESTORE_RUN_H
#define PELMO_BACKUP_RESTORE_RUN_H

#include <cstdint>
#include <string>
#include <vector>

#include "backup/backup_info.h"
#include "backup/run_window.h"
#include "corelib/notice.h"

struct RestoreRun {
    std::string dataFolder;    // with its final separator
    std::string backupFolder;  // with its final separator
    BackupInfo firstDisk = {}; // the information file of disk 1
    uint16_t diskNumber = 1;   // the disk in the drive
    unsigned filesFound = 0;   // files of the set met so far, a split file once
    std::vector<std::string> notRestored;  // in the order they failed
    bool stagingKept = false;  // the staging folder holds what could not be put in place
    bool journalKept = false;  // and the next start tries again (some files were replaced)
    Notice failure;            // why the run could not begin
};

enum class RestoreResult {
    kDone,     // every file of the backup replaced its data file
    kPartly,   // the others were, notRestored were not (told by RestoreEndNotice)
    kStopped,  // the person stopped it or it could not begin: the data folder is as it was
};

// The staging folder of a data folder: "<data folder>Restore.Temp".
std::string StagingFolder(const std::string& dataFolder);
// Deletes every file of the staging folder and the folder.
void DiscardStagingFolder(const std::string& dataFolder);
// Names for a notice, one an indented line, the first 20 and how many more.
std::string NameList(const std::vector<std::string>& names);

// What a folder chosen to restore from holds: only the first disk of a
// backup, its information file sound, is one to begin with (info receives it).
enum class RestoreSource { kNoBackup, kDamaged, kLaterDisk, kFirstDisk };
RestoreSource ExamineRestoreSource(const std::string& folder, BackupInfo* info);
// Why a source other than kFirstDisk is refused.
std::string RestoreSourceRefusal(RestoreSource source, const BackupInfo& info);

// Before the progress window: the information file of disk 1 and an empty
// staging folder. 0 when the restore cannot begin; run->failure says why.
int BeginRestore(RestoreRun* run);

// Stages every disk of the set, asking for each next disk through window,
// then replaces the data files and removes the staging folder.
RestoreResult RestoreFiles(RestoreRun* run, const RunWindow& window);

// What to tell at the end of a run that ended kDone or kPartly.
Notice RestoreEndNotice(const RestoreRun& run);

// The texts of a restore run (exact, for the program's users and its tests).
extern const char kRestoreCaption[];           // "データの復帰"
extern const char kRestoreSourceCaption[];     // "復帰元について"
extern const char kRestoreDoneText[];
extern const char kRestoreStopQuestion[];      // the "中断" button
extern const char kRestoreDiskStopQuestion[];  // Cancel at a disk request
extern const char kRestoreDiskChangeFormat[];  // %c: drive letter, %d: disk number
extern const char kRestoreWrongDiskFormat[];   // %c: drive letter, %d: disk number
extern const char kRestoreNoBackupText[];
extern const char kRestoreDamagedInfoText[];   // the information file cannot be trusted
extern const char kRestoreNotFirstDiskFormat[];  // %d: the disk number
extern const char kRestoreNoStagingText[];
extern const char kRestoreIncompleteFormat[];  // %u: files counted at the backup, %u: files found

#endif
