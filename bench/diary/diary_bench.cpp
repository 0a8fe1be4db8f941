// Ten years of daily records (3,650 days, 55.8 MB in memory): storing a day
// at the front, in the middle and at the end, beside one memmove of the same
// bytes; loading and saving the diary, beside a plain copy of its file.
#include <benchmark/benchmark.h>

#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "corelib/dates.h"
#include "corelib/dbf.h"
#include "corelib/environment.h"
#include "corelib/files.h"
#include "diary/diary_store.h"
#include "diary/user_file.h"
#include "diary/users_table.h"

namespace {

constexpr std::uint32_t kDays = 3650;

// Days 2, 4, 6, ...: every odd day is free for an insertion at any position.
DailyRecord DayOfNumber(long n) {
    char shown[kShownDateSize];
    DateOfDayNumber(n, shown);
    DailyRecord r = {};
    std::memcpy(r.date, shown, 4);
    std::memcpy(r.date + 4, shown + 5, 2);
    std::memcpy(r.date + 6, shown + 8, 2);
    r.weight = 60.0;
    std::snprintf(r.diary, sizeof r.diary, "%s", shown);
    return r;
}

void FillDiary() {
    CloseUser();
    for (std::uint32_t i = 0; i < kDays; ++i) StoreDay(DayOfNumber(2 * (i + 1)));
}

// position 0: before every day; kDays / 2: in the middle; kDays: after the last.
long NumberAt(long position) { return 2 * position + 1; }

void BM_StoreDay(benchmark::State& state) {
    FillDiary();
    DailyRecord day = DayOfNumber(NumberAt(state.range(0)));
    for (auto _ : state) {
        long position = StoreDay(day).position;
        benchmark::DoNotOptimize(position);
        state.PauseTiming();
        DeleteDay(static_cast<std::uint32_t>(position - 1));
        state.ResumeTiming();
    }
    state.SetBytesProcessed(state.iterations() * (kDays - state.range(0)) * sizeof(DailyRecord));
    CloseUser();
}
BENCHMARK(BM_StoreDay)->Arg(0)->Arg(kDays / 2)->Arg(kDays)->Unit(benchmark::kMicrosecond);

// The least any insertion must do: move the records after the position by one slot.
void BM_MemmoveSameBytes(benchmark::State& state) {
    std::vector<DailyRecord> block(kDays + 1);
    for (std::uint32_t i = 0; i < kDays; ++i) block[i] = DayOfNumber(2 * (i + 1));
    std::size_t at = static_cast<std::size_t>(state.range(0));
    for (auto _ : state) {
        std::memmove(&block[at + 1], &block[at], (kDays - at) * sizeof(DailyRecord));
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * (kDays - at) * sizeof(DailyRecord));
}
BENCHMARK(BM_MemmoveSameBytes)->Arg(0)->Arg(kDays / 2)->Arg(kDays)->Unit(benchmark::kMicrosecond);

// A data folder with user 0 and a saved 3,650-day diary.
class DiaryFolder {
public:
    DiaryFolder() {
        char pattern[] = "/tmp/pelmo-bench-XXXXXX";
        if (!mkdtemp(pattern)) std::abort();
        folder_ = std::string(pattern) + "/";
        SetDataFolderOverride(folder_);
        EnsureUsersTable();
        char row[kUsersRowLength + 1];
        FormatUsersRow(0, "十年日記", row);
        WriteDBFRecord(nullptr, kUsersTable, row, kUsersNameField);
        FillDiary();  // under the empty header, whose user number is 0
        SetUserOpen();
        SaveUser();
    }
    ~DiaryFolder() {
        CloseUser();
        for (const char* name : {"0.DAT", "copy.DAT", "ﾕｰｻﾞ.DBF"}) FileDelete(name);
        rmdir(folder_.c_str());
        SetDataFolderOverride("");
    }

private:
    std::string folder_;
};

constexpr double kFileBytes = sizeof(UserHeader) + double{kDays} * sizeof(DailyRecord);

void BM_LoadUser(benchmark::State& state) {
    DiaryFolder folder;
    for (auto _ : state) {
        bool loaded = LoadUser(0).done;
        benchmark::DoNotOptimize(loaded);
    }
    if (DiaryRecordCount() != kDays) state.SkipWithError("the diary did not load whole");
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kFileBytes));
}
BENCHMARK(BM_LoadUser)->Unit(benchmark::kMillisecond);

// Writes a complete new file, flushes it to the disk and renames it into place.
void BM_SaveUser(benchmark::State& state) {
    DiaryFolder folder;
    for (auto _ : state) {
        bool saved = SaveUser().done;
        benchmark::DoNotOptimize(saved);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kFileBytes));
}
BENCHMARK(BM_SaveUser)->Unit(benchmark::kMillisecond);

// The file copied as it stands, without flushing: what any reading and writing of it costs.
void BM_PlainCopy(benchmark::State& state) {
    DiaryFolder folder;
    for (auto _ : state) {
        FileHandle source = FileOpen("0.DAT", kFileRead);
        FileHandle target = FileOpen("copy.DAT", kFileCreate);
        int copied = FileCopy(source, target);
        FileClose(target, "");
        FileClose(source, "");
        benchmark::DoNotOptimize(copied);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kFileBytes));
}
BENCHMARK(BM_PlainCopy)->Unit(benchmark::kMillisecond);

}  // namespace
