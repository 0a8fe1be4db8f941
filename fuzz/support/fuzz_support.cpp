#include "support/fuzz_support.h"

#include <dirent.h>
#include <ftw.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "corelib/environment.h"
#include "corelib/files.h"
#include "corelib/msgbox.h"

namespace {

std::string g_folder;
std::vector<std::string> g_messages;

int RecordMessage(void*, const char* text, const char*, unsigned type) {
    g_messages.push_back(text ? text : "");
    return (type & 0xF) == kMbYesNo ? kIdYes : kIdOk;
}

int RemoveEntry(const char* path, const struct stat*, int, struct FTW*) { return std::remove(path); }

void RemoveFolder() {
    if (!g_folder.empty()) nftw(g_folder.c_str(), RemoveEntry, 16, FTW_DEPTH | FTW_PHYS);
}

// A memory file system keeps the many small writes of a run off the disk.
std::string FolderBase() {
    const char* chosen = std::getenv("PELMO_FUZZ_DIR");
    if (chosen && *chosen) return chosen;
    struct stat info;
    if (stat("/dev/shm", &info) == 0 && S_ISDIR(info.st_mode) && access("/dev/shm", W_OK) == 0) return "/dev/shm";
    const char* temp = std::getenv("TMPDIR");
    return temp && *temp ? temp : "/tmp";
}

void MakeFolder() {
    std::string pattern = FolderBase() + "/pelmo-fuzz-XXXXXX";
    if (!mkdtemp(&pattern[0])) {
        std::perror("pelmo fuzz: data folder");
        std::abort();
    }
    g_folder = pattern + "/";
    SetDataFolderOverride(g_folder);
    SetMessageBoxFunction(RecordMessage);
    std::atexit(RemoveFolder);
}

}  // namespace

void ResetFuzzFolder(const char* keep) {
    g_messages.clear();
    if (g_folder.empty()) {
        MakeFolder();
        return;
    }
    for (const std::string& name : DataFiles())
        if (keep == nullptr || name != keep) unlink((g_folder + name).c_str());
}

void WriteDataFile(const char* name, const std::uint8_t* data, std::size_t size) {
    std::FILE* file = std::fopen((g_folder + name).c_str(), "wb");
    if (!file || (size && std::fwrite(data, 1, size, file) != size) || std::fclose(file) != 0)
        FuzzFailure("the fuzz folder cannot be written");
}

FuzzBytes ReadDataFile(const char* name) {
    FuzzBytes bytes;
    if (std::FILE* file = std::fopen((g_folder + name).c_str(), "rb")) {
        std::uint8_t buffer[4096];
        for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, file)) > 0;)
            bytes.insert(bytes.end(), buffer, buffer + got);
        std::fclose(file);
    }
    return bytes;
}

bool DataFileExists(const char* name) { return access((g_folder + name).c_str(), F_OK) == 0; }

std::vector<std::string> DataFiles() {
    std::vector<std::string> names;
    if (DIR* dir = opendir(g_folder.c_str())) {
        while (dirent* entry = readdir(dir))
            if (std::strcmp(entry->d_name, ".") != 0 && std::strcmp(entry->d_name, "..") != 0)
                names.push_back(entry->d_name);
        closedir(dir);
    }
    return names;
}

std::string LeftoverName(const char* name) { return AtomicTempPath(name); }

PlacedFile PlaceFile(const char* name, const std::uint8_t* input, std::size_t size) {
    PlacedFile placed = {0, input, size};
    if (size > 0) {
        placed.layout = input[0] <= 2 ? input[0] : 0;
        placed.data = input + 1;
        placed.size = size - 1;
    }
    if (placed.layout != 1) WriteDataFile(name, placed.data, placed.size);
    if (placed.layout != 0) WriteDataFile(LeftoverName(name).c_str(), placed.data, placed.size);
    return placed;
}

const std::vector<std::string>& ShownMessages() { return g_messages; }

void ForgetShownMessages() { g_messages.clear(); }

void FuzzFailure(const char* what) {
    std::fprintf(stderr, "\npelmo fuzz: broken promise: %s\n", what);
    std::abort();
}

void DefaultFuzzFlag(int* argc, char*** argv, const char* flag) {
    const char* equals = std::strchr(flag, '=');
    std::size_t nameLength = equals ? static_cast<std::size_t>(equals - flag) + 1 : std::strlen(flag);
    for (int i = 1; i < *argc; ++i)
        if (std::strncmp((*argv)[i], flag, nameLength) == 0) return;
    // libFuzzer reads the flags after LLVMFuzzerInitialize: a longer copy of argv serves.
    static std::vector<char*> longer;
    std::vector<char*> copy(*argv, *argv + *argc);
    copy.push_back(const_cast<char*>(flag));
    copy.push_back(nullptr);
    longer.swap(copy);
    *argv = longer.data();
    ++*argc;
}
