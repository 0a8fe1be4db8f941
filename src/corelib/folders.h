// Folders: their path texts (Shift-JIS aware), listing their files, making
// and removing them, their free space, and whether two paths name one folder.
//
// Paths are those of the platform: "C:\\データ\\" on Windows, "/tmp/x/" natively.
#ifndef PELMO_CORELIB_FOLDERS_H
#define PELMO_CORELIB_FOLDERS_H

#include <cstdint>
#include <string>
#include <vector>

// True when the last character is '\\' or '/'; the trail byte of 表 or ソ
// (0x5C) is no separator.
bool EndsWithPathSeparator(const std::string& path);
// path with the platform's separator appended unless it ends with one; "" stays "".
std::string WithPathSeparator(std::string path);

// The names of the plain files in folder (with or without its final
// separator), in the order the file system lists them. extension ("DBF")
// keeps only names that end in "." and those letters, in any case; null
// keeps every file.
std::vector<std::string> ListFolderFiles(const std::string& folder, const char* extension);

// True when a folder is at path.
bool FolderExists(const std::string& path);
// Creates every missing folder along path; true when the folder exists afterwards.
bool MakeFolderPath(const std::string& path);
// Removes an empty folder; true when it is gone.
bool RemoveFolder(const std::string& path);

// Free bytes for this user on the drive that holds path; -1 when unknown.
std::int64_t FolderFreeBytes(const std::string& path);

// True when a and b name the same folder: their full paths are equal but
// for the case of ASCII letters and a final separator (".." and "." are
// resolved), or both exist and are one folder of the file system (another
// drive letter, a short name, a link).
bool SameFolder(const std::string& a, const std::string& b);

// The full path of path, with "." and ".." resolved, as the platform gives it.
std::string FullPathOf(const std::string& path);

#endif
