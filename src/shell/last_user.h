// The user who was open when the program last ended ("UserName").
#ifndef PELMO_SHELL_LAST_USER_H
#define PELMO_SHELL_LAST_USER_H

#include <windows.h>

#include <string>

// Starts reading the data file of the user named by "UserName" while the
// windows are built; RestoreLastUser's load takes what was read.
void ReadLastUserAhead();

// Opens the user named by "UserName" for the diary window. False when no name
// is stored, the name is no longer in the users table or the user's file
// could not be loaded: the caller then asks for a new user.
bool RestoreLastUser(HWND diaryWindow);

// Stores the open user's name in "UserName", "" when no user is open. False
// when the value could not be written.
bool RememberOpenUser();

// The open user's name as the users table lists it (the header's name when
// no row has the number); "" when no user is open.
std::string OpenUserListedName();
// Opens the user listed as name again (after a restore). A name no longer in
// the users table is told; false then, or when the file could not be loaded.
bool ReopenUser(HWND diaryWindow, const std::string& name);

// Told when the user open before a restore is not in the restored data (%s: the name).
extern const char kUserNotRestoredFormat[];

#endif
