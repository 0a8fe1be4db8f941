#include "diary/damaged_copy.h"

#include <cstdio>
#include <ctime>
#include <vector>

#include "corelib/files.h"

namespace {

constexpr int kMaxCopiesPerSecond = 100;

std::string CopyNameFor(const char* name) {
    std::time_t now = std::time(nullptr);
    std::tm local = {};
    if (const std::tm* t = std::localtime(&now)) local = *t;
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local);
    std::string copy = std::string(name) + ".damaged-" + stamp;
    const std::string first = copy;
    for (int i = 2; FileExists(copy.c_str()) && i < kMaxCopiesPerSecond; ++i) copy = first + "-" + std::to_string(i);
    return copy;
}

// Every byte of source into the new file, crash-safely.
bool CopyInto(FileHandle source, AtomicFile* target) {
    std::vector<char> buffer(1 << 16);
    for (;;) {
        long got = FileRead(source, "", buffer.data(), static_cast<long>(buffer.size()));
        if (got < 0) return false;
        if (got == 0) return AtomicFileCommit(target) == 1;
        if (!AtomicFileWrite(target, buffer.data(), static_cast<std::size_t>(got))) return false;
    }
}

}  // namespace

bool KeepDamagedCopy(const char* name, std::string* copyName) {
    *copyName = CopyNameFor(name);
    if (FileExists(copyName->c_str())) return false;  // every name of this second is taken
    FileHandle source = FileOpen(name, kFileRead);
    if (source == kInvalidFile) return false;
    AtomicFile target;
    bool copied = AtomicFileBegin(&target, copyName->c_str()) && CopyInto(source, &target);
    if (!copied) AtomicFileAbandon(&target);
    FileClose(source, name);
    return copied;
}
