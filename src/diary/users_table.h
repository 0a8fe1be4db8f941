// The users table "ﾕｰｻﾞ.DBF": a row is the user number printed "%5ld" and
// the name in 30 bytes, space-filled. The table is declared to the dBase
// layer (corelib/dbf.h) as the program starts: it is created when missing,
// and its rows are handed over in this 35-byte layout, whatever widths
// another tool gave its fields.
#ifndef PELMO_DIARY_USERS_TABLE_H
#define PELMO_DIARY_USERS_TABLE_H

#include <string>
#include <vector>

#include "corelib/dbf.h"
#include "corelib/notice.h"

extern const char* const kUsersTable;        // "ﾕｰｻﾞ.DBF"
extern const char* const kUsersNumberField;  // "番号"
extern const char* const kUsersNameField;    // "氏名"
constexpr int kUsersNumberWidth = 5;
constexpr int kUsersNameWidth = 30;
constexpr int kUsersRowLength = kUsersNumberWidth + kUsersNameWidth;

// Creates the users table when it is missing; 1 when it exists afterwards.
int EnsureUsersTable();
// Replaces the users table with one of these rows (FormatUsersRow), crash-safely; 1 on success.
int RebuildUsersTable(const std::vector<std::string>& rows);

// User numbers lie in 0..kMaxUserNumber.
constexpr long kMaxUserNumber = 65534;
constexpr long kNoUserNumber = -1;

// A row for number and name into out (kUsersRowLength + 1 bytes, NUL-terminated);
// the name is cut at 30 bytes without splitting a character.
void FormatUsersRow(long number, const char* name, char* out);
// The number in a row's first 5 characters (leading blanks skipped), or kNoUserNumber.
long UserNumberOfRow(const char* row);
// The name of a row without its trailing blanks into out (31 bytes).
void UserNameOfRow(const char* row, char* out);

// Reads row `row` into out (kUsersRowLength + 1 bytes, NUL-terminated) through a
// buffer as wide as the table's own rows, so that a table with wider rows than
// the program's cannot overrun it. 1 on success.
int ReadUsersRow(void* window, int row, char* out);

// The number for a new user: the smallest number that neither a row nor a
// data file (or its leftover new file) has. kNoUserNumber when none is left
// or the table cannot be read whole.
long NextUserNumber(void* window);
// False when the users table exists but cannot be read whole.
bool UsersTableIsWhole();

// The row of the user called name (trailing blanks aside), or -1.
int UserRowOfName(const char* name);
// The name in the row of user `number` without its trailing blanks; "" when no row has the number.
std::string UserNameOfNumber(long number);

// What deleting a user did.
struct UserDeletion {
    bool deleted;
    Notice notice;  // why the user was not deleted (none when the row could not be read)
};
// Deletes the user of row `row`: the row first, then the data file, so that
// no row is ever left without its file. The open user is refused, by the
// number and by the name: the name is compared over the open name's length,
// so that 山田花子 is refused too while 山田 is open (it refuses more than it
// must, never less).
// listedName is the name as the person chose it, for the notices. A data
// file that cannot be deleted stays (the user is deleted all the same) and is named.
UserDeletion DeleteUserOfRow(int row, const char* listedName);

#endif
