// A ten-year file (3,650 lines) into a new user's diary, beside one save of
// the resulting diary in the same round. The counters give the seconds of
// the save, of the preview (reading the file and planning the import) and of
// the import after the preview (the copy kept for the undo, the days stored,
// the diary written once), and the ratios preview/save and import/save,
// which are to stay at most 2.
#include <benchmark/benchmark.h>

#include <stdlib.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <string>

#include "corelib/dates.h"
#include "corelib/environment.h"
#include "corelib/files.h"
#include "diary/diary_store.h"
#include "diary/records.h"
#include "diary/user_file.h"
#include "export/day_table.h"
#include "export/import_plan.h"

namespace {

constexpr int kDays = 3650;

// The lines a phone app writes: an ISO time with its offset, weight, body fat and a note.
std::string TenYearFile() {
    std::string text = "\xEF\xBB\xBF" "Date,Weight (kg),Body Fat (%),Note\r\n";
    for (long n = 1; n <= kDays; ++n) {
        char shown[kShownDateSize];
        DateOfDayNumber(n, shown);
        char line[128];
        std::snprintf(line, sizeof line, "%.4s-%.2s-%.2sT07:%02ld:00+09:00,%.1f,%.1f,day %ld\r\n", shown, shown + 5,
                      shown + 8, n % 60, 60.0 + (n % 50) / 10.0, 20.0 + (n % 30) / 10.0, n);
        text += line;
    }
    return text;
}

double Since(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void BM_ImportTenYearsBesideSave(benchmark::State& state) {
    char pattern[] = "/tmp/pelmo-import-bench-XXXXXX";
    if (!mkdtemp(pattern)) std::abort();
    const std::string folder = std::string(pattern) + "/";
    SetDataFolderOverride(folder);
    const std::string file = TenYearFile();
    TableReadOptions options;
    double save = 0, preview = 0, import = 0;
    for (auto _ : state) {
        state.PauseTiming();
        CloseUser();
        ForgetImport();
        SetUserOpen();  // user 0, no days yet
        state.ResumeTiming();
        auto start = std::chrono::steady_clock::now();
        const DayTable table = ReadDayTable(file, options);
        const ImportPlan plan = PlanImport(table, WeightUnit::kKg, DiaryRecords(), DiaryRecordCount());
        preview += Since(start);
        start = std::chrono::steady_clock::now();
        const ImportOutcome outcome = ApplyImport(plan, ExistingDay::kKeepDiary);
        import += Since(start);
        if (!outcome.done || DiaryRecordCount() != kDays) state.SkipWithError("the file was not imported whole");
        start = std::chrono::steady_clock::now();
        const bool saved = SaveUser().done;
        save += Since(start);
        benchmark::DoNotOptimize(saved);
    }
    const double rounds = static_cast<double>(state.iterations());
    state.counters["save_s"] = save / rounds;
    state.counters["preview_s"] = preview / rounds;
    state.counters["import_s"] = import / rounds;
    state.counters["preview/save"] = preview / save;
    state.counters["import/save"] = import / save;
    CloseUser();
    ForgetImport();
    for (const char* name : {"0.DAT", "0.DAT.UNDO"}) FileDelete(name);
    rmdir(pattern);
    SetDataFolderOverride("");
}
BENCHMARK(BM_ImportTenYearsBesideSave)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace
