// The backup information file "PLBKINFO.DAT" on every disk of a backup: which
// run wrote the disk, its place in the series, whether the series goes on,
// and how many data files the whole backup holds. 21 bytes, packed,
// little-endian.
#ifndef PELMO_BACKUP_BACKUP_INFO_H
#define PELMO_BACKUP_BACKUP_INFO_H

#include <cstddef>
#include <cstdint>
#include <string>

#pragma pack(push, 1)

// The local time a backup run started, field by field as Windows keeps it.
// Its 16 bytes identify the run: every disk of one run carries the same bytes.
struct BackupTime {
    uint16_t year;
    uint16_t month;
    uint16_t dayOfWeek;  // 0 = Sunday
    uint16_t day;
    uint16_t hour;
    uint16_t minute;
    uint16_t second;
    uint16_t milliseconds;
};

struct BackupInfo {
    uint16_t diskNumber;    // 1 on the first disk, one more on each following disk
    BackupTime startTime;
    uint8_t continues;      // 1 when the backup goes on on the next disk, 0 on the last
    uint16_t fileCount;     // data files in the whole backup
};

#pragma pack(pop)

static_assert(sizeof(BackupTime) == 16, "the start time is 16 bytes");
static_assert(sizeof(BackupInfo) == 21, "PLBKINFO.DAT is 21 bytes");
static_assert(offsetof(BackupInfo, diskNumber) == 0, "");
static_assert(offsetof(BackupInfo, startTime) == 2, "");
static_assert(offsetof(BackupInfo, continues) == 18, "");
static_assert(offsetof(BackupInfo, fileCount) == 19, "");

extern const char kBackupInfoName[];  // "PLBKINFO.DAT"

// Now, in local time.
BackupTime BackupTimeNow();
// True when both times are the same 16 bytes: the same run.
bool SameRun(const BackupTime& a, const BackupTime& b);

// What the information file of folder (with its final separator) holds.
// Only a file of exactly 21 bytes that says what a backup of ours says (a
// disk from 1 on, a start time the clock can show, a continuation flag of 0
// or 1) is sound; info receives it then and is untouched otherwise.
enum class BackupInfoState { kMissing, kDamaged, kSound };
BackupInfoState ExamineBackupInfo(const std::string& folder, BackupInfo* info);
// 1 when the information file of folder is sound (info receives it).
int ReadBackupInfo(const std::string& folder, BackupInfo* info);
// Creates or replaces it; 1 only when all 21 bytes were written.
int WriteBackupInfo(const std::string& folder, const BackupInfo& info);

#endif
