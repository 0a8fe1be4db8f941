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
    time.second = static_cast<uint16_t>(local.tm_sec);
    time.milliseconds = static_cast<uint16_t>(duration_cast<milliseconds>(now.time_since_epoch()).count() % 1000);
    return time;
}

bool SameRun(const BackupTime& a, const BackupTime& b) { return std::memcmp(&a, &b, sizeof(BackupTime)) == 0; }

int ReadBackupInfo(const std::string& folder, BackupInfo* info) {
    FileHandle file = FileOpen2((folder + kBackupInfoName).c_str(), kFileRead);
    if (file == kInvalidFile) return 0;
    BackupInfo read = {};
    bool whole = FileRead(file, kBackupInfoName, &read, sizeof(read)) == static_cast<long>(sizeof(read));
    FileClose(file, kBackupInfoName);
    if (!whole) return 0;
    *info = read;
    return 1;
}

int WriteBackupInfo(const std::string& folder, const BackupInfo& info) {
    FileHandle file = FileOpen2((folder + kBackupInfoName).c_str(), kFileCreate);
    if (file == kInvalidFile) return 0;
    bool whole = FileWrite(file, kBackupInfoName, &info, sizeof(info)) == static_cast<long>(sizeof(info));
    return FileClose(file, kBackupInfoName) == 1 && whole ? 1 : 0;
}
