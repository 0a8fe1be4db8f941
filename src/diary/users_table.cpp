#include "diary/users_table.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "corelib/files.h"
#include "corelib/sjis.h"
#include "diary/diary_store.h"
#include "diary/input_items.h"
#include "diary/user_file.h"
#include "diary/users_table_repair.h"

const char* const kUsersTable = "ﾕｰｻﾞ.DBF";
const char* const kUsersNumberField = "番号";
const char* const kUsersNameField = "氏名";

namespace {

const DbfFieldSpec kUsersFields[] = {
    {kUsersNumberField, 'N', kUsersNumberWidth, 0},
    {kUsersNameField, 'C', kUsersNameWidth, 0},
};
// A table found missing or damaged by whatever reads it first is rebuilt from
// the data files, never created empty over the diaries it listed.
const DbfLayout kUsersLayout = {kUsersTable, kUsersFields, 2, MendUsersTable};

// Declared before main: every part of the program that names the table links
// this file, so no access to the table comes before the declaration.
[[maybe_unused]] const bool kUsersLayoutDeclared = (DeclareDbfLayout(&kUsersLayout), true);

const char kDeletionCaption[] = "ユーザー情報の削除";
const char kBeingEditedText[] = "%sさんは編集中のため削除できません。";
const char kDeletionFailedText[] = "%sさんのユーザー情報を削除できませんでした。";
const char kFileStayedText[] =
    "%sさんのユーザー情報を削除しましたが、ユーザーデータ「%s」は削除できませんでした。\n\n"
    "このファイルは同じフォルダーに残っています。";

Notice DeletionNotice(const char* format, const std::string& name) {
    char text[160];
    std::snprintf(text, sizeof text, format, name.c_str());
    return Notice{text, kDeletionCaption, kMbOk | kMbIconInformation};
}

// The open user's name; "" when none is open.
std::string OpenUserName() {
    if (!IsUserOpen()) return std::string();
    const UserHeader& header = CurrentHeader();
    return std::string(header.name, strnlen(header.name, sizeof header.name));
}

}  // namespace

int EnsureUsersTable() { return EnsureDbfTable(kUsersLayout); }

int RebuildUsersTable(const std::vector<std::string>& rows) { return RebuildDbfTable(kUsersLayout, rows); }

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

bool UsersTableIsWhole() { return CheckDbfTable(kUsersTable) != DbfCondition::kDamaged; }

bool DataFileExists(long number) {
    char name[kFileNameSize];
    DataFileName(number, name);
    // A leftover of a save that died may still become the file at its user's next load.
    return FileExists(name) || FileExists(AtomicTempPath(name).c_str());
}

long NextUserNumber(void* window) {
    // A table that cannot be read whole may hide rows: any number might be someone's.
    if (!UsersTableIsWhole()) return kNoUserNumber;
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
    // A data file without its row (a row lost, a file that could not be
    // deleted with its user) is still somebody's diary.
    for (long i = 0; i <= kMaxUserNumber; ++i)
        if (!used[i] && !DataFileExists(i)) return i;
    return kNoUserNumber;
}

int UserRowOfName(const char* name) {
    std::string key = std::string(kUsersNameField) + ":" + name;
    std::uint16_t* area = AllocSearchDBFMem();
    char* record = AllocDbfRecordMem(kUsersTable);
    int row = -1;
    if (area && record && SearchDBFRecord(nullptr, area, record, kUsersTable, kUsersNameField, key.c_str()))
        row = area[0];
    FreeSearchDBFMem(area);
    FreeDbfRecordMem(record);
    return row;
}

std::string UserNameOfNumber(long number) {
    // One search over the table: the number stands in its field as a row holds it.
    char key[32];
    std::snprintf(key, sizeof key, "%s:%*ld", kUsersNumberField, kUsersNumberWidth, number);
    std::uint16_t* area = AllocSearchDBFMem();
    char* record = AllocDbfRecordMem(kUsersTable);
    char name[kUsersNameWidth + 1] = {};
    if (area && record && SearchDBFRecord(nullptr, area, record, kUsersTable, kUsersNumberField, key) &&
        UserNumberOfRow(record) == number)
        UserNameOfRow(record, name);
    FreeSearchDBFMem(area);
    FreeDbfRecordMem(record);
    return name;
}

UserDeletion DeleteUserOfRow(int row, const char* listedName) {
    char record[kUsersRowLength + 1];
    if (!ReadUsersRow(nullptr, row, record)) return UserDeletion{false, Notice{}};
    const std::string openName = OpenUserName();
    if (!openName.empty() && std::memcmp(record + kUsersNumberWidth, openName.data(), openName.size()) == 0)
        return UserDeletion{false, DeletionNotice(kBeingEditedText, openName)};
    // The open diary by its number too: its header need not hold its row's
    // name (a table rebuilt from the files names a nameless diary "ユーザーN"
    // and a second one of a name "name(N)"), and a diary deleted while open
    // would be written again at the next save, without a row to reach it by.
    if (IsUserOpen() && UserNumberOfRow(record) == CurrentHeader().userNumber)
        return UserDeletion{false, DeletionNotice(kBeingEditedText, listedName ? listedName : "")};
    if (!DeleteDBFNoRecord(nullptr, kUsersTable, row))
        return UserDeletion{false, DeletionNotice(kDeletionFailedText, listedName ? listedName : "")};
    char name[kFileNameSize];
    DataFileName(UserNumberOfRow(record), name);
    // A file that stays keeps its number from any new user (NextUserNumber).
    if (!FileDelete(name)) {
        char text[320];
        std::snprintf(text, sizeof text, kFileStayedText, listedName ? listedName : "", name);
        return UserDeletion{true, Notice{text, kDeletionCaption, kMbOk | kMbIconInformation}};
    }
    return UserDeletion{true, Notice{}};
}
