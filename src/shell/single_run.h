// One run of the program per data folder. A second run would open the same
// user, and each run would write its own copy of the user's data file over
// the days the other had stored.
#ifndef PELMO_SHELL_SINGLE_RUN_H
#define PELMO_SHELL_SINGLE_RUN_H

#include <windows.h>

#include <string>

// Claims the data folder for this run: false when another run holds it.
// *claim is what ReleaseDataFolder gives back (null when the system gave no
// mutex: the run then goes on unguarded).
bool ClaimDataFolder(const std::string& folder, HANDLE* claim);
void ReleaseDataFolder(HANDLE claim);

// Brings the main window of the run that holds the folder to the front.
void ShowRunningPelmo();

#endif
