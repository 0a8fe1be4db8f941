#include "backup/backup_folder.h"

#include <cstring>

#include "corelib/files.h"
#include "corelib/folders.h"
#include "corelib/registry.h"
#include "corelib/sjis.h"

namespace {

const char kBackupDirValue[] = "BackupDir";
constexpr int kRegistryTextSize = 255;

std::vector<std::string> DbfAndDatFiles(const std::string& folder) {
    std::vector<std::string> names = ListFolderFiles(folder, "DBF");
    for (std::string& name : ListFolderFiles(folder, "DAT")) names.push_back(std::move(name));
    return names;
}

}  // namespace

std::vector<std::string> DataFileNames(const std::string& folder) {
    std::vector<std::string> names;
    for (std::string& name : DbfAndDatFiles(folder))
        if (!SameTextIgnoringCase(name.c_str(), kBackupInfoName)) names.push_back(std::move(name));
    return names;
}

BackupFolderState ExamineBackupFolder(const std::string& folder, BackupInfo* info) {
    if (ReadBackupInfo(folder, info)) return BackupFolderState::kEarlierBackup;
    return DbfAndDatFiles(folder).empty() ? BackupFolderState::kEmpty : BackupFolderState::kOtherFiles;
}

bool EraseEarlierBackup(const std::string& folder) {
    for (const std::string& name : DataFileNames(folder)) FileDelete((folder + name).c_str());
    // The information file goes last, so that a folder still holding a file
    // of the earlier backup reads as that backup, never as someone else's.
    if (!DataFileNames(folder).empty()) return false;
    FileDelete((folder + kBackupInfoName).c_str());
    return DbfAndDatFiles(folder).empty();
}

char DriveLetterOf(const std::string& path) {
    if (path.size() < 2 || path[1] != ':') return 0;
    const char letter = static_cast<char>(FoldAsciiLetter(static_cast<unsigned char>(path[0])));
    return letter >= 'A' && letter <= 'Z' ? letter : 0;
}

bool StoredBackupFolder(std::string* folder) {
    char text[kRegistryTextSize + 1] = {};
    if (!GetRegistryValue(kBackupDirValue, text, kRegistryTextSize, kAreaSettings)) return false;
    *folder = text;
    return true;
}

void StoreBackupFolder(const std::string& folder) { SetRegistryValue(kBackupDirValue, folder.c_str(), kAreaSettings); }
