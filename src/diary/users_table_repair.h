// The users table as the program starts: one that cannot be read whole, or
// that is gone while diaries are still in the data folder, is rebuilt from the
// data files (each "%ld.DAT" names its user in its header), so that every
// diary stays reachable. A damaged table is copied aside first.
#ifndef PELMO_DIARY_USERS_TABLE_REPAIR_H
#define PELMO_DIARY_USERS_TABLE_REPAIR_H

#include "corelib/notice.h"

struct UsersTableRepair {
    bool rebuilt = false;
    Notice notice;  // what was found and what was rebuilt; empty for a sound table
};

UsersTableRepair SettleUsersTable();

extern const char kUsersTableCaption[];  // "ユーザー一覧の読み込み"

#endif
