// The input-item file "ITEM%ld.DAT" of a user: exactly the 7 flag bytes.
#ifndef PELMO_DIARY_INPUT_ITEMS_H
#define PELMO_DIARY_INPUT_ITEMS_H

#include <cstddef>

#include "diary/records.h"

// A new user records body fat only, and so does a user whose input-item file
// is missing or damaged: every other item would want a target that the target
// dialog has no field for.
constexpr InputItemFlags kNewUserItems = {{1, 0, 0, 0, 0, 0, 0}};

constexpr std::size_t kFileNameSize = 32;
void InputItemFileName(long userNumber, char* out);  // kFileNameSize bytes

// What reading a user's input-item file found.
enum class ItemFileState {
    kRead,     // all 7 bytes, into the flags (each 0 or 1)
    kMissing,  // no file: the flags are left as they were
    // Not exactly 7 bytes, a byte other than 0 and 1, or unreadable: the flags
    // are left as they were.
    kDamaged,
};
ItemFileState ReadInputItems(long userNumber, InputItemFlags* flags);
// Replaces the file whole (crash-safe); 1 on success.
int WriteInputItems(long userNumber, const InputItemFlags& flags);

bool SameInputItems(const InputItemFlags& a, const InputItemFlags& b);

#endif
