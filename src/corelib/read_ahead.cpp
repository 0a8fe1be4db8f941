#include "corelib/read_ahead.h"

#include <cstdlib>
#include <thread>

namespace {

struct ReadAhead {
    std::string path;
    std::size_t skip = 0;
    std::size_t spare = 0;
    std::thread thread;
    // Written by the thread, read after it was joined.
    FileStamp stamp;
    void* block = nullptr;
    std::size_t bytes = 0;
    std::size_t capacity = 0;
};

// Never destroyed by the runtime: a thread still running at exit must not be
// met by std::thread's destructor.
ReadAhead* g_ahead = nullptr;

// The file's bytes from skip on, kept only when the file did not change while
// they were read.
void ReadFileAhead(ReadAhead* ahead) {
    FileHandle file = FileOpen2(ahead->path.c_str(), kFileRead);
    if (file == kInvalidFile) return;
    FileStamp before, after;
    const auto skip = static_cast<std::int64_t>(ahead->skip);
    if (StampFile(file, &before) && before.size >= skip && FileSeek(file, "", static_cast<long>(skip)) == skip) {
        const std::size_t bytes = static_cast<std::size_t>(before.size - skip);
        void* block = std::malloc(bytes + ahead->spare + 1);
        if (block && FileReadExactly(file, "", block, bytes) && StampFile(file, &after) &&
            SameFileState(before, after)) {
            ahead->stamp = before;
            ahead->block = block;
            ahead->bytes = bytes;
            ahead->capacity = bytes + ahead->spare;
        } else {
            std::free(block);
        }
    }
    FileClose(file, "");
}

// Waits for the thread; the read ahead then belongs to the caller.
ReadAhead* JoinReadAhead() {
    ReadAhead* ahead = g_ahead;
    g_ahead = nullptr;
    if (ahead && ahead->thread.joinable()) ahead->thread.join();
    return ahead;
}

}  // namespace

void StartReadAhead(const std::string& path, std::size_t skip, std::size_t spare) {
    EndReadAhead();
    auto* ahead = new ReadAhead;
    ahead->path = path;
    ahead->skip = skip;
    ahead->spare = spare;
    try {
        ahead->thread = std::thread(ReadFileAhead, ahead);
    } catch (...) {
        delete ahead;  // no thread to be had: the file is read when it is opened
        return;
    }
    g_ahead = ahead;
}

void* TakeReadAhead(FileHandle handle, const std::string& path, std::size_t skip, std::size_t bytes,
                    std::size_t* capacity) {
    ReadAhead* ahead = JoinReadAhead();
    if (!ahead) return nullptr;
    void* block = nullptr;
    FileStamp now;
    if (ahead->block && ahead->path == path && ahead->skip == skip && ahead->bytes >= bytes &&
        StampFile(handle, &now) && SameFileState(now, ahead->stamp)) {
        block = ahead->block;
        *capacity = ahead->capacity;
    } else {
        std::free(ahead->block);
    }
    delete ahead;
    return block;
}

void EndReadAhead() {
    ReadAhead* ahead = JoinReadAhead();
    if (!ahead) return;
    std::free(ahead->block);
    delete ahead;
}
