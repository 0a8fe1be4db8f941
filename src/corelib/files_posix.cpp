// Files over POSIX descriptors: the native stand-in of files_win32.cpp.
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "corelib/files.h"
#include "corelib/files_platform.h"
#include "corelib/sjis.h"

namespace {

bool Exists(const std::string& path) {
    struct stat info;
    return lstat(path.c_str(), &info) == 0;
}

int OpenFlags(int mode) {
    switch (mode) {
    case kFileRead: return O_RDONLY;
    case kFileReadWrite: return O_RDWR;
    case kFileCreate: return O_RDWR | O_CREAT | O_TRUNC;
    default: return -1;
    }
}

int Descriptor(FileHandle handle) { return static_cast<int>(handle); }

bool IsUsable(FileHandle handle) { return handle >= 0 && handle != kFileExistsResult; }

int MakeFolder(const std::string& path) {
    return mkdir(path.c_str(), 0777) == 0 || errno == EEXIST ? 1 : 0;
}

}  // namespace

char PathSeparator() { return '/'; }

std::string ResolveExistingPath(const std::string& path) {
    if (path.empty() || Exists(path)) return path;
    std::string::size_type slash = path.rfind('/');
    std::string folder = slash == std::string::npos ? "." : path.substr(0, slash + 1);
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    DIR* listing = opendir(folder.c_str());
    if (listing == nullptr) return path;
    std::string found = path;
    while (dirent* entry = readdir(listing)) {
        if (SameTextIgnoringCase(entry->d_name, name.c_str())) {
            found = (slash == std::string::npos ? std::string() : folder) + entry->d_name;
            break;
        }
    }
    closedir(listing);
    return found;
}

FileHandle FileOpen2(const char* path, int mode) {
    if (path == nullptr || path[0] == '\0') return kInvalidFile;
    std::string real = ResolveExistingPath(path);
    if (mode == kFileTestExists) return PathIsFile(real) ? kFileExistsResult : kInvalidFile;
    int flags = OpenFlags(mode);
    if (flags < 0) return kInvalidFile;
    int fd = open(real.c_str(), flags | O_CLOEXEC, 0666);
    if (fd < 0) return kInvalidFile;
    struct stat info;
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        close(fd);
        return kInvalidFile;
    }
    return fd;
}

long FileRead(FileHandle handle, const char*, void* buffer, long count) {
    if (!IsUsable(handle) || count < 0) return -1;
    char* out = static_cast<char*>(buffer);
    long total = 0;
    while (total < count) {
        ssize_t got = read(Descriptor(handle), out + total, static_cast<size_t>(count - total));
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) return -1;
        if (got == 0) break;
        total += got;
    }
    return total;
}

bool FileReadExactly(FileHandle handle, const char*, void* buffer, std::size_t bytes) {
    if (!IsUsable(handle)) return false;
    char* out = static_cast<char*>(buffer);
    while (bytes > 0) {
        ssize_t got = read(Descriptor(handle), out, bytes);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) return false;
        out += got;
        bytes -= static_cast<std::size_t>(got);
    }
    return true;
}

long FileWrite(FileHandle handle, const char*, const void* buffer, long count) {
    if (!IsUsable(handle) || count < 0) return -1;
    const char* in = static_cast<const char*>(buffer);
    long total = 0;
    while (total < count) {
        ssize_t put = write(Descriptor(handle), in + total, static_cast<size_t>(count - total));
        if (put < 0 && errno == EINTR) continue;
        if (put <= 0) return -1;
        total += put;
    }
    return total;
}

long FileSeek(FileHandle handle, const char*, long offset) {
    if (!IsUsable(handle) || offset < 0) return -1;
    off_t at = lseek(Descriptor(handle), offset, SEEK_SET);
    return at < 0 ? -1 : static_cast<long>(at);
}

int FileClose(FileHandle handle, const char*) {
    if (handle == kFileExistsResult) return 1;
    if (!IsUsable(handle)) return 0;
    return close(Descriptor(handle)) == 0 ? 1 : 0;
}

std::int64_t FileSize(FileHandle handle) {
    struct stat info;
    if (!IsUsable(handle) || fstat(Descriptor(handle), &info) != 0) return -1;
    return static_cast<std::int64_t>(info.st_size);
}

bool StampFile(FileHandle handle, FileStamp* stamp) {
    struct stat info;
    if (!IsUsable(handle) || fstat(Descriptor(handle), &info) != 0) return false;
    stamp->volume = static_cast<std::uint64_t>(info.st_dev);
    stamp->index = static_cast<std::uint64_t>(info.st_ino);
    stamp->size = static_cast<std::int64_t>(info.st_size);
    stamp->written = static_cast<std::int64_t>(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec;
    return true;
}

int MakeDir(void*, const char* path) {
    if (path == nullptr || path[0] == '\0') return 0;
    return mkdir(path, 0777) == 0 ? 1 : 0;
}

int GetDiskFree(int drive, std::uint32_t out[2]) {
    if (drive < 0 || drive >= 26) return 0;
    struct statvfs info;
    std::string folder = DataFolder();
    if (statvfs(folder.empty() ? "." : folder.c_str(), &info) != 0) return 0;
    std::uint64_t free = static_cast<std::uint64_t>(info.f_bavail) * info.f_frsize;
    out[0] = static_cast<std::uint32_t>(free);
    out[1] = static_cast<std::uint32_t>(free >> 32);
    return 1;
}

// copy_file_range moves the bytes inside the kernel; a short count is no
// failure there, only -1 is (ENOSPC on a full disk).
int CopyInSystem(FileHandle source, FileHandle target) {
    if (!IsUsable(source) || !IsUsable(target)) return 0;
    for (bool first = true;; first = false) {
        ssize_t moved = copy_file_range(Descriptor(source), nullptr, Descriptor(target), nullptr, 1 << 30, 0);
        if (moved == 0) return 1;
        if (moved > 0) continue;
        if (errno == EINTR) continue;
        // Not between these two files (another file system, an old kernel): the caller copies.
        if (first && (errno == EXDEV || errno == ENOSYS || errno == EOPNOTSUPP || errno == EINVAL)) return -1;
        return 0;
    }
}

int FlushFile(FileHandle handle) { return IsUsable(handle) && fsync(Descriptor(handle)) == 0 ? 1 : 0; }

// One syncfs for each file system the files are on: the system writes them
// out together instead of waiting for the disk once per file.
int FlushPaths(const std::vector<std::string>& paths) {
    std::vector<dev_t> done;
    for (const std::string& path : paths) {
        struct stat info;
        if (stat(path.c_str(), &info) != 0) return 0;
        if (std::find(done.begin(), done.end(), info.st_dev) != done.end()) continue;
        int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0) return 0;
        int synced = syncfs(fd);
        close(fd);
        if (synced != 0) return 0;
        done.push_back(info.st_dev);
    }
    return 1;
}

int RenamePath(const std::string& from, const std::string& to) {
    return std::rename(from.c_str(), to.c_str()) == 0 ? 1 : 0;
}

// A rename reaches the disk only with its folder.
void FlushFolderOf(const std::string& path) {
    std::string::size_type slash = path.rfind('/');
    std::string folder = slash == std::string::npos ? "." : path.substr(0, slash + 1);
    int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        fsync(fd);
        close(fd);
    }
}

int ReplacePath(const std::string& from, const std::string& to) {
    if (!RenamePath(from, to)) return 0;
    FlushFolderOf(to);
    return 1;
}

// Only a start: the flush that follows waits for what is still on its way.
void StartWriteBack(FileHandle handle) {
    if (IsUsable(handle)) sync_file_range(Descriptor(handle), 0, 0, SYNC_FILE_RANGE_WRITE);
}

int PathIsFile(const std::string& path) {
    struct stat info;
    return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) ? 1 : 0;
}

int DeletePath(const std::string& path) { return unlink(path.c_str()) == 0 || errno == ENOENT ? 1 : 0; }

std::string DefaultDataFolder() {
    const char* xdg = std::getenv("XDG_DATA_HOME");
    const char* home = std::getenv("HOME");
    std::string base;
    if (xdg && *xdg)
        base = xdg;
    else if (home && *home)
        base = std::string(home) + "/.local/share";
    else
        return std::string();
    std::string folder = base + "/KoroWorks";
    if (!MakeFolder(base) || !MakeFolder(folder)) return std::string();
    folder += "/Pelmo free";
    if (!MakeFolder(folder)) return std::string();
    return folder + "/";
}
