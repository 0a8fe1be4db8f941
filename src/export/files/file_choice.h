// The file the person chooses in the save or open dialog (or the test's choice).
#ifndef PELMO_EXPORT_FILES_FILE_CHOICE_H
#define PELMO_EXPORT_FILES_FILE_CHOICE_H

#include <windows.h>

#include <string>

bool ChooseFile(HWND owner, bool save, std::string* path, int* filter);

#endif
