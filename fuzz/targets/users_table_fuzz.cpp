// The users table "ﾕｰｻﾞ.DBF" as the program uses it: its row count and the
// next free user number (registration), every row by number (the user
// dialogs), the search for the last user's name at start-up and the keyword
// search of the open and delete dialogs, the opening of the first row's user,
// and a new user's row appended and removed again; with the leftover
// "ﾕｰｻﾞ.DBF.new" of an interrupted save.
//
// Promises: every row below the count reads and none beyond it; a new number
// is one a user can have; a search finds only rows that exist, in order, and
// what it hands over is the row itself; a table in the program's own layout
// takes a new user's row and gives it back unchanged.
#include <cstdio>
#include <cstring>
#include <string>

#include "corelib/dbf.h"
#include "corelib/dbf_table.h"
#include "diary/diary_store.h"
#include "diary/user_file.h"
#include "diary/users_table.h"
#include "support/fuzz_support.h"

namespace {

constexpr long kRowsRead = 256;

bool HasProgramLayout() {
    FuzzBytes stored = ReadDataFile(kUsersTable);
    DbfTable table;
    return ParseDbf(std::vector<char>(stored.begin(), stored.end()), &table) && table.fields.size() == 2 &&
           table.fields[0].width == kUsersNumberWidth && table.fields[1].width == kUsersNameWidth;
}

// Start-up: the row of the name stored at the last exit.
void CheckNameSearch(const char* name, std::uint32_t count) {
    std::string key = std::string(kUsersNameField) + ":" + name;
    std::uint16_t* area = AllocSearchDBFMem();
    char* record = AllocDbfRecordMem(kUsersTable);
    FUZZ_CHECK(area && record);
    if (SearchDBFRecord(nullptr, area, record, kUsersTable, kUsersNameField, key.c_str())) {
        FUZZ_CHECK(area[0] < count);
        char row[kUsersRowLength + 1];
        FUZZ_CHECK(ReadUsersRow(nullptr, area[0], row));
        FUZZ_CHECK(std::memcmp(row, record, kUsersRowLength) == 0);
    }
    // The dialogs: names that contain the first characters of this one.
    std::string word(name, std::strlen(name) < 2 ? std::strlen(name) : 2);
    int found = SearchDBFRecord2(nullptr, area, kUsersTable, kUsersNameField, word.c_str(), word.c_str(), "", "");
    FUZZ_CHECK(found <= static_cast<int>(count));
    for (int i = 0; i < found; ++i) FUZZ_CHECK(area[i] < count && (i == 0 || area[i - 1] < area[i]));
    FreeDbfRecordMem(record);
    FreeSearchDBFMem(area);
}

// The first row's user, from a data file that lost its header: the header
// comes from the row.
void OpenFirstUser(long number) {
    if (number == kNoUserNumber) return;
    char file[32];
    std::snprintf(file, sizeof file, "%ld.DAT", number);
    WriteDataFile(file, nullptr, 0);
    CloseUser();
    if (LoadUser(0).done) FUZZ_CHECK(CurrentHeader().userNumber == number && DiaryRecordCount() == 0);
    CloseUser();
}

void CheckNewUserRow(long number, std::uint32_t count) {
    if (number == kNoUserNumber || !HasProgramLayout()) return;
    char row[kUsersRowLength + 1];
    FormatUsersRow(number, "新人　花子", row);
    FUZZ_CHECK(WriteDBFRecord(nullptr, kUsersTable, row, kUsersNameField) == 1);
    char back[kUsersRowLength + 1];
    FUZZ_CHECK(ReadUsersRow(nullptr, static_cast<int>(count), back));
    FUZZ_CHECK(std::strcmp(row, back) == 0);
    FUZZ_CHECK(DeleteDBFNoRecord(nullptr, kUsersTable, static_cast<int>(count)) == 1);
    DbfInfo info = {};
    FUZZ_CHECK(GetDBFInfo(kUsersTable, &info) && info.rowCount == count);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    DefaultFuzzFlag(argc, argv, "-max_len=4096");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* input, std::size_t size) {
    FuzzInputBegins();
    ResetFuzzFolder();
    PlaceFile(kUsersTable, input, size);

    DbfInfo info = {};
    int known = GetDBFInfo(kUsersTable, &info);
    FUZZ_CHECK(!DataFileExists(LeftoverName(kUsersTable).c_str()));
    long number = NextUserNumber(nullptr);
    if (number != kNoUserNumber) FUZZ_CHECK(number >= 0 && number <= kMaxUserNumber);
    if (!known) return 0;

    char row[kUsersRowLength + 1];
    long rows = static_cast<long>(info.rowCount) < kRowsRead ? static_cast<long>(info.rowCount) : kRowsRead;
    for (long r = 0; r < rows; ++r) {
        FUZZ_CHECK(ReadUsersRow(nullptr, static_cast<int>(r), row));
        FUZZ_CHECK(std::strlen(row) <= static_cast<std::size_t>(kUsersRowLength));
    }
    FUZZ_CHECK(!ReadUsersRow(nullptr, static_cast<int>(info.rowCount), row));
    if (info.rowCount > 0) {
        FUZZ_CHECK(ReadUsersRow(nullptr, 0, row));
        char name[kUsersNameWidth + 1];
        UserNameOfRow(row, name);
        CheckNameSearch(name, info.rowCount);
        OpenFirstUser(UserNumberOfRow(row));
    }
    CheckNewUserRow(number, info.rowCount);
    return 0;
}
