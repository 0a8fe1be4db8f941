// The end of a run through the frame's own messages: "終了" in the exit
// dialog, the end of the Windows session, and a close request that comes
// while a dialog is open and ends nothing. The diary is written before
// anything is destroyed; a write that fails is told, ends nothing, and keeps
// the days in memory.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "corelib/environment.h"
#include "corelib/files.h"
#include "corelib/msgbox.h"
#include "corelib/registry.h"
#include "diary/diary_store.h"
#include "diary/user_file.h"
#include "resources/resource.h"
#include "shell_fixture.h"
#include "support/sandbox.h"

namespace {

std::vector<std::string> g_told;

int RecordBox(void*, const char* text, const char* caption, unsigned) {
    g_told.push_back(std::string(caption) + "|" + text);
    return kIdOk;
}

// The ends of a run; each says whether the frame is gone or the session may end.
bool ExitByDialog(HWND frame) {
    WhenDialogAppears("ペルモの終了", [](HWND dialog) { PostMessageA(dialog, WM_COMMAND, IDOK, 0); });
    SendMessageA(frame, WM_CLOSE, 0, 0);
    return !IsWindow(frame);
}
bool SessionAsked(HWND frame) { return SendMessageA(frame, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF) != FALSE; }
bool SessionEnds(HWND frame) {
    SendMessageA(frame, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
    return true;
}

// A close request from outside (the taskbar, another program) while targets
// are being entered: their dialog comes to the front, and nothing is asked,
// stored or ended. The dialog keeps what was typed until it is cancelled here.
bool CloseWhileADialogIsOpen(HWND frame) {
    bool handled = false;
    WhenDialogAppears("目標を決める", [frame, &handled](HWND targets) {
        SetDlgItemTextA(targets, IDC_TARGET_MESSAGE, "毎日歩く");
        HWND other = CreateWindowA("STATIC", "", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100, nullptr, nullptr,
                                   nullptr, nullptr);
        SetForegroundWindow(other);
        bool asked = false;
        WhenDialogAppears("ペルモの終了", [&asked](HWND exit) {
            asked = true;
            PostMessageA(exit, WM_COMMAND, IDCANCEL, 0);
        });
        SendMessageA(frame, WM_CLOSE, 0, 0);  // an exit dialog would be answered within this
        EXPECT_FALSE(asked);
        EXPECT_EQ(GetForegroundWindow(), targets);
        char message[32] = {};
        GetDlgItemTextA(targets, IDC_TARGET_MESSAGE, message, sizeof message);
        EXPECT_STREQ(message, "毎日歩く");
        DestroyWindow(other);
        PostMessageA(targets, WM_COMMAND, IDCANCEL, 0);
        handled = true;
    });
    PostMessageA(frame, WM_COMMAND, ID_SET_TARGET, 0);
    for (int i = 0; i < 100 && !handled; ++i) PumpMessages(50);
    EXPECT_TRUE(handled);
    PumpMessages(50);
    return !IsWindow(frame);
}

enum class Failing { kNothing, kDiary, kRegistry };

// The settings' key below a volatile key: Windows refuses to create it, as a
// registry that cannot be written would.
void MakeRegistryUnwritable(const Sandbox& sandbox) {
    const std::string volatileKey = sandbox.registryKey() + "\\Volatile";
    HKEY key;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, volatileKey.c_str(), 0, nullptr, REG_OPTION_VOLATILE, KEY_ALL_ACCESS,
                              nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegCloseKey(key);
    SetRegistryRootKey(volatileKey + "\\Root");
    ASSERT_EQ(SetRegistryValue("Probe", "x", kAreaSettings), 0);
}

std::int64_t DaysInDataFile(const char* name) {
    FileHandle file = FileOpen(name, kFileRead);
    const std::int64_t size = FileSize(file);
    FileClose(file, name);
    return (size - std::int64_t{sizeof(UserHeader)}) / std::int64_t{sizeof(DailyRecord)};
}

TEST(EndOfRun, TheDiaryIsWrittenBeforeTheEndAndAFailureEndsNothing) {
    const struct {
        const char* name;
        bool (*end)(HWND frame);
        Failing failing;
        bool ends;          // the frame is gone, or the session may end
        const char* told;   // the start of the one box shown, "" for none
        bool dayWritten;
        const char* userName;  // "UserName" afterwards
        bool placed;           // the frame's placement is stored for the next start
    } cases[] = {
        {"exit", ExitByDialog, Failing::kNothing, true, "", true, "山田", true},
        {"exit, diary not writable", ExitByDialog, Failing::kDiary, false,
         "ペルモの終了|ユーザーデータ(*.DAT)の書込みに失敗しました。\n\nペルモは終了せずに、入力した記録をそのまま残しています。",
         false, "", true},
        {"exit, user not rememberable", ExitByDialog, Failing::kRegistry, true,
         "ペルモの終了|次回の起動時に開くユーザー(山田)を記録できませんでした。", true, "", false},
        {"session asked", SessionAsked, Failing::kNothing, true, "", true, "", false},
        {"session asked, diary not writable", SessionAsked, Failing::kDiary, false,
         "ペルモの終了|ユーザーデータ(*.DAT)の書込みに失敗しました。\n\nこのままWindowsが終了すると", false, "", false},
        {"session ends", SessionEnds, Failing::kNothing, true, "", true, "山田", true},
        {"session ends, diary not writable", SessionEnds, Failing::kDiary, true, "", false, "山田", true},
        {"close while a dialog is open", CloseWhileADialogIsOpen, Failing::kNothing, false, "", false, "", false},
    };
    MessageBoxFunction previous = SetMessageBoxFunction(RecordBox);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Sandbox sandbox;
        RegisterStoredUser(3, "山田", "", {"20240101"});
        SetSetting("UserName", "山田");
        g_told.clear();
        {
            StartedFrame started;
            HWND frame = started.frame();
            ASSERT_TRUE(IsUserOpen());
            SetSetting("UserName", "");
            DailyRecord day = {};
            std::memcpy(day.date, "20240102", kDateLength);
            day.weight = 56.0;
            ASSERT_GT(StoreDay(day).position, 0);  // entered in this run, not yet written
            PlaceNormal(frame, {100, 120, 900, 740});

            if (c.failing == Failing::kDiary) SetAtomicFailure(AtomicFailure::kWrite);
            if (c.failing == Failing::kRegistry) MakeRegistryUnwritable(sandbox);
            const bool ended = c.end(frame);
            SetAtomicFailure(AtomicFailure::kNone);
            SetRegistryRootKey(sandbox.registryKey());

            EXPECT_EQ(c.ends, ended);
            EXPECT_EQ(g_told.size(), c.told[0] ? 1u : 0u);
            for (const std::string& told : g_told) EXPECT_EQ(told.rfind(c.told, 0), 0u) << told;
            EXPECT_EQ(DaysInDataFile("3.DAT"), c.dayWritten ? 2 : 1);
            if (!ended) {
                EXPECT_TRUE(IsWindow(frame));
                EXPECT_EQ(DiaryRecordCount(), 2u) << "the days stay in memory";
                EXPECT_TRUE(HasUnsavedChanges());
            }
            EXPECT_EQ(Setting("UserName"), c.userName);
            EXPECT_EQ(Setting("WindowSize PosX"), c.placed ? "100" : "<missing>");
            EXPECT_EQ(Setting("WindowSize Height"), c.placed ? "620" : "<missing>");
        }
        // Whatever was left is written as the windows go.
        EXPECT_EQ(DaysInDataFile("3.DAT"), 2);
        CloseUser();
    }
    SetMessageBoxFunction(previous);
}

}  // namespace
