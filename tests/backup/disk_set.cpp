#include "disk_set.h"

#include <algorithm>
#include <cstring>

#include "backup/backup_run.h"
#include "corelib/files.h"
#include "corelib/folders.h"
#include "corelib/notice.h"

Bytes ReadBytes(const std::string& path) {
    Bytes bytes;
    FileHandle file = FileOpen2(path.c_str(), kFileRead);
    if (file == kInvalidFile) return bytes;
    std::int64_t size = FileSize(file);
    bytes.resize(static_cast<std::size_t>(size > 0 ? size : 0));
    if (size > 0 && FileRead(file, "", bytes.data(), static_cast<long>(size)) != size) bytes.clear();
    FileClose(file, "");
    return bytes;
}

bool WriteBytes(const std::string& path, const Bytes& bytes) {
    FileHandle file = FileOpen2(path.c_str(), kFileCreate);
    if (file == kInvalidFile) return false;
    bool ok = bytes.empty() || FileWrite(file, "", bytes.data(), static_cast<long>(bytes.size())) ==
                                   static_cast<long>(bytes.size());
    return FileClose(file, "") == 1 && ok;
}

Bytes PatternBytes(std::size_t size, unsigned seed) {
    Bytes bytes(size);
    unsigned state = seed * 2654435761u + 1;
    for (unsigned char& byte : bytes) {
        state = state * 1103515245u + 12345u;
        byte = static_cast<unsigned char>(state >> 16);
    }
    return bytes;
}

Files FilesOf(const std::string& folder) {
    Files files;
    for (const std::string& name : ListFolderFiles(folder, nullptr))
        files[name] = ReadBytes(WithPathSeparator(folder) + name);
    return files;
}

void PutFiles(const std::string& folder, const Files& files) {
    MakeFolderPath(folder);
    for (const auto& [name, bytes] : files) WriteBytes(WithPathSeparator(folder) + name, bytes);
}

BackupInfo InfoOnDisk(const Files& disk) {
    BackupInfo info = {};
    auto found = disk.find(kBackupInfoName);
    if (found != disk.end()) std::memcpy(&info, found->second.data(), std::min(found->second.size(), sizeof(info)));
    return info;
}

Bytes InfoBytes(const BackupInfo& info) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(&info);
    return Bytes(bytes, bytes + sizeof(info));
}

std::string DiskPlace(const Files& disk) {
    auto found = disk.find(kBackupInfoName);
    if (found == disk.end()) return "no information file";
    if (found->second.size() != sizeof(BackupInfo)) return std::to_string(found->second.size()) + " bytes of information";
    BackupInfo info = InfoOnDisk(disk);
    std::string place = "disk " + std::to_string(info.diskNumber) + " of " + std::to_string(info.fileCount) + " files, ";
    if (info.continues > 1) return place + "continuation flag " + std::to_string(info.continues);
    return place + (info.continues ? "continues" : "last");
}

DiskSet::DiskSet(std::string root, std::string backupFolder)
    : root_(std::move(root)), folder_(std::move(backupFolder)) {}

void DiskSet::Insert(int n) {
    outside_[inDrive_] = FilesOf(folder_);
    for (const auto& file : outside_[inDrive_]) FileDelete((folder_ + file.first).c_str());
    if (!SameFolder(folder_, root_)) RemoveFolder(folder_);
    inDrive_ = n;
    if (!outside_[n].empty()) PutFiles(folder_, outside_[n]);
    outside_.erase(n);
}

Files DiskSet::Disk(int n) { return n == inDrive_ ? FilesOf(folder_) : outside_[n]; }

ThePerson g_person;

std::vector<std::string> ThePerson::Texts() const {
    std::vector<std::string> texts;
    for (const AnsweredBox& box : boxes) texts.push_back(box.text);
    return texts;
}

int AnswerAsThePerson(void*, const char* text, const char* caption, unsigned type) {
    g_person.boxes.push_back({text, caption});
    if (std::strcmp(caption, kDiskChangeCaption) == 0) {
        if (g_person.atDiskRequest) g_person.atDiskRequest();
        if (g_person.diskActions.empty()) return kIdCancel;
        DiskAction action = g_person.diskActions.front();
        g_person.diskActions.pop_front();
        return action();
    }
    if (std::strcmp(caption, kStopCaption) == 0 && !g_person.stopAnswers.empty()) {
        int answer = g_person.stopAnswers.front();
        g_person.stopAnswers.pop_front();
        return answer;
    }
    return (type & 0xF) == kMbYesNo ? kIdYes : kIdOk;
}
