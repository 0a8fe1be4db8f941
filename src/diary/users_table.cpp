#include "diary/users_table.h"

#include <cstdio>
#include <cstring>
#include <vector>

#include "corelib/sjis.h"

const char* const kUsersTable = "ﾕｰｻﾞ.DBF";
const char* const kUsersNumberField = "番号";
const char* const kUsersNameField = "氏名";

namespace {

const DbfFieldSpec kUsersFields[] = {
    {kUsersNumberField, 'N', kUsersNumberWidth, 0},
    {kUsersNameField, 'C', kUsersNameWidth, 0},
};
const DbfLayout kUsersLayout = {kUsersTable, kUsersFields, 2};

// Declared before main: every part of the program that names the table links
// this file, so no access to the table comes before the declaration.
[[maybe_unused]] const bool kUsersLayoutDeclared = (DeclareDbfLayout(&kUsersLayout), true);

}  // namespace

int EnsureUsersTable() { return EnsureDbfTable(kUsersLayout); }

void FormatUsersRow(long number, const char* name, char* out) {
    char digits[16];
    std::snprintf(digits, sizeof digits, "%5ld", number);
    std::memcpy(out, digits, kUsersNumberWidth);
    std::size_t length = SjisFitLength(name, kUsersNameWidth);
    std::memset(out + kUsersNumberWidth, ' ', kUsersNameWidth);
    std::memcpy(out + kUsersNumberWidth, name, length);
    out[kUsersRowLength] = '\0';
}

long UserNumberOfRow(const char* row) {
    // Only the number's own 5 characters: a name starting with digits is not part of it.
    int i = 0;
    while (i < kUsersNumberWidth && row[i] == ' ') ++i;
    if (i == kUsersNumberWidth || row[i] < '0' || row[i] > '9') return kNoUserNumber;
    long number = 0;
    for (; i < kUsersNumberWidth && row[i] >= '0' && row[i] <= '9'; ++i) number = number * 10 + (row[i] - '0');
    return number;
}

void UserNameOfRow(const char* row, char* out) {
    std::size_t length = kUsersNameWidth;
    const char* name = row + kUsersNumberWidth;
    // 0x20 is never the trail byte of a double-byte character.
    while (length > 0 && (name[length - 1] == ' ' || name[length - 1] == '\0')) --length;
    std::memcpy(out, name, length);
    out[length] = '\0';
}

int ReadUsersRow(void* window, int row, char* out) {
    char* buffer = AllocDbfRecordMem(kUsersTable);
    if (!buffer) return 0;
    int read = ReadDBFRecord(window, kUsersTable, row, buffer);
    if (read) {
        std::memcpy(out, buffer, kUsersRowLength);
        out[kUsersRowLength] = '\0';
    }
    FreeDbfRecordMem(buffer);
    return read ? 1 : 0;
}

long NextUserNumber(void* window) {
    DbfInfo info = {};
    if (!GetDBFInfo(kUsersTable, &info)) return FileExists(kUsersTable) ? kNoUserNumber : 0;
    long rows = static_cast<long>(info.rowCount);
    // One flag per possible number; a row outside 0..65534 marks nothing.
    std::vector<bool> used(kMaxUserNumber + 1, false);
    char row[kUsersRowLength + 1];
    for (long r = 0; r < rows; ++r) {
        // A row that cannot be read might hold any number: giving one out could
        // overwrite that user's diary.
        if (!ReadUsersRow(window, static_cast<int>(r), row)) return kNoUserNumber;
        long number = UserNumberOfRow(row);
        if (number >= 0 && number <= kMaxUserNumber) used[number] = true;
    }
    for (long i = 0; i < rows && i <= kMaxUserNumber; ++i)
        if (!used[i]) return i;
    return rows <= kMaxUserNumber ? rows : kNoUserNumber;
}
