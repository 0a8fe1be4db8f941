// What every fuzz target shares: a private data folder on a memory file
// system, the files of one input placed in it, the message boxes the program
// would show, and checks that stop the run with the input kept.
//
// A target is a libFuzzer target (LLVMFuzzerTestOneInput) that calls
// FuzzInputBegins() first.
#ifndef PELMO_FUZZ_FUZZ_SUPPORT_H
#define PELMO_FUZZ_FUZZ_SUPPORT_H

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

using FuzzBytes = std::vector<std::uint8_t>;

// Every input starts here: the coverage of the last input does not run on
// into this one's (coverage_hook.cpp).
void FuzzInputBegins();

// The first time: a fresh data folder (under /dev/shm when there is one), the
// program's data folder redirected to it, message boxes recorded. Later: the
// folder emptied, except the file named keep (a bare name) when given.
void ResetFuzzFolder(const char* keep = nullptr);

// The data folder's files (bare names, Shift-JIS as stored).
void WriteDataFile(const char* name, const std::uint8_t* data, std::size_t size);
FuzzBytes ReadDataFile(const char* name);
bool DataFileExists(const char* name);
std::vector<std::string> DataFiles();

// An input's first byte says where its file lies, as a save leaves it:
//   0 (and any other value): "<name>" only
//   1: "<name>.new" only, as a save that died before its rename after the
//      old file was gone
//   2: both, the leftover beside the file it was meant to replace
// The rest of the input is the file's bytes (both files alike).
struct PlacedFile {
    int layout;
    const std::uint8_t* data;
    std::size_t size;
};
PlacedFile PlaceFile(const char* name, const std::uint8_t* input, std::size_t size);
std::string LeftoverName(const char* name);

// The texts of the message boxes shown since the last ResetFuzzFolder.
const std::vector<std::string>& ShownMessages();
void ForgetShownMessages();

// A broken promise of the program: prints what and stops the run, so that
// libFuzzer keeps the input that broke it.
[[noreturn]] void FuzzFailure(const char* what);
#define FUZZ_CHECK(condition) \
    do {                      \
        if (!(condition)) FuzzFailure(#condition); \
    } while (0)

// For LLVMFuzzerInitialize: adds a libFuzzer flag unless the command line has
// one of the same name (e.g. "-max_len=65536").
void DefaultFuzzFlag(int* argc, char*** argv, const char* flag);

#endif
