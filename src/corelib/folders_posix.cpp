// Folders over POSIX calls: the native stand-in of win32/folders_win32.cpp.
#include <dirent.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "corelib/folders.h"
#include "corelib/folders_platform.h"

std::vector<std::string> ListPlainFiles(const std::string& folder) {
    std::vector<std::string> names;
    std::string base = WithPathSeparator(folder);
    DIR* listing = opendir(base.c_str());
    if (listing == nullptr) return names;
    while (dirent* entry = readdir(listing)) {
        struct stat info;
        if (stat((base + entry->d_name).c_str(), &info) == 0 && S_ISREG(info.st_mode)) names.push_back(entry->d_name);
    }
    closedir(listing);
    return names;
}

bool FolderExists(const std::string& path) {
    struct stat info;
    return !path.empty() && stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool RemoveFolder(const std::string& path) { return rmdir(path.c_str()) == 0 || !FolderExists(path); }

std::int64_t FolderFreeBytes(const std::string& path) {
    struct statvfs info;
    if (statvfs(path.c_str(), &info) != 0) return -1;
    return static_cast<std::int64_t>(info.f_bavail) * static_cast<std::int64_t>(info.f_frsize);
}

// Resolved by the text alone, as GetFullPathName does: links are not followed.
std::string FullPathOf(const std::string& path) {
    std::string whole = path;
    if (whole.empty() || whole[0] != '/') {
        char here[4096];
        if (getcwd(here, sizeof(here)) == nullptr) return path;
        whole = std::string(here) + "/" + whole;
    }
    std::vector<std::string> parts;
    std::string::size_type start = 0;
    while (start <= whole.size()) {
        std::string::size_type end = whole.find('/', start);
        if (end == std::string::npos) end = whole.size();
        std::string part = whole.substr(start, end - start);
        if (part == "..") {
            if (!parts.empty()) parts.pop_back();
        } else if (!part.empty() && part != ".") {
            parts.push_back(part);
        }
        start = end + 1;
    }
    std::string full;
    for (const std::string& part : parts) full += "/" + part;
    if (full.empty() || EndsWithPathSeparator(path)) full += "/";
    return full;
}

bool SameFileSystemObject(const std::string& a, const std::string& b) {
    struct stat first, second;
    return stat(a.c_str(), &first) == 0 && stat(b.c_str(), &second) == 0 && first.st_dev == second.st_dev &&
           first.st_ino == second.st_ino;
}
