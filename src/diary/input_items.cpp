#include "diary/input_items.h"

#include <cstdio>
#include <cstring>

#include "corelib/files.h"

void InputItemFileName(long userNumber, char* out) {
    std::snprintf(out, kFileNameSize, "ITEM%ld.DAT", userNumber);
}

namespace {

bool IsWholeItemFile(const char* path, void*) {
    FileHandle file = FileOpen2(path, kFileRead);
    bool whole = file != kInvalidFile && FileSize(file) == static_cast<std::int64_t>(sizeof(InputItemFlags));
    FileClose(file, "");
    return whole;
}

}  // namespace

ItemFileState ReadInputItems(long userNumber, InputItemFlags* flags) {
    char name[kFileNameSize];
    InputItemFileName(userNumber, name);
    RecoverAtomicFile(name, IsWholeItemFile, nullptr);  // a write cut short by the end of the program
    if (!FileExists(name)) return ItemFileState::kMissing;
    FileHandle file = FileOpen(name, kFileRead);
    InputItemFlags read = {};
    bool whole = file != kInvalidFile && FileSize(file) == static_cast<std::int64_t>(sizeof read.on) &&
                 FileRead(file, name, read.on, sizeof read.on) == static_cast<long>(sizeof read.on);
    FileClose(file, name);
    if (!whole) return ItemFileState::kDamaged;
    // The program writes only 0 and 1: any other byte is not a choice anybody made.
    for (auto on : read.on)
        if (on != 0 && on != 1) return ItemFileState::kDamaged;
    *flags = read;
    return ItemFileState::kRead;
}

int WriteInputItems(long userNumber, const InputItemFlags& flags) {
    char name[kFileNameSize];
    InputItemFileName(userNumber, name);
    FilePart part = {flags.on, sizeof flags.on};
    return WriteFileAtomically(name, &part, 1);
}

bool SameInputItems(const InputItemFlags& a, const InputItemFlags& b) {
    return std::memcmp(a.on, b.on, sizeof a.on) == 0;
}
