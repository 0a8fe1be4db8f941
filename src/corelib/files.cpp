#include "corelib/files.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "corelib/environment.h"
#include "corelib/files_platform.h"
#include "corelib/folders.h"
#include "corelib/registry.h"
#include "corelib/sjis.h"

namespace {

const char kSystemDirValue[] = "SystemDir";
const char kTempSuffix[] = ".new";
constexpr std::size_t kCopyBlock = 1 << 20;
constexpr int kRegistryTextSize = 255;

AtomicFailure g_failure = AtomicFailure::kNone;

// Consumes the injected failure if it is `step`.
bool FailsAt(AtomicFailure step) {
    if (g_failure != step) return false;
    g_failure = AtomicFailure::kNone;
    return true;
}

void CloseQuietly(AtomicFile* file) {
    if (file->handle != kInvalidFile) FileClose(file->handle, "");
    file->handle = kInvalidFile;
}

}  // namespace

std::string DataFolder() {
    std::string folder = DataFolderOverride();
    if (!folder.empty()) return folder;
    char stored[kRegistryTextSize + 1] = {};
    if (GetRegistryValue(kSystemDirValue, stored, kRegistryTextSize, kAreaInstall) && stored[0] != '\0')
        return WithPathSeparator(stored);
    folder = DefaultDataFolder();
    if (folder.empty()) return folder;
    SetRegistryValue(kSystemDirValue, folder.c_str(), kAreaInstall);
    return folder;
}

bool IsBareName(const char* name) {
    for (const char* p = name; *p != '\0'; ++p) {
        if (IsSjisLeadByte(static_cast<unsigned char>(*p)) && p[1] != '\0') {
            ++p;
            continue;
        }
        if (*p == '\\' || *p == '/' || *p == ':') return false;
    }
    return true;
}

std::string DataPath(const char* name) {
    if (!IsBareName(name)) return name;
    // Without a data folder a bare name names nothing: never the current folder.
    std::string folder = DataFolder();
    return folder.empty() ? std::string() : folder + name;
}

FileHandle FileOpen(const char* name, int mode) {
    if (name == nullptr || name[0] == '\0') return kInvalidFile;
    return FileOpen2(DataPath(name).c_str(), mode);
}

int FileCopy(FileHandle source, FileHandle target) {
    int copied = CopyInSystem(source, target);
    if (copied >= 0) return copied;
    std::vector<char> buffer(kCopyBlock);
    for (;;) {
        long got = FileRead(source, "", buffer.data(), static_cast<long>(buffer.size()));
        if (got < 0) return 0;
        if (got == 0) return 1;
        if (FileWrite(target, "", buffer.data(), got) != got) return 0;
    }
}

int FileDelete(const char* name) {
    std::string path = ResolveExistingPath(DataPath(name));
    if (PathIsFile(path) && FailsAt(AtomicFailure::kDelete)) return 0;
    return DeletePath(path);
}

int FileExists(const char* name) { return PathIsFile(ResolveExistingPath(DataPath(name))); }

std::vector<std::string> DataFolderFiles() {
    std::string folder = DataFolder();
    return folder.empty() ? std::vector<std::string>() : ListFolderFiles(folder, nullptr);
}

std::string AtomicTempPath(const std::string& path) { return path + kTempSuffix; }

void SetAtomicFailure(AtomicFailure step) { g_failure = step; }

int AtomicFileBegin(AtomicFile* file, const char* name) {
    file->target = ResolveExistingPath(DataPath(name));
    file->temp = AtomicTempPath(file->target);
    file->failed = false;
    file->crashed = false;
    file->handle = kInvalidFile;
    DeletePath(file->temp);  // a leftover of an earlier failure is never reused
    if (FailsAt(AtomicFailure::kCreate)) return 0;
    file->handle = FileOpen2(file->temp.c_str(), kFileCreate);
    if (file->handle == kInvalidFile) {
        file->failed = true;
        return 0;
    }
    return 1;
}

int AtomicFileWrite(AtomicFile* file, const void* data, std::size_t size) {
    if (file->failed || file->crashed || file->handle == kInvalidFile) return 0;
    const char* bytes = static_cast<const char*>(data);
    bool shortWrite = FailsAt(AtomicFailure::kWrite);
    bool crash = !shortWrite && FailsAt(AtomicFailure::kCrashMidWrite);
    if (shortWrite || crash) {
        // Store part of the bytes, as a full disk or a dying process would.
        FileWrite(file->handle, "", bytes, static_cast<long>(size / 2));
        if (crash) {
            CloseQuietly(file);
            file->crashed = true;
        }
        file->failed = true;
        return 0;
    }
    // One FileWrite takes at most a long's worth; write big blocks in pieces.
    constexpr std::size_t kChunk = 1u << 30;
    while (size > 0) {
        long piece = static_cast<long>(std::min(size, kChunk));
        if (FileWrite(file->handle, "", bytes, piece) != piece) {
            file->failed = true;
            return 0;
        }
        bytes += piece;
        size -= static_cast<std::size_t>(piece);
    }
    return 1;
}

void AtomicFileAbandon(AtomicFile* file) {
    CloseQuietly(file);
    if (!file->crashed && !file->temp.empty()) DeletePath(file->temp);
    file->temp.clear();
}

int AtomicFileCommit(AtomicFile* file) {
    if (file->crashed) return 0;
    bool ok = !file->failed && file->handle != kInvalidFile;
    ok = ok && (!file->flush || (!FailsAt(AtomicFailure::kFlush) && FlushFile(file->handle)));
    if (ok) {
        bool closeFails = FailsAt(AtomicFailure::kClose);
        ok = FileClose(file->handle, "") && !closeFails;
        file->handle = kInvalidFile;
    }
    if (ok && FailsAt(AtomicFailure::kCrashBeforeRename)) {
        file->crashed = true;
        return 0;
    }
    ok = ok && !FailsAt(AtomicFailure::kRename) && ReplacePath(file->temp, file->target);
    if (!ok) {
        AtomicFileAbandon(file);
        return 0;
    }
    file->temp.clear();
    return 1;
}

int WriteFileAtomically(const char* name, const FilePart* parts, std::size_t count, FileFlush flush) {
    AtomicFile file;
    file.flush = flush == FileFlush::kToDisk;
    if (!AtomicFileBegin(&file, name)) {
        AtomicFileAbandon(&file);
        return 0;
    }
    for (std::size_t i = 0; i < count; ++i) {
        if (parts[i].size == 0) continue;
        if (!AtomicFileWrite(&file, parts[i].data, parts[i].size)) {
            AtomicFileAbandon(&file);
            return 0;
        }
    }
    return AtomicFileCommit(&file);
}

int RecoverAtomicFile(const char* name, FileCheck isComplete, void* context) {
    std::string target = ResolveExistingPath(DataPath(name));
    std::string temp = ResolveExistingPath(AtomicTempPath(target));
    if (!PathIsFile(temp)) return 0;
    bool take = !PathIsFile(target) && isComplete != nullptr && isComplete(temp.c_str(), context);
    if (take && ReplacePath(temp, target)) return 1;
    DeletePath(temp);
    return 0;
}

int FlushFiles(const std::vector<std::string>& paths) {
    std::vector<std::string> real;
    for (const std::string& path : paths) real.push_back(ResolveExistingPath(path));
    return FlushPaths(real);
}

namespace {

// The bytes of from into a new file beside to, renamed over to; from is removed.
bool CopyOver(const std::string& from, const std::string& to) {
    FileHandle in = FileOpen2(from.c_str(), kFileRead);
    if (in == kInvalidFile) return false;
    AtomicFile file;
    bool ok = AtomicFileBegin(&file, to.c_str()) == 1;
    std::vector<char> buffer(kCopyBlock);
    for (long got = 0; ok && (got = FileRead(in, "", buffer.data(), static_cast<long>(buffer.size()))) != 0;)
        ok = got > 0 && AtomicFileWrite(&file, buffer.data(), static_cast<std::size_t>(got)) == 1;
    FileClose(in, "");
    if (!ok) {
        AtomicFileAbandon(&file);
        return false;
    }
    if (!AtomicFileCommit(&file)) return false;
    DeletePath(from);
    return true;
}

}  // namespace

std::vector<bool> MoveFilesOver(const std::vector<std::string>& sources, const std::vector<std::string>& targets) {
    std::vector<bool> moved(sources.size(), false);
    std::vector<std::string> folders;  // those a rename went into, each with its final separator
    for (std::size_t i = 0; i < sources.size() && i < targets.size(); ++i) {
        std::string from = ResolveExistingPath(sources[i]), to = ResolveExistingPath(targets[i]);
        if (!RenamePath(from, to)) {
            moved[i] = CopyOver(from, to);
            continue;
        }
        moved[i] = true;
        std::string folder = to.substr(0, to.find_last_of(PathSeparator()) + 1);
        if (std::find(folders.begin(), folders.end(), folder) == folders.end()) folders.push_back(folder);
    }
    for (const std::string& folder : folders) FlushFolderOf(folder);
    return moved;
}

bool SameFileState(const FileStamp& a, const FileStamp& b) {
    return a.volume == b.volume && a.index == b.index && a.size == b.size && a.written == b.written;
}
