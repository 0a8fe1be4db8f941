#include "shell/end_of_run.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "corelib/msgbox.h"
#include "diary/diary_store.h"
#include "diary/user_file.h"
#include "shell/last_user.h"

namespace {

const char kExitCaption[] = "ペルモの終了";
const char kExitKeptText[] =
    "\n\nペルモは終了せずに、入力した記録をそのまま残しています。"
    "ディスクの空きなどを確かめてから、もう一度終了してください。";
const char kSessionKeptText[] =
    "\n\nこのままWindowsが終了すると入力した記録が失われるため、ペルモはWindowsの終了を止めました。"
    "ディスクの空きなどを確かめてから、もう一度終了してください。";
const char kUserNotRememberedText[] =
    "次回の起動時に開くユーザー(%s)を記録できませんでした。\n\n"
    "記録はすべて保存してあります。次回は「ユーザーを開く」で%sさんを開いてください。";

// Writes what is unsaved; true when nothing is left unwritten.
bool SaveUnsavedDiary() { return !HasUnsavedChanges() || SaveUser().done; }

void TellDiaryKept(HWND frame, const char* kept) {
    PelmoMessageBox(frame, (std::string(kWriteFailedText) + kept).c_str(), kExitCaption,
                    kMbOk | kMbIconExclamation);
}

// The value names a user of the next start; when it cannot be written the
// person is told whom to open, the diary being safe.
void RememberUserForNextStart(HWND frame) {
    if (RememberOpenUser() || !IsUserOpen()) return;
    char name[sizeof(UserHeader::name) + 1] = {};
    std::memcpy(name, CurrentHeader().name, sizeof CurrentHeader().name);
    char text[320];
    std::snprintf(text, sizeof text, kUserNotRememberedText, name, name);
    PelmoMessageBox(frame, text, kExitCaption, kMbOk | kMbIconInformation);
}

}  // namespace

bool PrepareExit(HWND frame) {
    if (!SaveUnsavedDiary()) {
        TellDiaryKept(frame, kExitKeptText);
        return false;
    }
    RememberUserForNextStart(frame);
    return true;
}

bool AgreeToEndSession(HWND frame) {
    if (SaveUnsavedDiary()) return true;
    TellDiaryKept(frame, kSessionKeptText);
    return false;
}

void EndSession() {
    SaveUnsavedDiary();
    RememberOpenUser();
}
