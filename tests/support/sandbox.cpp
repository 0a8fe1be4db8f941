#include "support/sandbox.h"

#include <cstdio>
#include <cstdlib>
#include <string>

#include "corelib/environment.h"

#ifdef _WIN32
#include <windows.h>

namespace {

void RemoveTree(const std::string& folder) {
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA((folder + "*").c_str(), &entry);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            std::string name = entry.cFileName;
            if (name == "." || name == "..") continue;
            std::string path = folder + name;
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(path + "\\");
            else
                DeleteFileA(path.c_str());
        } while (FindNextFileA(search, &entry));
        FindClose(search);
    }
    RemoveDirectoryA(folder.c_str());
}

}  // namespace

Sandbox::Sandbox() {
    static int counter = 0;
    char temp[MAX_PATH];
    GetTempPathA(sizeof(temp), temp);
    char unique[64];
    std::snprintf(unique, sizeof(unique), "pelmo-test-%lu-%d", GetCurrentProcessId(), ++counter);
    folder_ = std::string(temp) + unique + "\\";
    CreateDirectoryA(folder_.c_str(), nullptr);
    registryKey_ = std::string("Software\\KoroWorks\\Pelmo free tests\\") + unique;
    SetRegistryRootKey(registryKey_);
    SetDataFolderOverride(folder_);
    // Child processes started by a test (the program itself) see the same place.
    SetEnvironmentVariableA("PELMO_REGISTRY_KEY", registryKey_.c_str());
    SetEnvironmentVariableA("PELMO_DATA_DIR", folder_.c_str());
}

Sandbox::~Sandbox() {
    RegDeleteTreeA(HKEY_CURRENT_USER, registryKey_.c_str());
    RemoveTree(folder_);
    SetRegistryRootKey("");
    SetDataFolderOverride("");
    SetEnvironmentVariableA("PELMO_REGISTRY_KEY", nullptr);
    SetEnvironmentVariableA("PELMO_DATA_DIR", nullptr);
}

#else
#include <ftw.h>
#include <unistd.h>

namespace {

int RemoveEntry(const char* path, const struct stat*, int, struct FTW*) { return std::remove(path); }

}  // namespace

Sandbox::Sandbox() {
    const char* base = std::getenv("TMPDIR");
    std::string pattern = std::string(base && *base ? base : "/tmp") + "/pelmo-test-XXXXXX";
    std::string buffer = pattern;
    if (!mkdtemp(&buffer[0])) std::abort();
    folder_ = buffer + "/";
    registryKey_ = std::string("Software\\KoroWorks\\Pelmo free tests\\") + buffer.substr(buffer.rfind('/') + 1);
    SetRegistryRootKey(registryKey_);
    SetDataFolderOverride(folder_);
}

Sandbox::~Sandbox() {
    nftw(folder_.c_str(), RemoveEntry, 16, FTW_DEPTH | FTW_PHYS);
    SetRegistryRootKey("");
    SetDataFolderOverride("");
}
#endif
