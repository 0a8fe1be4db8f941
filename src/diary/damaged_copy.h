// The untouched copy of a damaged file, kept beside it before the program
// mends it: "<name>.damaged-YYYYMMDD-HHMMSS". No "*.DAT" or "*.DBF" pattern
// finds it, so neither the program nor a backup takes it for a diary or a table.
#ifndef PELMO_DIARY_DAMAGED_COPY_H
#define PELMO_DIARY_DAMAGED_COPY_H

#include <string>

// Copies the file `name` (bare names in the data folder) to a new name of the
// form above, written whole or not at all; *copyName receives that name.
// False when no copy could be made.
bool KeepDamagedCopy(const char* name, std::string* copyName);

#endif
