#include <benchmark/benchmark.h>

#include <stdlib.h>

#include <cstdio>
#include <string>

#include "corelib/dbf.h"
#include "corelib/environment.h"
#include "corelib/files.h"
#include "diary/users_table.h"

namespace {

// A data folder of its own for the run, with a users table of `count` users,
// written in one go (appending row by row would rewrite the table each time).
std::string PrepareFolder(int count) {
    char pattern[] = "/tmp/pelmo-bench-XXXXXX";
    std::string folder = std::string(mkdtemp(pattern)) + "/";
    SetDataFolderOverride(folder);
    EnsureUsersTable();
    std::string path = folder + kUsersTable;
    std::string bytes;
    if (FILE* in = std::fopen(path.c_str(), "rb")) {
        char chunk[256];
        size_t got = std::fread(chunk, 1, sizeof(chunk), in);
        bytes.assign(chunk, got - 1);  // without the end marker
        std::fclose(in);
    }
    for (int i = 0; i < count; ++i) {
        char row[48];
        std::snprintf(row, sizeof(row), " %5d%-30s", i, i % 7 ? "山田表子" : "ソフト太郎");
        bytes += row;
    }
    bytes += '\x1A';
    for (int i = 0; i < 4; ++i) bytes[4 + i] = static_cast<char>(count >> (8 * i));
    if (FILE* out = std::fopen(path.c_str(), "wb")) {
        std::fwrite(bytes.data(), 1, bytes.size(), out);
        std::fclose(out);
    }
    return folder;
}

void RemoveFolder(const std::string& folder) {
    std::remove((folder + kUsersTable).c_str());
    std::remove(folder.c_str());
    SetDataFolderOverride("");
}

}  // namespace

// The open dialog's search over all users.
static void BM_SearchUsersByKeyword(benchmark::State& state) {
    std::string folder = PrepareFolder(static_cast<int>(state.range(0)));
    std::uint16_t* area = AllocSearchDBFMem();
    for (auto _ : state)
        benchmark::DoNotOptimize(SearchDBFRecord2(nullptr, area, kUsersTable, kUsersNameField, "ソ", "ソ", "", ""));
    FreeSearchDBFMem(area);
    RemoveFolder(folder);
}
BENCHMARK(BM_SearchUsersByKeyword)->Arg(100)->Arg(1000);

// Registering one more user: the whole table is rewritten crash-safely.
static void BM_AppendUserRow(benchmark::State& state) {
    std::string folder = PrepareFolder(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        WriteDBFRecord(nullptr, kUsersTable, "99999新しい人", kUsersNameField);
        state.PauseTiming();
        DeleteDBFNoRecord(nullptr, kUsersTable, static_cast<int>(state.range(0)));
        state.ResumeTiming();
    }
    RemoveFolder(folder);
}
BENCHMARK(BM_AppendUserRow)->Arg(100)->Arg(1000);

// Reading a table row after row through an open file (the food-table road).
static void BM_ReadEveryRowThroughAnOpenFile(benchmark::State& state) {
    std::string folder = PrepareFolder(static_cast<int>(state.range(0)));
    char buffer[64];
    for (auto _ : state) {
        FileHandle file = FileOpen(kUsersTable, kFileRead);
        int row = 0;
        while (ReadDBFRecord2(nullptr, file, row, buffer)) ++row;
        FileClose(file, "");
        benchmark::DoNotOptimize(row);
    }
    RemoveFolder(folder);
}
BENCHMARK(BM_ReadEveryRowThroughAnOpenFile)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
