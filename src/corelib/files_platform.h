// The platform half of files.h (files_posix.cpp natively, files_win32.cpp on
// Windows), used by the portable half files.cpp.
#ifndef PELMO_CORELIB_FILES_PLATFORM_H
#define PELMO_CORELIB_FILES_PLATFORM_H

#include <string>
#include <vector>

#include "corelib/files.h"

// The path of an existing file that path names; natively an existing file
// whose name differs only in the case of ASCII letters is found. path itself
// when none exists.
std::string ResolveExistingPath(const std::string& path);
// Flushes the file's data to the disk; 1 on success.
int FlushFile(FileHandle handle);
// Puts the content of the files at paths on the disk; 1 when all are there.
int FlushPaths(const std::vector<std::string>& paths);
// Renames from onto to in one step, replacing to, and puts the rename on
// the disk; 1 on success.
int ReplacePath(const std::string& from, const std::string& to);
// The rename of ReplacePath, on the disk only once FlushFolderOf(to) has
// followed (at once on Windows); 1 on success.
int RenamePath(const std::string& from, const std::string& to);
// Puts the renames made in the folder that holds path on the disk (a path
// that ends with a separator names that folder itself).
void FlushFolderOf(const std::string& path);
// 1 when a plain file is at path.
int PathIsFile(const std::string& path);
// 1 when the file at path is gone afterwards.
int DeletePath(const std::string& path);
// The default data folder under the user's application data, created when
// missing, with its final separator; "" on failure.
std::string DefaultDataFolder();
// Copies the rest of source to target inside the system, without passing the
// bytes through the program: 1 when every byte arrived, 0 on failure, -1
// where the system cannot (the caller copies itself).
int CopyInSystem(FileHandle source, FileHandle target);
// The separator of paths on this platform.
char PathSeparator();

#endif
