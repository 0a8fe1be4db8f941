#include "backup/backup_info.h"

#include <chrono>
#include <cstring>
#include <ctime>

#include "corelib/files.h"

const char kBackupInfoName[] = "PLBKINFO.DAT";

BackupTime BackupTimeNow() {
    using namespace std::chrono;
    system_clock::time_point now = system_clock::now();
    std::time_t seconds = system_clock::to_time_t(now);
    std::tm local = *std::localtime(&seconds);  // one thread: the static result is ours
    BackupTime time = {};
    time.year = static_cast<uint16_t>(local.tm_year + 1900);
    time.month = static_cast<uint16_t>(local.tm_mon + 1);
    time.dayOfWeek = static_cast<uint16_t>(local.tm_wday);
    time.day = static_cast<uint16_t>(local.tm_mday);
    time.hour = static_cast<uint16_t>(local.tm_hour);
    time.minute = static_cast<uint16_t>(local.tm_min);
    time.second = static_cast<uint16_t>(local.tm_sec < 59 ? local.tm_sec : 59);  // a leap second reads as 60
    time.milliseconds = static_cast<uint16_t>(duration_cast<milliseconds>(now.time_since_epoch()).count() % 1000);
    return time;
}

bool SameRun(const BackupTime& a, const BackupTime& b) { return std::memcmp(&a, &b, sizeof(BackupTime)) == 0; }

namespace {

// The range of the system clock's local time (the years Windows can show).
bool IsClockTime(const BackupTime& t) {
    return t.year >= 1601 && t.year <= 30827 && t.month >= 1 && t.month <= 12 && t.dayOfWeek <= 6 && t.day >= 1 &&
           t.day <= 31 && t.hour <= 23 && t.minute <= 59 && t.second <= 59 && t.milliseconds <= 999;
}

bool IsSound(const BackupInfo& info) {
    return info.diskNumber >= 1 && info.continues <= 1 && IsClockTime(info.startTime);
}

}  // namespace

BackupInfoState ExamineBackupInfo(const std::string& folder, BackupInfo* info) {
    FileHandle file = FileOpen2((folder + kBackupInfoName).c_str(), kFileRead);
    if (file == kInvalidFile) return BackupInfoState::kMissing;
    // One byte more than the record: a longer file is no information file either.
    unsigned char bytes[sizeof(BackupInfo) + 1] = {};
    long got = FileRead(file, kBackupInfoName, bytes, sizeof(bytes));
    FileClose(file, kBackupInfoName);
    if (got != static_cast<long>(sizeof(BackupInfo))) return BackupInfoState::kDamaged;
    BackupInfo read = {};
    std::memcpy(&read, bytes, sizeof(read));
    if (!IsSound(read)) return BackupInfoState::kDamaged;
    *info = read;
    return BackupInfoState::kSound;
}

int ReadBackupInfo(const std::string& folder, BackupInfo* info) {
    return ExamineBackupInfo(folder, info) == BackupInfoState::kSound ? 1 : 0;
}

int WriteBackupInfo(const std::string& folder, const BackupInfo& info) {
    FileHandle file = FileOpen2((folder + kBackupInfoName).c_str(), kFileCreate);
    if (file == kInvalidFile) return 0;
    bool whole = FileWrite(file, kBackupInfoName, &info, sizeof(info)) == static_cast<long>(sizeof(info));
    return FileClose(file, kBackupInfoName) == 1 && whole ? 1 : 0;
}
