#include "backup/backup_folder.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "corelib/files.h"
#include "corelib/folders.h"
#include "corelib/registry.h"
#include "corelib/sjis.h"
#include "diary/input_items.h"
#include "diary/user_file.h"
#include "diary/users_table.h"

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

bool IsBackupFileName(const std::string& name, const std::vector<std::string>& dataFiles) {
    const char* text = name.c_str();
    if (SameTextIgnoringCase(text, kBackupInfoName) || SameTextIgnoringCase(text, kUsersTable)) return true;
    if (std::any_of(dataFiles.begin(), dataFiles.end(),
                    [text](const std::string& data) { return SameTextIgnoringCase(text, data.c_str()); }))
        return true;
    // A user's files by the names the program gives them: "12.DAT", "ITEM12.DAT".
    const bool item = name.size() > 4 && SameTextIgnoringCase(name.substr(0, 4).c_str(), "ITEM");
    const std::size_t digits = item ? 4 : 0;
    const long number = std::strtol(name.c_str() + digits, nullptr, 10);
    if (digits >= name.size() || name[digits] < '0' || name[digits] > '9' || number > kMaxUserNumber) return false;
    char expected[kFileNameSize];
    (item ? InputItemFileName : DataFileName)(number, expected);
    return SameTextIgnoringCase(text, expected);
}

bool EraseEarlierBackup(const std::string& folder, const std::vector<std::string>& dataFiles) {
    std::vector<std::string> earlier;
    for (const std::string& name : DataFileNames(folder))
        if (IsBackupFileName(name, dataFiles)) earlier.push_back(name);
    bool erased = true;
    for (const std::string& name : earlier) erased = FileDelete((folder + name).c_str()) == 1 && erased;
    // The information file goes last, so that a folder still holding a file
    // of the earlier backup reads as that backup, never as someone else's.
    for (const std::string& name : earlier) erased = erased && !FileExists((folder + name).c_str());
    if (!erased) return false;
    FileDelete((folder + kBackupInfoName).c_str());
    return !FileExists((folder + kBackupInfoName).c_str());
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
