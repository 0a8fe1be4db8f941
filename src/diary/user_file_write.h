// Writing a whole user data file, shared by the user-file operations.
#ifndef PELMO_DIARY_USER_FILE_WRITE_H
#define PELMO_DIARY_USER_FILE_WRITE_H

#include <cstdint>

#include "diary/records.h"

// Replaces "%ld.DAT" of header's user number with header (its record count set
// to count) and the records, crash-safely. 1 on success; else the old file stands.
int WriteUserFile(const UserHeader& header, const DailyRecord* records, std::uint32_t count);

#endif
