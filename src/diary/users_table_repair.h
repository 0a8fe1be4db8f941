// The users table kept whole: one that cannot be read whole, or that is gone
// while diaries are still in the data folder, is rebuilt from the data files
// (each "%ld.DAT" names its user in its header), so that every diary stays
// reachable. A damaged table is copied aside first.
#ifndef PELMO_DIARY_USERS_TABLE_REPAIR_H
#define PELMO_DIARY_USERS_TABLE_REPAIR_H

#include "corelib/notice.h"

struct UsersTableRepair {
    bool rebuilt = false;
    Notice notice;  // what was found and what was rebuilt; empty for a sound table
};

// At start: a missing or damaged table is rebuilt, and every diary that no
// row names (a row lost from a table that still reads as whole) is added
// back by the name its header gives. The notice names whom it found again.
UsersTableRepair SettleUsersTable();
// While the program runs: a table that went missing or was damaged is
// rebuilt before a command reads it; also tells what MendUsersTable did since.
UsersTableRepair CheckUsersTable();
// The mend the table's layout names: whatever reads a missing or damaged
// table first has it rebuilt at once, and what was done waits for
// CheckUsersTable or SettleUsersTable to be told. A rebuild that failed is
// not tried again before the next SettleUsersTable.
void MendUsersTable();

extern const char kUsersTableCaption[];  // "ユーザー一覧の読み込み"

#endif
