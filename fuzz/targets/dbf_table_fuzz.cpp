// A dBase table as the program reads any table but the users table: row by
// row through an open handle (ReadDBFRecord2, the food table's road), by row
// number and by search through the table's name (ReadDBFRecord,
// SearchDBFRecord, SearchDBFRecord2, GetDBFInfo), and a row appended and
// removed again (WriteDBFRecord, DeleteDBFNoRecord), with the leftover
// "<table>.new" of an interrupted save. The name is the food table's.
//
// Promises: the two roads of reading agree row for row; reading rows out of
// order gives what reading them in order gave; a search finds only rows that
// exist, in order, and finds the first row by its own first field; an
// appended row reads back as written and a removal restores the count; a
// table's bytes parse back to the same table after it is written.
#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "corelib/dbf.h"
#include "corelib/dbf_table.h"
#include "support/fuzz_support.h"

namespace {

const char kTable[] = "料理食品.DBF";
constexpr std::size_t kMaxRows = 10000;

// The stored row length the header gives, as ReadDBFRecord2 takes it.
std::size_t HeaderRowLength(const FuzzBytes& bytes) {
    return bytes.size() >= 12 ? bytes[10] | (bytes[11] << 8) : 0;
}

// Every live row through one open handle, flag byte first, as the food table is read.
std::vector<std::string> RowsByHandle(std::size_t rowLength) {
    std::vector<std::string> rows;
    FileHandle file = FileOpen(kTable, kFileRead);
    if (file == kInvalidFile) return rows;
    std::vector<char> buffer(rowLength + 1);
    while (rows.size() < kMaxRows && ReadDBFRecord2(nullptr, file, static_cast<int>(rows.size()), buffer.data()))
        rows.emplace_back(buffer.data(), rowLength);
    // Back to front: each read starts afresh and must agree with the run above.
    std::size_t checked = rows.size() < 16 ? rows.size() : 16;
    for (std::size_t i = checked; i-- > 0;) {
        FUZZ_CHECK(ReadDBFRecord2(nullptr, file, static_cast<int>(i), buffer.data()));
        FUZZ_CHECK(std::string(buffer.data(), rowLength) == rows[i]);
    }
    if (!rows.empty() && rows.size() < kMaxRows) {
        FUZZ_CHECK(ReadDBFRecord2(nullptr, file, 0, buffer.data()));
        FUZZ_CHECK(ReadDBFRecord2(nullptr, file, static_cast<int>(rows.size() - 1), buffer.data()));
        FUZZ_CHECK(std::string(buffer.data(), rowLength) == rows.back());
        FUZZ_CHECK(!ReadDBFRecord2(nullptr, file, static_cast<int>(rows.size()), buffer.data()));
    }
    FileClose(file, kTable);
    return rows;
}

void CheckReadByName(const DbfTable& table, const std::vector<std::string>& rows) {
    char* record = AllocDbfRecordMem(kTable);
    FUZZ_CHECK(record != nullptr);
    for (std::size_t r = 0; r < rows.size(); ++r) {
        FUZZ_CHECK(ReadDBFRecord(nullptr, kTable, static_cast<int>(r), record));
        FUZZ_CHECK(std::memcmp(record, rows[r].data() + 1, table.rowLength - 1) == 0);
    }
    FUZZ_CHECK(!ReadDBFRecord(nullptr, kTable, static_cast<int>(rows.size()), record));
    FreeDbfRecordMem(record);
}

void CheckSearches(const DbfTable& table, const std::vector<std::string>& rows) {
    const DbfField& field = table.fields[0];
    std::uint16_t* area = AllocSearchDBFMem();
    FUZZ_CHECK(area != nullptr);
    int found = SearchDBFRecord2(nullptr, area, kTable, field.name.c_str(), "A", "ア", "", "");
    FUZZ_CHECK(found >= 0 && static_cast<std::size_t>(found) <= rows.size());
    for (int i = 0; i < found; ++i) FUZZ_CHECK(area[i] < rows.size() && (i == 0 || area[i - 1] < area[i]));

    // The first row by the value of its first field, as the program searches names.
    if (!rows.empty() && field.name.find(':') == std::string::npos) {
        std::string value = rows[0].substr(1, field.width);
        while (!value.empty() && (value.back() == ' ' || value.back() == '\0')) value.pop_back();
        if (value.find('\0') == std::string::npos) {
            std::string key = field.name + ":" + value;
            char* record = AllocDbfRecordMem(kTable);
            FUZZ_CHECK(SearchDBFRecord(nullptr, area, record, kTable, field.name.c_str(), key.c_str()));
            FUZZ_CHECK(area[0] == 0 && std::memcmp(record, rows[0].data() + 1, table.rowLength - 1) == 0);
            FreeDbfRecordMem(record);
        }
    }
    FreeSearchDBFMem(area);
}

void CheckAppendAndRemove(const DbfTable& table, std::uint32_t count) {
    std::string row(table.rowLength - 1, 'A');
    for (std::size_t i = 0; i < row.size(); i += 7) row[i] = static_cast<char>('0' + i % 10);
    FUZZ_CHECK(WriteDBFRecord(nullptr, kTable, row.c_str(), table.fields[0].name.c_str()) == 1);
    DbfInfo info = {};
    FUZZ_CHECK(GetDBFInfo(kTable, &info) && info.rowCount == count + 1);
    char* record = AllocDbfRecordMem(kTable);
    FUZZ_CHECK(ReadDBFRecord(nullptr, kTable, static_cast<int>(count), record));
    FUZZ_CHECK(row == record);
    FreeDbfRecordMem(record);
    FUZZ_CHECK(DeleteDBFNoRecord(nullptr, kTable, static_cast<int>(count)) == 1);
    FUZZ_CHECK(GetDBFInfo(kTable, &info) && info.rowCount == count);

    DbfTable again;
    std::vector<char> bytes = SerializeDbf(table);
    FUZZ_CHECK(ParseDbf(bytes, &again));
    // Only the date and the row count of the header are brought up to date.
    FUZZ_CHECK(again.header.size() == table.header.size() &&
               std::equal(again.header.begin() + 8, again.header.end(), table.header.begin() + 8));
    FUZZ_CHECK(again.rows == table.rows && again.rowLength == table.rowLength);
    FUZZ_CHECK(again.fields.size() == table.fields.size());
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    DefaultFuzzFlag(argc, argv, "-max_len=8192");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* input, std::size_t size) {
    FuzzInputBegins();
    ResetFuzzFolder();
    PlaceFile(kTable, input, size);

    DbfInfo info = {};
    int known = GetDBFInfo(kTable, &info);  // settles the leftover first
    FUZZ_CHECK(!DataFileExists(LeftoverName(kTable).c_str()));
    std::vector<std::string> rows = RowsByHandle(HeaderRowLength(ReadDataFile(kTable)));
    if (!known || rows.size() >= kMaxRows) return 0;

    FuzzBytes stored = ReadDataFile(kTable);
    DbfTable table;
    FUZZ_CHECK(ParseDbf(std::vector<char>(stored.begin(), stored.end()), &table));
    FUZZ_CHECK(info.rowCount == rows.size());
    CheckReadByName(table, rows);
    CheckSearches(table, rows);
    CheckAppendAndRemove(table, info.rowCount);
    return 0;
}
