// The open user's diary in memory: one instance for the whole run.
//
// The record block holds the records contiguously in date order, grown and
// shrunk one record at a time. Other parts of the program read it in place
// (DiaryRecords/DiaryRecordCount) and keep no copies; only the operations here,
// the record dialog (through the staging record and StoreDay) and the user and
// target dialogs (through the staging header) change it.
#ifndef PELMO_DIARY_DIARY_STORE_H
#define PELMO_DIARY_DIARY_STORE_H

#include <cstddef>
#include <cstdint>

#include "corelib/notice.h"
#include "diary/records.h"

// --- Read access -----------------------------------------------------------
const UserHeader& CurrentHeader();
const DailyRecord* DiaryRecords();    // null when there are no records
std::uint32_t DiaryRecordCount();     // the current header's record count
bool IsUserOpen();                    // a user was loaded or created this run
// Moves on at every change of the records (a day stored or deleted, another
// diary taken over or closed; not a cached BMI): what is worked out from the
// records is worked out again only when it moved.
std::uint64_t DiaryRecordsRevision();

// --- State the dialogs fill ------------------------------------------------
UserHeader& StagingHeader();
DailyRecord& StagingRecord();
InputItemFlags& InputItems();
// The current header's fields other than the record count (targets, details).
// The count always follows the record block.
void SetCurrentHeaderDetails(const UserHeader& header);
// The record table caches each day's BMI in its record as it paints the row.
void SetRecordBmi(std::uint32_t index, double bmi);

// --- Days --------------------------------------------------------------------
constexpr long kNoDay = -1;

// Index of the record whose 8 date bytes equal date, or kNoDay.
long FindDay(const char* date);

// What StoreDay did.
struct StoreOutcome {
    long position;   // the record's 1-based position; 0 when nothing was stored
    bool inserted;   // a new day: the record list wants one more line
    Notice notice;   // memory ran out: the diary is unchanged
};
// Stores record: a replacement of its date, or an insertion in date order.
StoreOutcome StoreDay(const DailyRecord& record);

// The question asked before the record at index is deleted.
Notice DeleteDayQuestion(std::uint32_t index);
// Deletes the record at index; the later ones move up. 1 when deleted, 0
// without such a record.
int DeleteDay(std::uint32_t index);

// The date of the last record into out (9 bytes, NUL-terminated); 0 without records.
int LastDayDate(char* out);

// --- Whole-store changes (used by the user-file operations) ----------------
// Takes over block (count records, malloc'd, room for capacity records) and
// header as the open user's; frees the previous block.
void AdoptUser(const UserHeader& header, DailyRecord* block, std::uint32_t count, std::uint32_t capacity);
// No user open: header, block, staging record and flag cleared.
void CloseUser();
void SetUserOpen();

// --- Saving ----------------------------------------------------------------
// True while the open user's diary in memory differs from its file: a day
// stored or deleted, the header changed, or a damaged file loaded and mended
// in memory (a cached BMI does not count). The ends of a run (exit, the
// end of the Windows session, the diary window's destruction) write the
// diary only then.
bool HasUnsavedChanges();
void MarkDiarySaved();    // the file now holds what memory holds
void MarkDiaryChanged();

// --- Memory ----------------------------------------------------------------
// Every allocation of the record block goes through this function (realloc's
// contract; size 0 is never asked for). Tests replace it to run out of memory.
using BlockResizeFunction = void* (*)(void* block, std::size_t bytes);
BlockResizeFunction SetBlockResizeFunction(BlockResizeFunction function);  // null: realloc
void* ResizeBlock(void* block, std::size_t bytes);

// The notice when the record block cannot grow.
extern const char kOutOfMemoryStoreText[];
extern const char kOutOfMemoryCaption[];

#endif
