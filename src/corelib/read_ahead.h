// Reading a large file ahead on a thread of its own while the program does
// other things: at start-up the last user's diary is read while the windows
// are built. What was read is taken only for the very file it was read from,
// unchanged since; otherwise the caller reads the file itself.
#ifndef PELMO_CORELIB_READ_AHEAD_H
#define PELMO_CORELIB_READ_AHEAD_H

#include <cstddef>
#include <string>

#include "corelib/files.h"

// Starts reading path from offset skip to its end into a block with room for
// spare bytes more. One read ahead at a time: a new one ends the last.
void StartReadAhead(const std::string& path, std::size_t skip, std::size_t spare);

// The bytes read ahead from path when handle is open on that same file, as
// it was read (same file, size and last write), and they start at skip and
// hold at least bytes: a block of std::malloc's that the caller then owns,
// *capacity bytes large. Null otherwise. Waits for the read; either way the
// read ahead is over.
void* TakeReadAhead(FileHandle handle, const std::string& path, std::size_t skip, std::size_t bytes,
                    std::size_t* capacity);

// Ends a read ahead that nobody took: waits for its thread and frees its block.
void EndReadAhead();

#endif
