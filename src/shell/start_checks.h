// What the start finds in the data folder before anything reads it: a restore
// that was cut short, a users table that is missing or damaged, diaries that
// no row of it names. Settled once, as the document is made and before the
// last user is read ahead; told once the diary window stands.
#ifndef PELMO_SHELL_START_CHECKS_H
#define PELMO_SHELL_START_CHECKS_H

#include <windows.h>

// Finishes or discards an interrupted restore, then settles the users table.
// Runs once until TellStartChecks has told what it found.
void SettleDataFolderAtStart();
// Settles the data folder if that was not yet done, and tells what was found.
void TellStartChecks(HWND window);

#endif
