// The user data file "%ld.DAT": the header, then exactly record-count records
// in date order. These are the file steps of creating, amending, loading and
// saving a user. Each returns what it did and what the person is to be told;
// the windows ask the questions before (the target dialog), show the notice
// and follow the change after.
//
// Every write replaces the whole file crash-safely: a complete new file is
// written beside the old one and renamed over it, so a failure at any point
// leaves the old diary or the new one, never a mix. A damaged file (shorter or
// longer than its header says) is loaded as far as its records are complete,
// after a copy of it was put aside.
#ifndef PELMO_DIARY_USER_FILE_H
#define PELMO_DIARY_USER_FILE_H

#include <cstddef>

#include "corelib/notice.h"
#include "diary/records.h"

void DataFileName(long userNumber, char* out);  // kFileNameSize bytes (input_items.h)

// What a user-file operation did.
struct UserOutcome {
    bool done;                      // created, amended, loaded or saved
    Notice notice;                  // what to tell, also after a load that succeeded
    bool restoreSelectors = false;  // LoadUser: the first user of the run with records
};

// Before the registration's target dialog: the input items of a new user,
// whose fields the target dialog offers. A registration that creates nobody
// puts the open user's own back.
void PrepareNewUser();
// After the registration and target dialogs filled the staging header: a new
// number, the data file, the users-table row, the input-item file. Done when
// the new user is open; a failure leaves the open user as it was.
UserOutcome CreateUser();
// After the amend and target dialogs filled the staging header: the data file
// rewritten with the new header, which becomes the open user's.
UserOutcome AmendUser();
// Opens the user of users-table row `row`. A failure leaves the open user as it was.
UserOutcome LoadUser(int row);
// Starts reading the data file of the user at row on a thread of its own;
// the next LoadUser takes what was read when it is that file, unchanged.
void ReadUserAhead(int row);
// Writes the open user's file; not done without an open user (and nothing to tell).
UserOutcome SaveUser();

// The header at the start of user number's data file, as it is on disk (the
// view dialog shows it); false when it cannot be read whole.
bool ReadUserFileHeader(long number, UserHeader* header);

// True when the file at path is as long as its header says (used to settle a
// leftover new file at load).
bool IsCompleteUserFile(const char* path, void* context = nullptr);

// The texts of the notices (exact, for the program's users and its tests).
extern const char kReadFailedText[];
extern const char kWriteFailedText[];
extern const char kCreateFailedText[];
extern const char kNewUserCaption[];
extern const char kOutOfMemoryLoadText[];
extern const char kDamagedCaption[];

#endif
