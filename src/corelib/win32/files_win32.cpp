// Files over Win32 handles.
#include <windows.h>
#include <shlobj.h>

#include <cstring>
#include <string>

#include "corelib/files.h"
#include "corelib/files_platform.h"

namespace {

HANDLE Win32Handle(FileHandle handle) { return reinterpret_cast<HANDLE>(handle); }

bool IsUsable(FileHandle handle) { return handle != kInvalidFile && handle != kFileExistsResult && handle != 0; }

int MakeFolder(const std::string& path) {
    return CreateDirectoryA(path.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS ? 1 : 0;
}

}  // namespace

char PathSeparator() { return '\\'; }

// The Windows file system ignores case already.
std::string ResolveExistingPath(const std::string& path) { return path; }

FileHandle FileOpen2(const char* path, int mode) {
    if (path == nullptr || path[0] == '\0') return kInvalidFile;
    if (mode == kFileTestExists) return PathIsFile(path) ? kFileExistsResult : kInvalidFile;
    DWORD access = 0, disposition = 0;
    // Readers let others replace the file (FILE_SHARE_DELETE): the crash-safe
    // save renames over a table that may still be open for reading.
    DWORD share = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
    switch (mode) {
    case kFileRead:
        access = GENERIC_READ;
        disposition = OPEN_EXISTING;
        break;
    case kFileReadWrite:
        access = GENERIC_READ | GENERIC_WRITE;
        disposition = OPEN_EXISTING;
        share = FILE_SHARE_READ;
        break;
    case kFileCreate:
        access = GENERIC_READ | GENERIC_WRITE;
        disposition = CREATE_ALWAYS;
        share = FILE_SHARE_READ;
        break;
    default:
        return kInvalidFile;
    }
    HANDLE file = CreateFileA(path, access, share, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return kInvalidFile;
    return reinterpret_cast<FileHandle>(file);
}

long FileRead(FileHandle handle, const char*, void* buffer, long count) {
    if (!IsUsable(handle) || count < 0) return -1;
    char* out = static_cast<char*>(buffer);
    long total = 0;
    while (total < count) {
        DWORD got = 0;
        if (!ReadFile(Win32Handle(handle), out + total, static_cast<DWORD>(count - total), &got, nullptr))
            return -1;
        if (got == 0) break;
        total += static_cast<long>(got);
    }
    return total;
}

namespace {

// Under Wine a ReadFile straight into memory not yet touched costs far more
// than into pages already in use (every fresh page is faulted in on the
// server's side): large reads go through one reused piece of memory.
constexpr DWORD kReadPiece = 1 << 20;

bool ReadPieces(HANDLE file, char* out, std::size_t bytes, char* piece, DWORD pieceBytes) {
    while (bytes > 0) {
        const DWORD want = bytes < pieceBytes ? static_cast<DWORD>(bytes) : pieceBytes;
        DWORD got = 0;
        if (!ReadFile(file, piece ? piece : out, want, &got, nullptr) || got == 0) return false;
        if (piece) std::memcpy(out, piece, got);
        out += got;
        bytes -= got;
    }
    return true;
}

}  // namespace

bool FileReadExactly(FileHandle handle, const char*, void* buffer, std::size_t bytes) {
    if (!IsUsable(handle)) return false;
    HANDLE file = Win32Handle(handle);
    char* out = static_cast<char*>(buffer);
    if (bytes > kReadPiece) {
        if (char* piece = static_cast<char*>(VirtualAlloc(nullptr, kReadPiece, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE))) {
            const bool read = ReadPieces(file, out, bytes, piece, kReadPiece);
            VirtualFree(piece, 0, MEM_RELEASE);
            return read;
        }
    }
    return ReadPieces(file, out, bytes, nullptr, 1u << 30);
}

long FileWrite(FileHandle handle, const char*, const void* buffer, long count) {
    if (!IsUsable(handle) || count < 0) return -1;
    if (count == 0) return 0;
    DWORD put = 0;
    // Under Wine a write onto a full disk reports success with a short count:
    // only the count tells, and a short write is a failure.
    if (!WriteFile(Win32Handle(handle), buffer, static_cast<DWORD>(count), &put, nullptr)) return -1;
    return put == static_cast<DWORD>(count) ? count : -1;
}

long FileSeek(FileHandle handle, const char*, long offset) {
    if (!IsUsable(handle) || offset < 0) return -1;
    LARGE_INTEGER to, at;
    to.QuadPart = offset;
    if (!SetFilePointerEx(Win32Handle(handle), to, &at, FILE_BEGIN)) return -1;
    return static_cast<long>(at.QuadPart);
}

int FileClose(FileHandle handle, const char*) {
    if (handle == kFileExistsResult) return 1;
    if (!IsUsable(handle)) return 0;
    return CloseHandle(Win32Handle(handle)) ? 1 : 0;
}

std::int64_t FileSize(FileHandle handle) {
    LARGE_INTEGER size;
    if (!IsUsable(handle) || !GetFileSizeEx(Win32Handle(handle), &size)) return -1;
    return size.QuadPart;
}

bool StampFile(FileHandle handle, FileStamp* stamp) {
    BY_HANDLE_FILE_INFORMATION info;
    if (!IsUsable(handle) || !GetFileInformationByHandle(Win32Handle(handle), &info)) return false;
    stamp->volume = info.dwVolumeSerialNumber;
    stamp->index = (std::uint64_t{info.nFileIndexHigh} << 32) | info.nFileIndexLow;
    stamp->size = static_cast<std::int64_t>((std::uint64_t{info.nFileSizeHigh} << 32) | info.nFileSizeLow);
    stamp->written = static_cast<std::int64_t>((std::uint64_t{info.ftLastWriteTime.dwHighDateTime} << 32) |
                                               info.ftLastWriteTime.dwLowDateTime);
    return true;
}

int MakeDir(void*, const char* path) {
    if (path == nullptr || path[0] == '\0') return 0;
    return CreateDirectoryA(path, nullptr) ? 1 : 0;
}

int GetDiskFree(int drive, std::uint32_t out[2]) {
    if (drive < 0 || drive >= 26) return 0;
    char root[] = "A:\\";
    root[0] = static_cast<char>('A' + drive);
    ULARGE_INTEGER available, total, free;
    if (!GetDiskFreeSpaceExA(root, &available, &total, &free)) return 0;
    out[0] = available.LowPart;
    out[1] = available.HighPart;
    return 1;
}

// Windows copies whole files by name only: between two open files the
// program copies itself.
int CopyInSystem(FileHandle, FileHandle) { return -1; }

int FlushFile(FileHandle handle) { return IsUsable(handle) && FlushFileBuffers(Win32Handle(handle)) ? 1 : 0; }

int FlushPaths(const std::vector<std::string>& paths) {
    for (const std::string& path : paths) {
        FileHandle file = FileOpen2(path.c_str(), kFileReadWrite);
        bool flushed = file != kInvalidFile && FlushFile(file) == 1;
        FileClose(file, "");
        if (!flushed) return 0;
    }
    return 1;
}

// One rename, never ReplaceFile: under Wine ReplaceFile deletes the old file
// before it renames, and a crash between the two would lose both.
int RenamePath(const std::string& from, const std::string& to) {
    return MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) ? 1 : 0;
}

// MOVEFILE_WRITE_THROUGH has put each rename on the disk already.
void FlushFolderOf(const std::string&) {}

int ReplacePath(const std::string& from, const std::string& to) { return RenamePath(from, to); }

// Windows has no call that only starts the writing: FlushFileBuffers does it all later.
void StartWriteBack(FileHandle) {}

int PathIsFile(const std::string& path) {
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY) ? 1 : 0;
}

int DeletePath(const std::string& path) {
    return DeleteFileA(path.c_str()) || GetLastError() == ERROR_FILE_NOT_FOUND ? 1 : 0;
}

std::string DefaultDataFolder() {
    char appData[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathA(nullptr, CSIDL_APPDATA | CSIDL_FLAG_CREATE, nullptr, SHGFP_TYPE_CURRENT, appData)))
        return std::string();
    std::string folder = std::string(appData) + "\\KoroWorks";
    if (!MakeFolder(folder)) return std::string();
    folder += "\\Pelmo free";
    if (!MakeFolder(folder)) return std::string();
    return folder + "\\";
}
