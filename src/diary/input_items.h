// The input-item file "ITEM%ld.DAT" of a user: exactly the 7 flag bytes.
#ifndef PELMO_DIARY_INPUT_ITEMS_H
#define PELMO_DIARY_INPUT_ITEMS_H

#include <cstddef>

#include "diary/records.h"

// A new user records body fat only; a user without an input-item file sees every item.
constexpr InputItemFlags kNewUserItems = {{1, 0, 0, 0, 0, 0, 0}};
constexpr InputItemFlags kAllItemsOn = {{1, 1, 1, 1, 1, 1, 1}};

constexpr std::size_t kFileNameSize = 32;
void InputItemFileName(long userNumber, char* out);  // kFileNameSize bytes

// 1 when all 7 bytes were read into *flags (each 0 or 1); 0 leaves *flags as it was.
int ReadInputItems(long userNumber, InputItemFlags* flags);
// Replaces the file whole (crash-safe); 1 on success.
int WriteInputItems(long userNumber, const InputItemFlags& flags);

bool SameInputItems(const InputItemFlags& a, const InputItemFlags& b);

#endif
