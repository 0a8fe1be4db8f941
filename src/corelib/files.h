// Files of the program: open, read, write, seek and close by handle; bare
// names live in the data folder; whole files are replaced crash-safely.
//
// A handle is a plain integer so that portable code can hold it: on Windows
// it carries a Win32 HANDLE, natively a POSIX file descriptor. -1 is failure.
#ifndef PELMO_CORELIB_FILES_H
#define PELMO_CORELIB_FILES_H

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

using FileHandle = std::intptr_t;
constexpr FileHandle kInvalidFile = -1;

// Open modes, as the callers pass them.
enum FileMode : int {
    kFileRead = 0,           // existing file, read only
    kFileReadWrite = 2,      // existing file, read and write
    kFileCreate = 4096,      // create or truncate, read and write
    kFileTestExists = 16384, // no handle is kept: kFileExistsResult when the file exists, else -1
};
// What mode kFileTestExists gives for an existing file; closing it is harmless.
constexpr FileHandle kFileExistsResult = 0x7FFFFFFF;

// The data folder with its final separator ('\\' on Windows): the redirection
// of environment.h, else "SystemDir" of the install area, else a new folder
// under the user's application-data folder, stored into "SystemDir".
// "" when none can be had.
std::string DataFolder();

// True when name holds no '\\', '/' or ':' (Shift-JIS aware: the trail byte
// of 表 or ソ is not a separator), i.e. it names a file of the data folder.
bool IsBareName(const char* name);

// The path a name stands for: DataFolder() + name for a bare name, else name.
std::string DataPath(const char* name);

// FileOpen resolves bare names in the data folder; FileOpen2 takes the path
// as given. Natively, an existing file is found whatever the case of the
// ASCII letters of its name, as on Windows.
FileHandle FileOpen(const char* name, int mode);
FileHandle FileOpen2(const char* path, int mode);

// name is the file's name for messages, or "" (not used to find the file).
// FileRead: bytes read (0 at the end), -1 on failure.
// FileWrite: count when every byte was written, -1 otherwise: a short write
// (full disk; under Wine it first reports success with a short count) is a failure.
long FileRead(FileHandle handle, const char* name, void* buffer, long count);
long FileWrite(FileHandle handle, const char* name, const void* buffer, long count);
// Reads exactly bytes from the position on and moves past them; false when
// fewer arrived or the read failed (the buffer's content is then undefined).
// Large blocks are read in pieces through one reused buffer on Windows: under
// Wine, ReadFile into memory not touched before costs about twice as much.
bool FileReadExactly(FileHandle handle, const char* name, void* buffer, std::size_t bytes);
// Moves to offset bytes from the start; the new position or -1.
long FileSeek(FileHandle handle, const char* name, long offset);
// 1 when closed; closing kInvalidFile is harmless and gives 0.
int FileClose(FileHandle handle, const char* name);
// The file's size in bytes, -1 on failure.
std::int64_t FileSize(FileHandle handle);
// One state of one file: which file it is on its volume, its size and its
// last write. A file replaced by a rename is another file.
struct FileStamp {
    std::uint64_t volume = 0;
    std::uint64_t index = 0;
    std::int64_t size = -1;
    std::int64_t written = 0;
};
bool StampFile(FileHandle handle, FileStamp* stamp);
bool SameFileState(const FileStamp& a, const FileStamp& b);
// Copies the rest of source (from its position) to target (at its position);
// 1 when every byte arrived, else 0.
int FileCopy(FileHandle source, FileHandle target);

// Creates one folder (its parent must exist); 1 when created, 0 when it
// could not be created or existed already. window: owner for messages (HWND) or null.
int MakeDir(void* window, const char* path);
// Free bytes of a drive, 0 = A:; out[0] the low 32 bits, out[1] the high
// 32 bits. Natively every drive is the data folder's file system. 1 on success.
int GetDiskFree(int drive, std::uint32_t out[2]);

// Deletes a file (bare names in the data folder); 1 when it is gone.
int FileDelete(const char* name);
// 1 when the file exists (bare names in the data folder).
int FileExists(const char* name);
// The names of the plain files in the data folder, in the file system's order.
std::vector<std::string> DataFolderFiles();

// ---------------------------------------------------------------------------
// Crash-safe replacement of a whole file.
//
// The new content is written into "<path>.new" next to the old file, every
// byte count is checked, the file is flushed to the disk and closed, and only
// then one rename puts it in place (MoveFileEx with MOVEFILE_REPLACE_EXISTING
// | MOVEFILE_WRITE_THROUGH on Windows, rename() natively). Any failure leaves
// the old file as it was and removes the partial new one.

struct FilePart {
    const void* data;
    std::size_t size;
};

struct AtomicFile {
    std::string target;  // full path of the file being replaced
    std::string temp;    // full path of the new file while it is written
    FileHandle handle = kInvalidFile;
    bool failed = false; // a write failed: commit will refuse
    bool crashed = false; // test hook: behave as if the program had died
    bool flush = true;    // false for a file rebuilt at every start: the wait for the disk buys nothing
};

// The name of the new file written beside path.
std::string AtomicTempPath(const std::string& path);

// Starts a new file for name (bare names in the data folder). 1 on success.
int AtomicFileBegin(AtomicFile* file, const char* name);
// Appends; 1 when every byte was written. After a failure later writes are refused.
int AtomicFileWrite(AtomicFile* file, const void* data, std::size_t size);
// Flushes, closes and renames into place. 1 on success; on failure the old
// file is intact and the new one removed.
int AtomicFileCommit(AtomicFile* file);
// Closes and removes the new file; the old one is untouched. Safe to call twice.
void AtomicFileAbandon(AtomicFile* file);

// Begin, write every part, commit. 1 on success. A file that is rebuilt at
// every start is still replaced whole, but not waited for (kRebuiltFile).
enum class FileFlush { kToDisk, kRebuiltFile };
int WriteFileAtomically(const char* name, const FilePart* parts, std::size_t count,
                        FileFlush flush = FileFlush::kToDisk);

// At load: settles a leftover "<path>.new" of name (bare names in the data
// folder). If the old file is missing and isComplete(new path) says the new
// one is whole, it is put in place; any other leftover is removed.
// isComplete may be null (then a leftover is never taken). Returns 1 when a
// leftover was taken, 0 otherwise.
using FileCheck = bool (*)(const char* path, void* context);
int RecoverAtomicFile(const char* name, FileCheck isComplete, void* context);

// Starts putting the content written so far to an open file on the disk,
// without waiting: the disk writes one file while the program fills the
// next, and a later FlushFiles waits only for what is still on its way
// (natively; on Windows only the flush writes).
void StartWriteBack(FileHandle handle);

// Puts the content of these files on the disk, all of them at once (far
// fewer waits for the disk than one flush per file). 1 when all are there.
int FlushFiles(const std::vector<std::string>& paths);

// Puts each complete file sources[i], already on the disk (FlushFiles), in
// place of targets[i] (a full path): renamed over it in one step, or, where
// no rename can (another volume), its bytes go into a new file beside the
// target that is then renamed. Either way each target is afterwards the old
// file or the new one, never a mix, also after a crash midway. The renames
// reach the disk together at the end, one flush per folder. moved[i]: the
// target is the new file (its source is gone); else it is as it was.
std::vector<bool> MoveFilesOver(const std::vector<std::string>& sources, const std::vector<std::string>& targets);

// Test hook: the next crash-safe replacement fails at this step, once (or
// the next FileDelete, for kDelete).
enum class AtomicFailure {
    kNone,
    kCreate,     // the new file cannot be created
    kWrite,      // a write stores fewer bytes than asked (full disk)
    kFlush,      // flushing to the disk fails
    kClose,      // closing fails
    kRename,     // the final rename fails
    kCrashBeforeRename,  // as if the program died: the complete new file is left behind, old untouched
    kCrashMidWrite,      // as if the program died while writing: a partial new file is left behind
    kDelete,             // FileDelete cannot delete the file (open elsewhere, read-only)
};
void SetAtomicFailure(AtomicFailure step);

#endif
