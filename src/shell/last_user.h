// The user who was open when the program last ended ("UserName").
#ifndef PELMO_SHELL_LAST_USER_H
#define PELMO_SHELL_LAST_USER_H

#include <windows.h>

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

#endif
