// The platform half of folders.h (folders_posix.cpp natively,
// win32/folders_win32.cpp on Windows), used by the portable half folders.cpp.
#ifndef PELMO_CORELIB_FOLDERS_PLATFORM_H
#define PELMO_CORELIB_FOLDERS_PLATFORM_H

#include <string>
#include <vector>

// The names of the plain files of folder (final separator optional), unsorted.
std::vector<std::string> ListPlainFiles(const std::string& folder);
// True when a and b both exist and are the same object of the file system.
bool SameFileSystemObject(const std::string& a, const std::string& b);

#endif
