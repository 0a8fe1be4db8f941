#include "shell/help_file.h"

#include <cstdint>
#include <cstring>
#include <string>

#include "corelib/files.h"
#include "corelib/folders.h"
#include "corelib/win32/help.h"

namespace {

const char* const kHelpResource = "PELMOFREE_CHM";
const char* const kPagesResource = "PELMOFREE_PAGES";
const char kPagesMark[] = "PLHP";

bool LastWriteTime(const std::string& path, FILETIME* time) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return false;
    *time = data.ftLastWriteTime;
    return true;
}

// The program's copy is as old as the program file; it carries that time.
bool ProgramTime(HINSTANCE instance, FILETIME* time) {
    char path[MAX_PATH] = "";
    DWORD length = GetModuleFileNameA(instance, path, sizeof path);
    return length > 0 && length < sizeof path && LastWriteTime(path, time);
}

bool WriteWhole(const std::string& path, const void* data, DWORD size, const FILETIME& time) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    bool ok = WriteFile(file, data, size, &written, nullptr) && written == size && FlushFileBuffers(file) &&
              SetFileTime(file, nullptr, nullptr, &time);
    CloseHandle(file);
    if (!ok) DeleteFileA(path.c_str());
    return ok;
}

// Written beside its place, then put there: a broken run never leaves half a file.
bool ReplaceWhole(const std::string& path, const void* data, DWORD size, const FILETIME& time) {
    const std::string fresh = path + ".new";
    if (!WriteWhole(fresh, data, size, time)) return false;
    if (!MoveFileExA(fresh.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        DeleteFileA(fresh.c_str());
        return false;
    }
    return true;
}

struct Resource {
    const unsigned char* data = nullptr;
    DWORD size = 0;
};

Resource ProgramResource(HINSTANCE instance, const char* name) {
    HRSRC found = FindResourceA(instance, name, MAKEINTRESOURCEA(10));  // RT_RCDATA
    HGLOBAL loaded = found ? LoadResource(instance, found) : nullptr;
    Resource resource;
    resource.data = loaded ? static_cast<const unsigned char*>(LockResource(loaded)) : nullptr;
    resource.size = resource.data ? SizeofResource(instance, found) : 0;
    return resource;
}

std::uint32_t LittleEndian(const unsigned char* bytes, int count) {
    std::uint32_t value = 0;
    for (int i = count - 1; i >= 0; --i) value = value << 8 | bytes[i];
    return value;
}

// A name of the pack stays inside the pages' folder: relative, no "..".
bool SafeName(const std::string& name) {
    if (name.empty() || name[0] == '/' || name.find(':') != std::string::npos || name.find('\\') != std::string::npos)
        return false;
    return name.find("..") == std::string::npos;
}

// Writes every file of the pack; false at the first fault of the pack or of a write.
bool WritePages(const Resource& pack, const std::string& folder, const FILETIME& time) {
    const unsigned char* at = pack.data + sizeof kPagesMark - 1;
    const unsigned char* end = pack.data + pack.size;
    while (at < end) {
        if (end - at < 2) return false;
        const std::uint32_t nameLength = LittleEndian(at, 2);
        if (static_cast<std::uint32_t>(end - at - 2) < nameLength + 4) return false;
        std::string name(reinterpret_cast<const char*>(at + 2), nameLength);
        const std::uint32_t size = LittleEndian(at + 2 + nameLength, 4);
        at += 2 + nameLength + 4;
        if (static_cast<std::uint32_t>(end - at) < size || !SafeName(name)) return false;
        for (char& c : name) c = c == '/' ? '\\' : c;
        const std::string path = folder + name;
        MakeFolderPath(path.substr(0, path.rfind('\\') + 1));
        if (!ReplaceWhole(path, at, size, time)) return false;
        at += size;
    }
    return true;
}

}  // namespace

bool InstallHelpPages(HINSTANCE instance) {
    const std::string folder = DataFolder();
    const Resource pack = ProgramResource(instance, kPagesResource);
    FILETIME programTime;
    if (folder.empty() || pack.size < sizeof kPagesMark - 1 || std::memcmp(pack.data, kPagesMark, sizeof kPagesMark - 1) != 0 ||
        !ProgramTime(instance, &programTime))
        return false;
    const std::string pages = folder + kHelpPagesFolder;
    // The contents page is written last: while it is as new as the program, all are.
    const std::string contents = pages + kHelpWelcome + ".htm";
    FILETIME present;
    if (LastWriteTime(contents, &present) && CompareFileTime(&present, &programTime) >= 0) return true;
    FILETIME older = programTime;
    older.dwLowDateTime = older.dwLowDateTime ? older.dwLowDateTime - 1 : older.dwLowDateTime;
    if (!MakeFolderPath(pages) || !WritePages(pack, pages, older)) return false;
    const HANDLE file = CreateFileA(contents.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    const bool stamped = SetFileTime(file, nullptr, nullptr, &programTime) != 0;
    CloseHandle(file);
    return stamped;
}

bool InstallHelpFile(HINSTANCE instance) {
    const std::string folder = DataFolder();
    const Resource file = ProgramResource(instance, kHelpResource);
    FILETIME programTime;
    if (folder.empty() || file.size == 0 || !ProgramTime(instance, &programTime)) return false;

    const std::string path = folder + kHelpFileName;
    FILETIME present;
    if (LastWriteTime(path, &present) && CompareFileTime(&present, &programTime) >= 0) return true;
    return ReplaceWhole(path, file.data, file.size, programTime);
}
