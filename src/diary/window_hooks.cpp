#include "diary/window_hooks.h"

#include <cstdio>

#include "corelib/sjis.h"
#include "diary/records.h"

namespace {
DiaryWindowHooks g_hooks = {};
const char kProductName[] = "ペルモ";
}  // namespace

void SetDiaryWindowHooks(const DiaryWindowHooks* hooks) {
    g_hooks = hooks ? *hooks : DiaryWindowHooks{};
}

const DiaryWindowHooks& DiaryHooks() { return g_hooks; }

void FormatMainTitle(const UserHeader& header, char* out, std::size_t size) {
    int nameLength = static_cast<int>(SjisFitLength(header.name, sizeof header.name - 1));
    int messageLength = static_cast<int>(SjisFitLength(header.targetMessage, sizeof header.targetMessage - 1));
    std::snprintf(out, size, "%.*s - %s 「%.*s」", nameLength, header.name, kProductName, messageLength,
                  header.targetMessage);
}

void ShowUserTitle(void* window, const UserHeader& header) {
    if (!g_hooks.setMainTitle) return;
    char title[kMainTitleSize];
    FormatMainTitle(header, title, sizeof title);
    g_hooks.setMainTitle(window, title);
}
