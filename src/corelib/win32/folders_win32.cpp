// Folders over Win32 calls.
#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "corelib/folders.h"
#include "corelib/folders_platform.h"

namespace {

// FILE_ID_INFO of Windows 8 and later, declared here because the program
// builds for Windows 7 (where the call fails and the older identity serves).
constexpr int kFileIdInfoClass = 18;
struct FileIdInfo128 {
    ULONGLONG volumeSerialNumber;
    BYTE fileId[16];
};

struct FolderIdentity {
    bool known = false;
    FileIdInfo128 id = {};
};

FolderIdentity IdentityOf(const std::string& path) {
    FolderIdentity identity;
    // FILE_FLAG_BACKUP_SEMANTICS opens a folder as well as a file.
    HANDLE handle = CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return identity;
    if (GetFileInformationByHandleEx(handle, static_cast<FILE_INFO_BY_HANDLE_CLASS>(kFileIdInfoClass), &identity.id,
                                     sizeof(identity.id))) {
        identity.known = true;
    } else {
        BY_HANDLE_FILE_INFORMATION info;
        if (GetFileInformationByHandle(handle, &info)) {
            identity.id.volumeSerialNumber = info.dwVolumeSerialNumber;
            std::memcpy(identity.id.fileId, &info.nFileIndexLow, sizeof(DWORD));
            std::memcpy(identity.id.fileId + sizeof(DWORD), &info.nFileIndexHigh, sizeof(DWORD));
            identity.known = true;
        }
    }
    CloseHandle(handle);
    return identity;
}

}  // namespace

std::vector<std::string> ListPlainFiles(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA((WithPathSeparator(folder) + "*").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(entry.cFileName);
    } while (FindNextFileA(search, &entry));
    FindClose(search);
    return names;
}

bool FolderExists(const std::string& path) {
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool RemoveFolder(const std::string& path) { return RemoveDirectoryA(path.c_str()) || !FolderExists(path); }

std::int64_t FolderFreeBytes(const std::string& path) {
    ULARGE_INTEGER available, total, free;
    if (!GetDiskFreeSpaceExA(WithPathSeparator(path).c_str(), &available, &total, &free)) return -1;
    return static_cast<std::int64_t>(available.QuadPart);
}

std::string FullPathOf(const std::string& path) {
    char full[MAX_PATH * 2];
    DWORD length = GetFullPathNameA(path.c_str(), sizeof(full), full, nullptr);
    return length == 0 || length >= sizeof(full) ? path : std::string(full, length);
}

bool SameFileSystemObject(const std::string& a, const std::string& b) {
    FolderIdentity first = IdentityOf(a), second = IdentityOf(b);
    return first.known && second.known && std::memcmp(&first.id, &second.id, sizeof(first.id)) == 0;
}
