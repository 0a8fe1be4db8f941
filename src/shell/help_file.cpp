#include "shell/help_file.h"

#include <string>

#include "corelib/files.h"
#include "corelib/win32/help.h"

namespace {

const char* const kHelpResource = "PELMOFREE_CHM";

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

}  // namespace

bool InstallHelpFile(HINSTANCE instance) {
    const std::string folder = DataFolder();
    HRSRC found = FindResourceA(instance, kHelpResource, MAKEINTRESOURCEA(10));  // RT_RCDATA
    HGLOBAL loaded = found ? LoadResource(instance, found) : nullptr;
    const void* data = loaded ? LockResource(loaded) : nullptr;
    const DWORD size = found ? SizeofResource(instance, found) : 0;
    FILETIME programTime;
    if (folder.empty() || !data || size == 0 || !ProgramTime(instance, &programTime)) return false;

    const std::string path = folder + kHelpFileName;
    FILETIME present;
    if (LastWriteTime(path, &present) && CompareFileTime(&present, &programTime) >= 0) return true;
    const std::string fresh = path + ".new";
    if (!WriteWhole(fresh, data, size, programTime)) return false;
    if (!MoveFileExA(fresh.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        DeleteFileA(fresh.c_str());
        return false;
    }
    return true;
}
