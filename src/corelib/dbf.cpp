#include "corelib/dbf.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string>

#include "corelib/dbf_table.h"
#include "corelib/sjis.h"

namespace {

// The length of a field's text without its trailing blanks (spaces and NULs).
std::size_t TrimmedLength(const char* text, std::size_t length) {
    while (length > 0 && (text[length - 1] == ' ' || text[length - 1] == '\0')) --length;
    return length;
}

// True when word occurs in text at a character boundary (Shift-JIS): a match
// never starts on the trail byte of a double-byte character.
bool ContainsWord(const char* text, std::size_t length, const char* word, std::size_t wordLength) {
    if (wordLength == 0) return true;
    for (std::size_t i = 0; i + wordLength <= length;) {
        if (std::memcmp(text + i, word, wordLength) == 0) return true;
        i += IsSjisLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < length ? 2 : 1;
    }
    return false;
}

// Reads the stored row `physical` of an open table into buffer (flag included).
bool ReadStoredRow(FileHandle file, std::size_t headerLength, std::size_t rowLength, std::size_t physical,
                   char* buffer) {
    long at = static_cast<long>(headerLength + physical * rowLength);
    return FileSeek(file, "", at) == at &&
           FileRead(file, "", buffer, static_cast<long>(rowLength)) == static_cast<long>(rowLength);
}

// Where the last ReadDBFRecord2 left off, so that reading a table row after
// row does not count the deleted rows from the start every time.
struct RowCursor {
    FileHandle file = kInvalidFile;
    std::int64_t size = -1;
    long row = -1;
    std::size_t physical = 0;
};
RowCursor g_cursor;

// The layouts the program declared, found by table name.
constexpr int kMaxDeclaredLayouts = 8;
const DbfLayout* g_layouts[kMaxDeclaredLayouts] = {};
int g_layoutCount = 0;

const DbfLayout* DeclaredLayout(const char* table) {
    for (int i = 0; i < g_layoutCount; ++i)
        if (SameTextIgnoringCase(table, g_layouts[i]->table)) return g_layouts[i];
    return nullptr;
}

bool g_mending = false;

// A table as the callers see it: a declared one that is missing or not whole
// goes to its layout's mend first, and is created when still missing.
bool LoadTable(const char* table, DbfTable* loaded) {
    const DbfLayout* layout = DeclaredLayout(table);
    if (layout && layout->mend && !g_mending) {
        RecoverAtomicFile(table, DbfFileIsComplete, nullptr);
        if (FileExists(table) && LoadDbf(table, layout, loaded) && loaded->whole) return true;
        g_mending = true;
        layout->mend();
        g_mending = false;
        *loaded = DbfTable{};
    }
    if (layout && !EnsureDbfTable(*layout)) return false;
    return LoadDbf(table, layout, loaded);
}

// A table to be changed: only a whole one.
bool LoadTableToChange(const char* table, DbfTable* loaded) { return LoadTable(table, loaded) && loaded->whole; }

}  // namespace

void DeclareDbfLayout(const DbfLayout* layout) {
    if (layout == nullptr || DeclaredLayout(layout->table) || g_layoutCount == kMaxDeclaredLayouts) return;
    g_layouts[g_layoutCount++] = layout;
}

int EnsureDbfTable(const DbfLayout& layout) {
    RecoverAtomicFile(layout.table, DbfFileIsComplete, nullptr);
    if (FileExists(layout.table)) return 1;
    return CreateDBFTable(layout.table, layout.fields, layout.count);
}

char* AllocDbfRecordMem(const char* table) {
    DbfTable loaded;
    if (!LoadTable(table, &loaded)) return nullptr;
    // Room for the deletion flag (ReadDBFRecord2) and the NUL.
    std::size_t size = std::max(loaded.rowLength, HandedRowLength(loaded)) + 1;
    return static_cast<char*>(std::calloc(size, 1));
}

void FreeDbfRecordMem(char* record) { std::free(record); }

std::uint16_t* AllocSearchDBFMem() {
    return static_cast<std::uint16_t*>(std::calloc(kDbfSearchCapacity, sizeof(std::uint16_t)));
}

void FreeSearchDBFMem(std::uint16_t* area) { std::free(area); }

int SearchDBFRecord(void*, std::uint16_t* area, char* record, const char* table, const char* field,
                    const char* key) {
    DbfTable loaded;
    if (key == nullptr || !LoadTable(table, &loaded)) return 0;
    const DbfField* column = FindDbfField(loaded, field);
    if (column == nullptr) return 0;
    // ':' (0x3A) is never a trail byte, so a byte search is safe here.
    const char* colon = std::strchr(key, ':');
    const char* value = colon ? colon + 1 : key;
    std::size_t valueLength = TrimmedLength(value, std::strlen(value));
    long row = 0;
    for (std::size_t physical = 0; physical < loaded.rowCount(); ++physical) {
        const char* stored = loaded.row(physical);
        if (stored[0] == kDbfDeletedFlag) continue;
        const char* text = stored + 1 + column->offset;
        if (row < static_cast<long>(kDbfSearchCapacity) && TrimmedLength(text, column->width) == valueLength &&
            std::memcmp(text, value, valueLength) == 0) {
            if (area) area[0] = static_cast<std::uint16_t>(row);
            if (record) HandOverRow(loaded, physical, record);
            return 1;
        }
        ++row;
    }
    return 0;
}

int SearchDBFRecord2(void*, std::uint16_t* area, const char* table, const char* field, const char* word1,
                     const char* word2, const char*, const char*) {
    DbfTable loaded;
    if (area == nullptr || !LoadTable(table, &loaded)) return -1;
    const DbfField* column = FindDbfField(loaded, field);
    if (column == nullptr) return -1;
    const char* first = word1 ? word1 : "";
    const char* second = word2 ? word2 : "";
    std::size_t firstLength = TrimmedLength(first, std::strlen(first));
    std::size_t secondLength = TrimmedLength(second, std::strlen(second));
    bool useSecond = secondLength > 0 && firstLength > 0 &&
                     (secondLength != firstLength || std::memcmp(first, second, firstLength) != 0);
    int found = 0;
    long row = 0;
    for (std::size_t physical = 0; physical < loaded.rowCount(); ++physical) {
        const char* stored = loaded.row(physical);
        if (stored[0] == kDbfDeletedFlag) continue;
        const char* text = stored + 1 + column->offset;
        std::size_t length = TrimmedLength(text, column->width);
        bool match = ContainsWord(text, length, first, firstLength) ||
                     (useSecond && ContainsWord(text, length, second, secondLength));
        if (match) {
            if (row >= static_cast<long>(kDbfSearchCapacity)) break;
            area[found++] = static_cast<std::uint16_t>(row);
            if (found >= static_cast<int>(kDbfSearchCapacity)) break;
        }
        ++row;
    }
    return found;
}

int ReadDBFRecord(void*, const char* table, int row, char* buffer) {
    DbfTable loaded;
    if (buffer == nullptr || !LoadTable(table, &loaded)) return 0;
    long physical = PhysicalRow(loaded, row);
    if (physical < 0) return 0;
    HandOverRow(loaded, static_cast<std::size_t>(physical), buffer);
    return 1;
}

int ReadDBFRecord2(void*, FileHandle file, int row, char* buffer) {
    if (file == kInvalidFile || buffer == nullptr || row < 0) return 0;
    unsigned char header[kDbfHeaderSize];
    if (FileSeek(file, "", 0) != 0 || FileRead(file, "", header, kDbfHeaderSize) != long(kDbfHeaderSize) ||
        (header[0] & 0x07) != kDbfVersion)
        return 0;
    std::size_t count = header[4] | (header[5] << 8) | (header[6] << 16) | (std::size_t(header[7]) << 24);
    std::size_t headerLength = header[8] | (header[9] << 8);
    std::size_t rowLength = header[10] | (header[11] << 8);
    std::int64_t size = FileSize(file);
    if (rowLength == 0 || size < 0 || headerLength > std::size_t(size)) return 0;
    std::size_t available = (static_cast<std::size_t>(size) - headerLength) / rowLength;
    if (count > available) count = available;

    // A read of row 0 starts afresh: a new table may have got the handle value of a closed one.
    bool resume = row > 0 && g_cursor.file == file && g_cursor.size == size && g_cursor.row >= 0 && g_cursor.row <= row;
    long live = resume ? g_cursor.row : -1;
    std::size_t physical = resume ? g_cursor.physical : 0;
    if (resume) {
        if (live == row) {
            if (!ReadStoredRow(file, headerLength, rowLength, physical, buffer)) return 0;
            buffer[rowLength] = '\0';
            return 1;
        }
        ++physical;
    }
    for (; physical < count; ++physical) {
        if (!ReadStoredRow(file, headerLength, rowLength, physical, buffer)) return 0;
        if (buffer[0] == kDbfDeletedFlag) continue;
        if (++live == row) {
            buffer[rowLength] = '\0';
            g_cursor = RowCursor{file, size, live, physical};
            return 1;
        }
    }
    return 0;
}

int WriteDBFRecord(void*, const char* table, const char* row, const char*) {
    DbfTable loaded;
    if (row == nullptr || !LoadTableToChange(table, &loaded)) return 0;
    std::string stored = TakeOverRow(loaded, row);
    try {
        loaded.rows.insert(loaded.rows.end(), stored.begin(), stored.end());
    } catch (const std::bad_alloc&) {
        return 0;
    }
    return SaveDbf(table, loaded) ? 1 : 0;
}

int DeleteDBFNoRecord(void*, const char* table, int row) {
    DbfTable loaded;
    if (!LoadTableToChange(table, &loaded)) return 0;
    long physical = PhysicalRow(loaded, row);
    if (physical < 0) return 0;
    auto first = loaded.rows.begin() + static_cast<std::ptrdiff_t>(physical * loaded.rowLength);
    loaded.rows.erase(first, first + static_cast<std::ptrdiff_t>(loaded.rowLength));
    return SaveDbf(table, loaded) ? 1 : 0;
}

int GetDBFInfo(const char* table, DbfInfo* out) {
    if (out == nullptr) return 0;
    std::memset(out, 0, sizeof(*out));
    DbfTable loaded;
    if (!LoadTable(table, &loaded)) return 0;
    std::memcpy(out, loaded.header.data(), sizeof(*out));
    out->rowCount = static_cast<std::uint32_t>(LiveRowCount(loaded));
    return 1;
}

int CreateDBFTable(const char* table, const DbfFieldSpec* fields, int count) {
    DbfTable fresh;
    return NewDbf(fields, count, &fresh) && SaveDbf(table, fresh) ? 1 : 0;
}

DbfCondition CheckDbfTable(const char* table) {
    RecoverAtomicFile(table, DbfFileIsComplete, nullptr);
    if (!FileExists(table)) return DbfCondition::kMissing;
    DbfTable loaded;
    return LoadDbf(table, nullptr, &loaded) && loaded.whole ? DbfCondition::kWhole : DbfCondition::kDamaged;
}

int RebuildDbfTable(const DbfLayout& layout, const std::vector<std::string>& rows) {
    DbfTable fresh;
    if (!NewDbf(layout.fields, layout.count, &fresh)) return 0;
    fresh.layout = &layout;
    try {
        for (const std::string& row : rows) {
            std::string stored = TakeOverRow(fresh, row.c_str());
            fresh.rows.insert(fresh.rows.end(), stored.begin(), stored.end());
        }
    } catch (const std::bad_alloc&) {
        return 0;
    }
    return SaveDbf(layout.table, fresh) ? 1 : 0;
}
