// dBase III tables (version 0x03, language driver 0x7B: Japanese, code page 932).
//
// A row buffer holds the fields in order at their widths, without the
// deletion flag (ReadDBFRecord2 alone hands the flag over as byte 0). Rows
// count from 0 over the live rows: rows that another program marked deleted
// ('*') are skipped by every operation alike. Table names are bare names of
// the data folder (or paths), compared without regard to ASCII case.
//
// Every change writes a complete new table and replaces the old one
// crash-safely (files.h); a failure leaves the old table and is reported by
// the result only: the caller tells the user. window: the calling window
// (HWND) or null. A table with a declared layout (DeclareDbfLayout) is created
// when missing, and its rows are handed over and taken in that layout,
// whatever widths another tool gave its fields.
#ifndef PELMO_CORELIB_DBF_H
#define PELMO_CORELIB_DBF_H

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "corelib/files.h"

// The first 32 bytes of a table, as GetDBFInfo hands them over; rowCount
// counts the live rows.
#pragma pack(push, 1)
struct DbfInfo {
    std::uint8_t version;       // 0x03
    std::uint8_t updated[3];    // year - 1900, month, day
    std::uint32_t rowCount;     // callers read its low 16 bits at byte 4
    std::uint16_t headerLength;
    std::uint16_t rowLength;    // including the deletion flag
    std::uint8_t reserved[17];
    std::uint8_t languageDriver;  // 0x7B
    std::uint8_t reserved2[2];
};
#pragma pack(pop)
static_assert(sizeof(DbfInfo) == 32, "dBase header is 32 bytes");
static_assert(offsetof(DbfInfo, rowCount) == 4, "row count at byte 4");
static_assert(offsetof(DbfInfo, languageDriver) == 29, "language driver at byte 29");

// One field of a new table.
struct DbfFieldSpec {
    const char* name;  // at most 10 bytes (Shift-JIS)
    char type;         // 'C' character, 'N' numeric, 'D' date, 'L' logical
    int width;
    int decimals;
};

// The result area of a search: 16-bit row numbers from its start.
constexpr std::size_t kDbfSearchCapacity = 65535;

// A buffer for one row of table (its row length + 1 bytes, zeroed, so that
// ReadDBFRecord2's flag fits and a row can be read as text); null on failure.
char* AllocDbfRecordMem(const char* table);
void FreeDbfRecordMem(char* record);
// A result area of kDbfSearchCapacity words; freed by FreeSearchDBFMem.
std::uint16_t* AllocSearchDBFMem();
void FreeSearchDBFMem(std::uint16_t* area);

// key = field name, ':' , value. Finds the first row whose field equals the
// value (both taken without trailing blanks). Non-zero on a match: area[0]
// is its row number and record receives the row.
int SearchDBFRecord(void* window, std::uint16_t* area, char* record, const char* table,
                    const char* field, const char* key);
// Rows whose field contains word1 (or word2 when it differs), trailing blanks
// ignored, matched character by character in Shift-JIS; an empty word
// matches every row. The row numbers go to area in order; the result is
// their count, -1 when the table cannot be read. The last two arguments are
// accepted and unused.
int SearchDBFRecord2(void* window, std::uint16_t* area, const char* table, const char* field,
                     const char* word1, const char* word2, const char* unused1, const char* unused2);

// Reads row `row` (fields only, then a NUL) into a buffer of AllocDbfRecordMem
// (or one as long as the declared layout's row, plus the NUL). Non-zero while a row was read.
int ReadDBFRecord(void* window, const char* table, int row, char* buffer);
// Reads row `row` of a table opened with FileOpen; buffer receives the
// deletion flag, the fields as stored and a NUL (row length + 1 bytes).
// Non-zero while a row was read.
int ReadDBFRecord2(void* window, FileHandle file, int row, char* buffer);
// Appends a row (fields only, at their widths). keyField names the field the
// caller keys on; rows are appended at the end. 1 on success.
int WriteDBFRecord(void* window, const char* table, const char* row, const char* keyField);
// Removes row `row`; the later rows move down by one. 1 on success.
int DeleteDBFNoRecord(void* window, const char* table, int row);
// Copies the table's header into *out (live rows in rowCount). 1 on success.
int GetDBFInfo(const char* table, DbfInfo* out);

// Creates an empty table (an existing one is replaced). 1 on success.
int CreateDBFTable(const char* table, const DbfFieldSpec* fields, int count);

// What a look at a table file finds, after a leftover of an interrupted save
// was settled. A damaged table (not a dBase III table, or one whose rows are
// not exactly what its header counts: a count changed, a row cut, a header
// length changed) is still read as far as it goes, but WriteDBFRecord and
// DeleteDBFNoRecord refuse it: rewriting it would drop what could not be read.
enum class DbfCondition { kMissing, kWhole, kDamaged };
DbfCondition CheckDbfTable(const char* table);

// The fields a program reads and writes a table by. Rows of a table with a
// declared layout are handed over and taken as these fields at these widths;
// where the stored table differs (another tool widened a field), each field
// is found by name, else by position: numbers are moved right-aligned and
// texts cut without splitting a character.
struct DbfLayout {
    const char* table;         // a bare name of the data folder
    const DbfFieldSpec* fields;
    int count;
    // Called before any access finds the table missing or not whole (never
    // from within itself), so that the program can mend it from what else it
    // keeps before an empty one is created or a damaged one read; null: none.
    void (*mend)() = nullptr;
};
// Declares a layout for the rest of the run (the layout must outlive it).
// The program's own tables declare theirs as the program starts.
void DeclareDbfLayout(const DbfLayout* layout);
// Creates the declared table when it is missing, after settling a leftover of
// an interrupted save; 1 when the table exists afterwards.
int EnsureDbfTable(const DbfLayout& layout);
// Replaces the declared table, whatever it held, with a new one in its layout
// holding rows (each the fields at the layout's widths), crash-safely. 1 on success.
int RebuildDbfTable(const DbfLayout& layout, const std::vector<std::string>& rows);

#endif
