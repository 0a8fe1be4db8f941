// A dBase III table held whole in memory: the parsing and writing behind dbf.h.
// It knows no table of the program's: a layout to hand rows over in is given.
#ifndef PELMO_CORELIB_DBF_TABLE_H
#define PELMO_CORELIB_DBF_TABLE_H

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "corelib/dbf.h"

constexpr unsigned char kDbfVersion = 0x03;
constexpr unsigned char kDbfHeaderEnd = 0x0D;
constexpr unsigned char kDbfFileEnd = 0x1A;
constexpr unsigned char kDbfLanguageJapanese = 0x7B;  // code page 932
constexpr char kDbfLiveFlag = ' ';
constexpr char kDbfDeletedFlag = '*';
constexpr std::size_t kDbfHeaderSize = 32;
constexpr std::size_t kDbfDescriptorSize = 32;
constexpr std::size_t kDbfFieldNameSize = 11;
constexpr std::size_t kDbfLanguageOffset = 29;

struct DbfField {
    std::string name;
    char type;
    std::size_t width;
    std::size_t offset;  // within a row, after the deletion flag
};

struct DbfTable {
    std::vector<unsigned char> header;  // header and descriptors as stored, through the 0x0D
    std::vector<DbfField> fields;
    std::size_t rowLength = 0;          // including the deletion flag
    std::vector<char> rows;             // every stored row, deleted ones too
    const DbfLayout* layout = nullptr;  // rows are handed over in this layout; null: as stored
    // The bytes held exactly the rows the header counts, each starting with its
    // flag, right after the header: nothing was cut, added or shifted.
    bool whole = false;
    std::size_t rowCount() const { return rowLength ? rows.size() / rowLength : 0; }
    const char* row(std::size_t physical) const { return rows.data() + physical * rowLength; }
    char* row(std::size_t physical) { return rows.data() + physical * rowLength; }
};

// Parses a table's bytes; rows beyond the end of the bytes are not taken, and
// table->whole says whether anything was amiss. false when it is no dBase III table.
bool ParseDbf(const std::vector<char>& bytes, DbfTable* table);
// The bytes of a table: header (count and date brought up to date), rows, end marker.
std::vector<char> SerializeDbf(const DbfTable& table);
// An empty table with these fields, language driver 0x7B. false on a bad field.
bool NewDbf(const DbfFieldSpec* fields, int count, DbfTable* table);

// Reads a table file (bare names in the data folder), settling a leftover of
// an interrupted save first; its rows are handed over in layout (may be null).
bool LoadDbf(const char* name, const DbfLayout* layout, DbfTable* table);
// Replaces the table file crash-safely.
bool SaveDbf(const char* name, const DbfTable& table);
// True when the file at path is a whole table (used to judge leftovers).
bool DbfFileIsComplete(const char* path, void* context);

// The stored row of live row `row`, or -1.
long PhysicalRow(const DbfTable& table, long row);
long LiveRowCount(const DbfTable& table);
// The field named name (ASCII case ignored), or null.
const DbfField* FindDbfField(const DbfTable& table, const char* name);

// The length of a row as callers see it (fields only, without the NUL).
std::size_t HandedRowLength(const DbfTable& table);
// Copies stored row `physical` as callers see it, NUL-terminated: in the
// table's layout when it has one and its stored fields differ from it.
void HandOverRow(const DbfTable& table, std::size_t physical, char* out);
// The stored bytes (deletion flag first) of a row a caller gives; a NUL
// ends the caller's text and the rest is blank.
std::string TakeOverRow(const DbfTable& table, const char* row);

#endif
