// The files a backup copies and the folders it writes to: the data files of
// the data folder, and what a backup folder (or a disk) holds before a run.
#ifndef PELMO_BACKUP_BACKUP_FOLDER_H
#define PELMO_BACKUP_BACKUP_FOLDER_H

#include <string>
#include <vector>

#include "backup/backup_info.h"

// The data files of folder: every "*.DBF", then every "*.DAT", each in the
// order the file system lists them. A backup information file is none.
std::vector<std::string> DataFileNames(const std::string& folder);

enum class BackupFolderState {
    kEmpty,           // no "*.DBF" or "*.DAT" file (or no folder at all)
    kEarlierBackup,   // a backup of this program: its information file is there
    kOtherFiles,      // "*.DBF" or "*.DAT" files that no backup of ours wrote
};
// What folder (with its final separator) holds; info receives the
// information file of an earlier backup.
BackupFolderState ExamineBackupFolder(const std::string& folder, BackupInfo* info);

// True for a name that a backup of this program writes, ASCII case aside: the
// information file, the users table, a user's "%ld.DAT" and "ITEM%ld.DAT", or
// one of dataFiles, the names the data folder holds (what a backup copies).
// A restore takes only these, and a backup erases only these.
bool IsBackupFileName(const std::string& name, const std::vector<std::string>& dataFiles);

// Deletes the files of an earlier backup (IsBackupFileName), its information
// file last, and keeps every other file. False when one could not be deleted
// (read-only, in use): a file left there would be restored as part of the
// next backup written beside it.
bool EraseEarlierBackup(const std::string& folder, const std::vector<std::string>& dataFiles);

// "BackupDir", the folder the backup and the restore dialogs last used, and
// whether it is stored at all.
bool StoredBackupFolder(std::string* folder);
void StoreBackupFolder(const std::string& folder);

// The drive letter a path begins with ("a:\\x" gives 'A'), 0 when it begins with none.
char DriveLetterOf(const std::string& path);

#endif
