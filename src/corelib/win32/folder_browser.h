// The shell's folder browser: file-system folders only, a title, and a folder
// selected when it opens.
#ifndef PELMO_CORELIB_WIN32_FOLDER_BROWSER_H
#define PELMO_CORELIB_WIN32_FOLDER_BROWSER_H

#include <windows.h>

#include <string>

// Shows the browser owned by owner with preselected selected (when it names
// a folder). True with the chosen folder in chosen (as the shell gives it:
// "A:\\" for a drive, "C:\\x" for a folder); false when cancelled.
bool BrowseForFolder(HWND owner, const char* title, const std::string& preselected, std::string* chosen);

#endif
