// The help file travels inside the program (resource "PELMOFREE_CHM") and is
// written into the data folder, where the help viewer opens it.
#ifndef PELMO_SHELL_HELP_FILE_H
#define PELMO_SHELL_HELP_FILE_H

#include <windows.h>

// Writes the program's copy of PELMOFREE.chm into the data folder when the
// file there is missing or older than the program file. The copy is written
// beside it and then put in its place, so a broken run never leaves half a
// file. True when the data folder's file is up to date afterwards.
bool InstallHelpFile(HINSTANCE instance);

#endif
