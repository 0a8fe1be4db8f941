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

// Writes the help pages for a web browser (resource "PELMOFREE_PAGES", the
// pages, pictures and style sheet of the compiled help) into the data
// folder's "Help\\" when they are missing or older than the program file,
// each file beside its place first. Where the help opens in the host's
// browser (under Wine), start-up calls it. True when the pages are up to date.
bool InstallHelpPages(HINSTANCE instance);

#endif
