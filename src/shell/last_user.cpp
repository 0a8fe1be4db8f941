#include "shell/last_user.h"

#include <cstdio>
#include <cstring>

#include "corelib/dbf.h"
#include "corelib/registry.h"
#include "diary/diary_store.h"
#include "diary/user_file.h"
#include "diary/users_table.h"

namespace {

const char* const kUserNameValue = "UserName";
constexpr int kRegistryTextSize = 255;

// The users-table row of the user called name, or -1.
int FindUserRow(HWND window, const char* name) {
    char key[kRegistryTextSize + 16];
    std::snprintf(key, sizeof(key), "%s:%s", kUsersNameField, name);
    std::uint16_t* area = AllocSearchDBFMem();
    char* record = AllocDbfRecordMem(kUsersTable);
    int row = -1;
    if (area && record && SearchDBFRecord(window, area, record, kUsersTable, kUsersNameField, key)) row = area[0];
    FreeSearchDBFMem(area);
    FreeDbfRecordMem(record);
    return row;
}

}  // namespace

// An empty name is what a run without an open user leaves: it names no one,
// even if the table holds a row with a blank name.
bool RestoreLastUser(HWND diaryWindow) {
    char name[kRegistryTextSize + 1] = {};
    if (!GetRegistryValue(kUserNameValue, name, kRegistryTextSize, kAreaSettings) || name[0] == '\0') return false;
    int row = FindUserRow(diaryWindow, name);
    if (row < 0) return false;
    // A user whose file cannot be read (the user was told) leaves nobody open:
    // the caller then offers a new user rather than an empty window.
    return LoadUser(diaryWindow, row) != 0;
}

void RememberOpenUser() {
    char name[sizeof(UserHeader::name) + 1] = {};
    if (IsUserOpen()) {
        UserHeader header = CurrentHeader();
        std::memcpy(name, header.name, sizeof(header.name));
    }
    SetRegistryValue(kUserNameValue, name, kAreaSettings);
}
