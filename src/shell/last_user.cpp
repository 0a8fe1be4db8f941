#include "shell/last_user.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "backup/restore_run.h"
#include "corelib/msgbox.h"
#include "corelib/registry.h"
#include "diary/diary_store.h"
#include "diary/user_file.h"
#include "diary/users_table.h"
#include "view/diary_commands.h"

const char kUserNotRestoredFormat[] =
    "%sさんのデータは、復帰したデータの中にありません。\n開くユーザーを選んでください。";

namespace {

const char* const kUserNameValue = "UserName";
constexpr int kRegistryTextSize = 255;

// The users-table row of the user named by "UserName", or -1. An empty name
// is what a run without an open user leaves: it names no one, even if the
// table holds a row with a blank name.
int LastUserRow() {
    char name[kRegistryTextSize + 1] = {};
    if (!GetRegistryValue(kUserNameValue, name, kRegistryTextSize, kAreaSettings) || name[0] == '\0') return -1;
    return UserRowOfName(name);
}

}  // namespace

void ReadLastUserAhead() {
    const int row = LastUserRow();
    if (row >= 0) ReadUserAhead(row);
}

bool RestoreLastUser(HWND diaryWindow) {
    const int row = LastUserRow();
    if (row < 0) return false;
    // A user whose file cannot be read (the user was told) leaves nobody open:
    // the caller then offers a new user rather than an empty window.
    return OpenUserOfRow(diaryWindow, row);
}

std::string OpenUserListedName() {
    if (!IsUserOpen()) return std::string();
    const UserHeader& header = CurrentHeader();
    // The name the start looks up is the row's: a table rebuilt from the
    // files may name a diary otherwise than its header ("山田(3)" beside
    // another 山田, "ユーザー5" for a nameless one), and the header's name
    // would open the other 山田, or nobody.
    const std::string listed = UserNameOfNumber(header.userNumber);
    return listed.empty() ? std::string(header.name, strnlen(header.name, sizeof header.name)) : listed;
}

bool RememberOpenUser() { return SetRegistryValue(kUserNameValue, OpenUserListedName().c_str(), kAreaSettings) != 0; }

bool ReopenUser(HWND diaryWindow, const std::string& name) {
    const int row = UserRowOfName(name.c_str());
    if (row >= 0) return SwitchToUserOfRow(diaryWindow, row);
    char text[256];
    std::snprintf(text, sizeof text, kUserNotRestoredFormat, name.c_str());
    ShowNotice(diaryWindow, Notice{text, kRestoreCaption, kMbOk | kMbIconInformation});
    return false;
}
