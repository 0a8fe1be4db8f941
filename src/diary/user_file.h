// The user data file "%ld.DAT": the header, then exactly record-count records
// in date order. These are the file steps of creating, amending, loading and
// saving a user; the windows follow through the hooks of window_hooks.h.
//
// Every write replaces the whole file crash-safely: a complete new file is
// written beside the old one and renamed over it, so a failure at any point
// leaves the old diary or the new one, never a mix. A damaged file (shorter or
// longer than its header says) is loaded as far as its records are complete,
// after a copy of it was put aside.
#ifndef PELMO_DIARY_USER_FILE_H
#define PELMO_DIARY_USER_FILE_H

#include <cstddef>

void DataFileName(long userNumber, char* out);  // kFileNameSize bytes (input_items.h)

// After the registration dialog filled the staging header: target dialog, a
// new number, the data file, the users-table row, the input-item file. 1 when
// the new user is open.
int CreateUser(void* window);
// After the amend dialog filled the staging header: target dialog, then the
// data file rewritten with the new header. 1 when committed.
int AmendUser(void* window);
// Opens the user of users-table row `row`. 0 leaves the open user as it was.
int LoadUser(void* window, int row);
// Writes the open user's file. 0 without an open user or when it failed (told).
int SaveUser(void* window);

// True when the file at path is as long as its header says (used to settle a
// leftover new file at load).
bool IsCompleteUserFile(const char* path, void* context = nullptr);

// The texts shown (exact, for the program's users and its tests).
extern const char kReadFailedText[];
extern const char kWriteFailedText[];
extern const char kCreateFailedText[];
extern const char kNewUserCaption[];
extern const char kOutOfMemoryLoadText[];
extern const char kDamagedCaption[];

#endif
