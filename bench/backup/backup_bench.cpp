// Backup and restore of a data folder of 100 users with a year of days each
// (about 558 MB), each beside `cp -r` of the same folder in the same round.
// The counters give the seconds of each and the ratios backup/cp and
// restore/cp. The restore puts every data file on the disk before it takes
// the place of the old one, which `cp -r` leaves to the system: cp_sync_s is
// `cp -r` with the `sync` that does the same. A restore also replaces files
// that are there, and the system frees each old one (its cached pages, its
// blocks), which `cp -r` into a new folder never pays: cp_over_s is `cp -r`
// over the copy it made, the same work for cp. The folders lie under
// PELMO_BENCH_DIR (else TMPDIR, else /tmp).
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "backup/backup_run.h"
#include "backup/restore_run.h"
#include "corelib/files.h"
#include "corelib/folders.h"
#include "diary/records.h"

namespace {

constexpr int kUsers = 100;
constexpr int kDays = 365;

std::string BenchRoot() {
    for (const char* name : {"PELMO_BENCH_DIR", "TMPDIR"})
        if (const char* value = std::getenv(name); value && *value) return WithPathSeparator(value);
    return "/tmp/";
}

bool Write(const std::string& path, const std::vector<char>& bytes) {
    FileHandle file = FileOpen2(path.c_str(), kFileCreate);
    bool ok = file != kInvalidFile && FileWrite(file, "", bytes.data(), static_cast<long>(bytes.size())) ==
                                          static_cast<long>(bytes.size());
    return FileClose(file, "") == 1 && ok;
}

// The users table, and for each user a data file of a year of days and an
// input-item file.
void MakeDataFolder(const std::string& folder) {
    MakeFolderPath(folder);
    std::vector<char> table(32 + 32 * 8 + 1 + kUsers * 64, ' ');
    Write(folder + "ﾕｰｻﾞ.DBF", table);
    std::vector<char> file(sizeof(UserHeader) + kDays * sizeof(DailyRecord));
    for (int user = 0; user < kUsers; ++user) {
        UserHeader header = {};
        header.formatMark = 'A';
        header.userNumber = user;
        header.recordCount = kDays;
        std::memcpy(file.data(), &header, sizeof(header));
        for (int day = 0; day < kDays; ++day) {
            DailyRecord record = {};
            std::snprintf(record.diary, sizeof(record.diary), "%d日目の日記 %d", day + 1, user);
            std::memcpy(record.date, "2023", 4);
            record.weight = 60.0 + user * 0.1 + day * 0.01;
            std::memcpy(file.data() + sizeof(header) + day * sizeof(DailyRecord), &record, sizeof(record));
        }
        Write(folder + std::to_string(user) + ".DAT", file);
        Write(folder + "ITEM" + std::to_string(user) + ".DAT", std::vector<char>(7, 1));
    }
}

void Shell(const std::string& command) {
    if (std::system(command.c_str()) != 0) std::abort();
}

void RemoveTree(const std::string& folder) { Shell("rm -rf '" + folder + "'"); }

void CopyWithCp(const std::string& from, const std::string& to) { Shell("cp -r '" + from + "' '" + to + "'"); }

void CopyOverWithCp(const std::string& from, const std::string& to) { Shell("cp -r '" + from + ".' '" + to + "'"); }

// Each step starts with every earlier write on the disk, so that none pays for another.
double SecondsOf(void (*step)(const std::string&, const std::string&), const std::string& from, const std::string& to) {
    Shell("sync");
    auto start = std::chrono::steady_clock::now();
    step(from, to);
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void Backup(const std::string& data, const std::string& backup) {
    MakeFolderPath(backup);
    BackupRun run;
    run.dataFolder = data;
    run.backupFolder = backup;
    if (!BeginBackup(&run) || !CopyBackupFiles(&run, RunWindow{})) std::abort();
}

void Restore(const std::string& backup, const std::string& data) {
    RestoreRun run;
    run.dataFolder = data;
    run.backupFolder = backup;
    if (!BeginRestore(&run) || RestoreFiles(&run, RunWindow{}) != RestoreResult::kDone) std::abort();
}

void BM_BackupAndRestoreBesideCp(benchmark::State& state) {
    const std::string root = BenchRoot() + "pelmo-backup-bench/";
    RemoveTree(root);
    const std::string data = root + "data/", copy = root + "copy/", backup = root + "backup/";
    MakeDataFolder(data);
    double cp = 0, cpSync = 0, cpOver = 0, backup_ = 0, restore = 0;
    for (auto _ : state) {
        state.PauseTiming();
        RemoveTree(copy);
        RemoveTree(backup);
        state.ResumeTiming();
        double cpAlone = SecondsOf(CopyWithCp, data, copy);
        cp += cpAlone;
        auto synced = std::chrono::steady_clock::now();
        Shell("sync");
        cpSync += cpAlone + std::chrono::duration<double>(std::chrono::steady_clock::now() - synced).count();
        cpOver += SecondsOf(CopyOverWithCp, data, copy);
        backup_ += SecondsOf(Backup, data, backup);
        // The copy goes before the restore, as the last round's copies went
        // before cp: each then writes into memory the system has just freed.
        // Memory it has not touched for a while can cost several times more
        // to fill (in a virtual machine the host hands it back page by page).
        state.PauseTiming();
        RemoveTree(copy);
        state.ResumeTiming();
        restore += SecondsOf(Restore, backup, data);
    }
    double rounds = static_cast<double>(state.iterations());
    state.counters["cp_s"] = cp / rounds;
    state.counters["backup_s"] = backup_ / rounds;
    state.counters["restore_s"] = restore / rounds;
    state.counters["backup/cp"] = backup_ / cp;
    state.counters["restore/cp"] = restore / cp;
    state.counters["cp_sync_s"] = cpSync / rounds;
    state.counters["restore/cp_sync"] = restore / cpSync;
    state.counters["cp_over_s"] = cpOver / rounds;
    state.counters["restore/cp_over"] = restore / cpOver;
    RemoveTree(root);
}
BENCHMARK(BM_BackupAndRestoreBesideCp)->Unit(benchmark::kSecond)->Iterations(3);

}  // namespace
