#include "shell/last_user.h"

#include <cstring>

#include "corelib/registry.h"
#include "diary/diary_store.h"

namespace {
const char* const kUserNameValue = "UserName";
constexpr int kRegistryTextSize = 255;
}  // namespace

bool RestoreLastUser(HWND diaryWindow) {
    (void)diaryWindow;
    char name[kRegistryTextSize + 1] = {};
    if (!GetRegistryValue(kUserNameValue, name, kRegistryTextSize, kAreaSettings) || name[0] == '\0') return false;
    // Searching the users table and loading the user's file join here once
    // the users table and the user files can be read.
    return false;
}

void RememberOpenUser() {
    char name[sizeof(UserHeader::name) + 1] = {};
    if (IsUserOpen()) {
        UserHeader header = CurrentHeader();
        std::memcpy(name, header.name, sizeof(header.name));
    }
    SetRegistryValue(kUserNameValue, name, kAreaSettings);
}
