// The end of a run through the frame's own messages: "終了" in the exit
// dialog, and the end of the Windows session. The diary is written before
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
#include "shell_fixture.h"
#include "support/sandbox.h"

namespace {

std::vector<std::string> g_told;

int RecordBox(void*, const char* text, const char* caption, unsigned) {
    g_told.push_back(std::string(caption) + "|" + text);
    return kIdOk;
}

enum class End { kExit, kSessionAsked, kSessionEnds };
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

std::int64_t DataFileSize(const char* name) {
    FileHandle file = FileOpen(name, kFileRead);
    std::int64_t size = FileSize(file);
    FileClose(file, name);
    return size;
}

TEST(EndOfRun, TheDiaryIsWrittenBeforeTheEndAndAFailureEndsNothing) {
    const struct {
        const char* name;
        End end;
        Failing failing;
        bool ends;          // the frame is gone, or the session may end
        const char* told;   // the start of the one box shown, "" for none
        bool dayWritten;
        const char* userName;  // "UserName" afterwards
        bool placed;           // the frame's placement is stored for the next start
    } cases[] = {
        {"exit", End::kExit, Failing::kNothing, true, "", true, "山田", true},
        {"exit, diary not writable", End::kExit, Failing::kDiary, false,
         "ペルモの終了|ユーザーデータ(*.DAT)の書込みに失敗しました。\n\nペルモは終了せずに、入力した記録をそのまま残しています。",
         false, "", true},
        {"exit, user not rememberable", End::kExit, Failing::kRegistry, true,
         "ペルモの終了|次回の起動時に開くユーザー(山田)を記録できませんでした。", true, "", false},
        {"session asked", End::kSessionAsked, Failing::kNothing, true, "", true, "", false},
        {"session asked, diary not writable", End::kSessionAsked, Failing::kDiary, false,
         "ペルモの終了|ユーザーデータ(*.DAT)の書込みに失敗しました。\n\nこのままWindowsが終了すると", false, "", false},
        {"session ends", End::kSessionEnds, Failing::kNothing, true, "", true, "山田", true},
        {"session ends, diary not writable", End::kSessionEnds, Failing::kDiary, true, "", false, "山田", true},
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
            bool ended = false;
            switch (c.end) {
            case End::kExit:
                WhenDialogAppears("ペルモの終了", [](HWND dialog) { PostMessageA(dialog, WM_COMMAND, IDOK, 0); });
                SendMessageA(frame, WM_CLOSE, 0, 0);
                ended = !IsWindow(frame);
                break;
            case End::kSessionAsked:
                ended = SendMessageA(frame, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF) != FALSE;
                break;
            case End::kSessionEnds:
                SendMessageA(frame, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
                ended = true;
                break;
            }
            SetAtomicFailure(AtomicFailure::kNone);
            SetRegistryRootKey(sandbox.registryKey());

            EXPECT_EQ(c.ends, ended);
            if (c.told[0] == '\0') {
                EXPECT_TRUE(g_told.empty()) << g_told[0];
            } else {
                ASSERT_EQ(g_told.size(), 1u);
                EXPECT_EQ(g_told[0].rfind(c.told, 0), 0u) << g_told[0];
            }
            const std::int64_t days = (DataFileSize("3.DAT") - std::int64_t{sizeof(UserHeader)}) /
                                      std::int64_t{sizeof(DailyRecord)};
            EXPECT_EQ(days, c.dayWritten ? 2 : 1);
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
        EXPECT_EQ((DataFileSize("3.DAT") - std::int64_t{sizeof(UserHeader)}) / std::int64_t{sizeof(DailyRecord)}, 2);
        CloseUser();
    }
    SetMessageBoxFunction(previous);
}

}  // namespace
