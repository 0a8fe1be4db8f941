// Start-up as the program runs it: the splash, the window tree, the last user.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "backup/restore_journal.h"
#include "corelib/dbf.h"
#include "corelib/folders.h"
#include "corelib/msgbox.h"
#include "diary/diary_store.h"
#include "diary/user_file.h"
#include "diary/users_table.h"
#include "resources/resource.h"
#include "shell/application.h"
#include "shell/main_frame.h"
#include "shell/pelmo_view.h"
#include "shell/splash.h"
#include "shell_fixture.h"
#include "support/sandbox.h"
#include "view/diary_state.h"

namespace {

RECT ChildRect(HWND child) {
    RECT rect;
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}


TEST(Startup, SplashIsCentredAndGoesWithTheDiaryWindowsFirstRealPaint) {
    Sandbox sandbox;
    HINSTANCE instance = GetModuleHandleA(nullptr);
    InitializePelmoProcess(instance);
    HWND frame = CMainFrame::Create(instance);
    ASSERT_NE(frame, nullptr);

    HWND splash = SplashWindow();
    ASSERT_NE(splash, nullptr);
    EXPECT_EQ(ClassOf(splash), "BmpDraw");
    EXPECT_EQ(WindowText(splash), "IDB_OPNING");
    EXPECT_TRUE(IsWindowVisible(splash));
    EXPECT_TRUE(GetWindowLongA(splash, GWL_STYLE) & WS_BORDER);
    EXPECT_EQ(GetWindow(splash, GW_OWNER), frame);
    RECT rect;
    GetWindowRect(splash, &rect);
    int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    EXPECT_EQ(rect.left, width / 2 - 225);
    EXPECT_EQ(rect.top, height / 2 - 225);
    EXPECT_EQ(rect.right - rect.left, 450);
    EXPECT_EQ(rect.bottom - rect.top, 450);
    EXPECT_EQ(WindowText(frame), "");  // the diary window empties the title as it is created

    EXPECT_TRUE(TakeNewUserRequest());
    CMainFrame::ActivateFrame(frame);
    PumpMessages(300);
    EXPECT_EQ(SplashWindow(), nullptr);
    EXPECT_FALSE(IsWindow(splash));
    EXPECT_EQ(WindowText(frame), "ペルモ");
    DestroyWindow(frame);
    PumpMessages(0);
}

TEST(Startup, SplashCornerIsHalfTheDesktopLessHalfTheSplash) {
    EXPECT_EQ(SplashPosition(1280, 1024).x, 415);
    EXPECT_EQ(SplashPosition(1280, 1024).y, 287);
    EXPECT_EQ(SplashPosition(801, 601).x, 175);  // halves rounded toward zero
    EXPECT_EQ(SplashPosition(801, 601).y, 75);
}

TEST(Startup, WindowTreeHasItsClassesIdsAndParents) {
    Sandbox sandbox;
    StartedFrame started;
    HWND frame = started.frame();
    ASSERT_NE(frame, nullptr);

    HWND toolbar = GetDlgItem(frame, ID_VIEW_TOOLBAR);
    ASSERT_NE(toolbar, nullptr);
    EXPECT_EQ(ClassOf(toolbar), "ToolbarWindow32");
    HWND view = GetDlgItem(frame, IDW_VIEW);
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view, CMainFrame::View(frame));

    HWND container = GetDlgItem(view, IDW_CONTAINER);
    ASSERT_NE(container, nullptr);
    EXPECT_EQ(ClassOf(container), "TAKKU");
    EXPECT_EQ(WindowText(container), "");
    HWND diary = GetDlgItem(container, IDW_DIARY);
    ASSERT_NE(diary, nullptr);
    EXPECT_EQ(ClassOf(diary), "Weight");
    EXPECT_EQ(diary, CPelmoView::DiaryWindow());
    HWND calendar = GetDlgItem(diary, IDW_CALENDAR);
    ASSERT_NE(calendar, nullptr);
    EXPECT_EQ(ClassOf(calendar), "PLCalendar");
    EXPECT_EQ(g_diary.calendar, calendar);
    EXPECT_EQ(WindowText(calendar).size(), 10u);  // "YYYY/MM/DD"
    EXPECT_EQ(WindowText(calendar)[4], '/');

    // The view lies below the toolbar; the container overhangs it by 27 pixels.
    RECT bar, viewRect, client;
    GetWindowRect(toolbar, &bar);
    RECT viewPlace = ChildRect(view);
    EXPECT_EQ(viewPlace.top, bar.bottom - bar.top);
    GetClientRect(view, &viewRect);
    RECT containerPlace = ChildRect(container);
    EXPECT_EQ(containerPlace.left, 0);
    EXPECT_EQ(containerPlace.top, 0);
    EXPECT_EQ(containerPlace.right, viewRect.right);
    EXPECT_EQ(containerPlace.bottom, viewRect.bottom + 27);
    RECT diaryPlace = ChildRect(diary);
    GetClientRect(container, &client);
    EXPECT_EQ(diaryPlace.left, 2);
    EXPECT_EQ(diaryPlace.top, 2);
    EXPECT_EQ(diaryPlace.right - diaryPlace.left, client.right - 8);
    EXPECT_EQ(diaryPlace.bottom - diaryPlace.top, client.bottom - 35);
}

TEST(Startup, WithoutAStoredUserTheNewUserCommandIsPosted) {
    Sandbox sandbox;
    HINSTANCE instance = GetModuleHandleA(nullptr);
    InitializePelmoProcess(instance);
    HWND frame = CMainFrame::Create(instance);
    ASSERT_NE(frame, nullptr);
    EXPECT_TRUE(TakeNewUserRequest());
    DestroyWindow(frame);
    PumpMessages(0);
}

TEST(Startup, AStoredUserNoLongerInTheTableLeadsToTheNewUserCommand) {
    Sandbox sandbox;
    ASSERT_TRUE(EnsureUsersTable());
    SetSetting("UserName", "山田花子");
    HINSTANCE instance = GetModuleHandleA(nullptr);
    InitializePelmoProcess(instance);
    HWND frame = CMainFrame::Create(instance);
    ASSERT_NE(frame, nullptr);
    EXPECT_TRUE(TakeNewUserRequest());
    DestroyWindow(frame);
    PumpMessages(0);
    EXPECT_EQ(Setting("UserName"), "");  // no user was open at the end
}

TEST(Startup, StoredUserIsOpenedAgainAndNamedInTheTitle) {
    Sandbox sandbox;
    RegisterStoredUser(0, "佐藤", "");
    RegisterStoredUser(1, "山田花子", "毎日歩く");
    SetSetting("UserName", "山田花子");
    {
        HINSTANCE instance = GetModuleHandleA(nullptr);
        InitializePelmoProcess(instance);
        HWND frame = CMainFrame::Create(instance);
        ASSERT_NE(frame, nullptr);
        EXPECT_FALSE(TakeNewUserRequest());
        ASSERT_TRUE(IsUserOpen());
        UserHeader header = CurrentHeader();
        EXPECT_STREQ(header.name, "山田花子");
        EXPECT_EQ(header.userNumber, 1);
        CMainFrame::ActivateFrame(frame);
        PumpMessages(300);
        EXPECT_EQ(WindowText(frame), "山田花子 - ペルモ 「毎日歩く」");
        DestroyWindow(frame);
        PumpMessages(0);
    }
    EXPECT_EQ(Setting("UserName"), "山田花子");
    CloseUser();
}

// Whatever befell the data folder while the program was not running (the
// users table damaged, gone, short of a row that it still reads as whole; a
// restore cut short while it replaced the files), the start settles it before
// the remembered user is looked up, tells the person what it found, and
// opens that user.
TEST(Startup, WhatBefellTheDataFolderIsSettledToldAndTheLastUserOpened) {
    // Writes bytes (with their NUL) at offset of the file at path.
    const auto patch = [](const std::string& path, DWORD offset, const char* bytes) {
        HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        OVERLAPPED at = {};
        at.Offset = offset;
        DWORD written = 0;
        ASSERT_TRUE(WriteFile(file, bytes, static_cast<DWORD>(std::strlen(bytes) + 1), &written, &at));
        CloseHandle(file);
    };
    constexpr DWORD kCountByte = 4, kMessageOffset = 82;
    const struct {
        const char* name;
        std::function<void(Sandbox&)> befall;
        const char* told;  // how the one box begins, caption first
        const char* message;  // the target message of the diary opened
    } cases[] = {
        {"the table's count lowered", [&](Sandbox& sandbox) { patch(sandbox.path(kUsersTable), kCountByte, "\x01"); },
         "ユーザー一覧の読み込み|ユーザー一覧(ﾕｰｻﾞ.DBF)は壊れていました。", "毎日歩く"},
        {"the table gone", [](Sandbox& sandbox) { ASSERT_TRUE(DeleteFileA(sandbox.path(kUsersTable).c_str())); },
         "ユーザー一覧の読み込み|ユーザー一覧(ﾕｰｻﾞ.DBF)が見つかりませんでした。", "毎日歩く"},
        {"the last row cut and the count lowered",
         [&](Sandbox& sandbox) {
             HANDLE file = CreateFileA(sandbox.path(kUsersTable).c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
             SetFilePointer(file, -(1 + kUsersRowLength + 1), nullptr, FILE_END);
             DWORD written = 0;
             WriteFile(file, "\x1A", 1, &written, nullptr);
             SetEndOfFile(file);
             CloseHandle(file);
             patch(sandbox.path(kUsersTable), kCountByte, "\x02");
         },
         "ユーザー一覧の読み込み|ユーザー一覧(ﾕｰｻﾞ.DBF)に載っていないユーザーデータがありました。", "毎日歩く"},
        {"a restore cut short while it replaced the files",
         [&](Sandbox& sandbox) {
             // The table and 0.DAT were put in place; the restored 2.DAT still waits.
             const std::string staged = sandbox.path("Restore.Temp\\2.DAT");
             ASSERT_TRUE(CreateDirectoryA(sandbox.path("Restore.Temp").c_str(), nullptr));
             ASSERT_TRUE(CopyFileA(sandbox.path("2.DAT").c_str(), staged.c_str(), FALSE));
             patch(staged, kMessageOffset, "復帰したデータ");
             ASSERT_TRUE(WriteRestoreJournal(sandbox.folder(), {"ﾕｰｻﾞ.DBF", "0.DAT", "2.DAT"}));
         },
         "データの復帰|前回のデータの復帰は、ファイルを差し替える途中で終わっていました。\n残りのファイルを差し替えて",
         "復帰したデータ"},
    };
    static std::vector<std::string> told;
    MessageBoxFunction previous = SetMessageBoxFunction([](void*, const char* text, const char* caption, unsigned) -> int {
        told.push_back(std::string(caption) + "|" + text);
        return kIdOk;
    });
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Sandbox sandbox;
        RegisterStoredUser(0, "佐藤", "");
        RegisterStoredUser(1, "鈴木", "");
        RegisterStoredUser(2, "山田花子", "毎日歩く");
        SetSetting("UserName", "山田花子");
        c.befall(sandbox);
        told.clear();
        {
            StartedFrame started;
            ASSERT_EQ(told.size(), 1u);
            EXPECT_EQ(told[0].rfind(c.told, 0), 0u) << told[0];
            ASSERT_TRUE(IsUserOpen()) << "the last user is found";
            EXPECT_STREQ(CurrentHeader().name, "山田花子");
            EXPECT_STREQ(CurrentHeader().targetMessage, c.message);
            EXPECT_EQ(CheckDbfTable(kUsersTable), DbfCondition::kWhole);
            EXPECT_EQ(UserRowOfName("佐藤"), 0);
            EXPECT_FALSE(FolderExists(sandbox.path("Restore.Temp")));
        }
        told.clear();
        { StartedFrame again; }
        EXPECT_TRUE(told.empty()) << "told once: " << told.front();
        CloseUser();
    }
    SetMessageBoxFunction(previous);
}

// The users table removed while the program runs: "ユーザーを開く" first
// rebuilds it from the data files and says so, and lists every diary.
TEST(Startup, AUsersTableLostWhileRunningIsRebuiltBeforeTheOpenDialogReadsIt) {
    Sandbox sandbox;
    RegisterStoredUser(0, "佐藤", "");
    RegisterStoredUser(1, "鈴木", "");
    RegisterStoredUser(2, "山田花子", "");
    SetSetting("UserName", "山田花子");
    static std::vector<std::string> told;
    told.clear();
    MessageBoxFunction previous = SetMessageBoxFunction([](void*, const char* text, const char* caption, unsigned) -> int {
        told.push_back(std::string(caption) + "|" + text);
        return kIdOk;
    });
    {
        StartedFrame started;
        ASSERT_TRUE(IsUserOpen());
        ASSERT_TRUE(DeleteFileA(sandbox.path(kUsersTable).c_str()));
        LRESULT listed = -1;
        std::size_t toldBefore = 0;
        WhenDialogAppears("ユーザーを開く", [&](HWND dialog) {
            listed = SendDlgItemMessageA(dialog, IDC_SEARCH_LIST, LB_GETCOUNT, 0, 0);
            toldBefore = told.size();
            PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        });
        SendMessageA(started.frame(), WM_COMMAND, ID_USER_OPEN, 0);
        PumpMessages(300);
        EXPECT_EQ(listed, 3);
        ASSERT_EQ(toldBefore, 1u);
        EXPECT_EQ(told[0].rfind("ユーザー一覧の読み込み|ユーザー一覧(ﾕｰｻﾞ.DBF)が見つかりませんでした。", 0), 0u) << told[0];
        EXPECT_STREQ(CurrentHeader().name, "山田花子");
    }
    SetMessageBoxFunction(previous);
    CloseUser();
}

// Two diaries of one name: the table rebuilt from them lists the second as
// 山田花子(2). That one, open at the end, is the one the next start opens.
TEST(Startup, ADiaryTheRebuiltTableRenamedIsTheOneOpenedAgain) {
    Sandbox sandbox;
    RegisterStoredUser(1, "山田花子", "毎日歩く");
    RegisterStoredUser(2, "山田花子", "夜は控える");
    ASSERT_TRUE(DeleteFileA(sandbox.path(kUsersTable).c_str()));
    SetSetting("UserName", "");
    MessageBoxFunction previous = SetMessageBoxFunction([](void*, const char*, const char*, unsigned) -> int { return kIdOk; });
    {
        StartedFrame started;
        ASSERT_TRUE(LoadUser(UserRowOfName("山田花子(2)")).done);
    }
    EXPECT_EQ(Setting("UserName"), "山田花子(2)");
    {
        StartedFrame started;
        ASSERT_TRUE(IsUserOpen());
        EXPECT_EQ(CurrentHeader().userNumber, 2);
    }
    SetMessageBoxFunction(previous);
    CloseUser();
}

// A diary longer than the list comes up at the stored size in one go: every
// day and the blank line, the blank line selected and in view, the table
// widened for the scroll bar, the focus in the list, and the rows painted.
TEST(Startup, ALongDiaryComesUpScrolledToItsBlankLineAndPainted) {
    Sandbox sandbox;
    std::vector<std::string> days;
    for (int i = 0; i < 12 * 28; ++i) {
        char date[16];
        std::snprintf(date, sizeof(date), "2019%02d%02d", i / 28 + 1, i % 28 + 1);
        days.push_back(date);
    }
    RegisterStoredUser(0, "長谷川", "", days);
    SetSetting("UserName", "長谷川");
    StartedFrame started;
    PumpMessages(300);
    HWND list = g_diary.recordList;
    ASSERT_NE(list, nullptr);
    const LRESULT lines = static_cast<LRESULT>(days.size()) + 1;
    EXPECT_EQ(SendMessageA(list, LB_GETCOUNT, 0, 0), lines);
    EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), lines - 1);
    char text[8] = "";
    SendMessageA(list, LB_GETTEXT, 0, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, "*");
    RECT client, row;
    GetClientRect(list, &client);
    ASSERT_NE(SendMessageA(list, LB_GETITEMRECT, lines - 1, reinterpret_cast<LPARAM>(&row)), LB_ERR);
    EXPECT_TRUE(row.top >= 0 && row.bottom <= client.bottom) << row.top << ".." << row.bottom;
    EXPECT_TRUE(g_diary.scrollCompensated);
    EXPECT_GT(g_diary.tableWidth, g_diary.baseTableWidth);
    EXPECT_TRUE(IsWindowVisible(list));
    EXPECT_EQ(GetFocus(), list);
    EXPECT_EQ(SplashWindow(), nullptr);
    // The row above the blank line is a record's: mostly its white background, never unpainted.
    SendMessageA(list, LB_GETITEMRECT, lines - 2, reinterpret_cast<LPARAM>(&row));
    HDC dc = GetDC(list);
    int white = 0, probed = 0;
    for (int x = row.left; x < row.right; x += 3, ++probed)
        white += GetPixel(dc, x, (row.top + row.bottom) / 2) == RGB(255, 255, 255);
    ReleaseDC(list, dc);
    EXPECT_GT(white, probed / 2);
}

TEST(Startup, EmptyStoredNameOpensNobody) {
    Sandbox sandbox;
    RegisterStoredUser(0, "佐藤", "");
    SetSetting("UserName", "");
    HINSTANCE instance = GetModuleHandleA(nullptr);
    InitializePelmoProcess(instance);
    HWND frame = CMainFrame::Create(instance);
    ASSERT_NE(frame, nullptr);
    EXPECT_FALSE(IsUserOpen());
    EXPECT_TRUE(TakeNewUserRequest());
    DestroyWindow(frame);
    PumpMessages(0);
}

TEST(Startup, ViewPassesDiaryCommandsOnByPostingAndKeepsItsOwn) {
    Sandbox sandbox;
    StartedFrame started;
    HWND diary = CPelmoView::DiaryWindow();
    const UINT forwarded[] = {ID_USER_NEW, ID_USER_OPEN,    ID_USER_AMEND, ID_USER_DELETE, ID_DAY_NEW,
                              ID_DAY_EDIT, ID_DAY_DELETE,   ID_RECORDS_COPY, ID_SET_TARGET, ID_SET_ITEMS};
    for (UINT id : forwarded) {
        SendMessageA(started.frame(), WM_COMMAND, id, 0);
        MSG message;
        ASSERT_TRUE(PeekMessageA(&message, diary, WM_COMMAND, WM_COMMAND, PM_REMOVE)) << id;
        EXPECT_EQ(message.wParam, id);
        EXPECT_EQ(message.lParam, 0);
    }
    // Backup, restore and the colour scheme stay with the shell: their dialogs
    // open (and are cancelled here), nothing reaches the diary window.
    const std::pair<UINT, const char*> own[] = {{ID_DATA_BACKUP, "データ保存（バックアップ）"},
                                                {ID_DATA_RESTORE, "データの復帰（リストア）"},
                                                {ID_SET_COLOR, "画面のカラーを決める"}};
    for (const auto& [id, title] : own) {
        bool shown = false;
        WhenDialogAppears(title, [&shown](HWND dialog) {
            shown = true;
            PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        });
        SendMessageA(started.frame(), WM_COMMAND, id, 0);
        EXPECT_TRUE(shown) << title;
        MSG message;
        EXPECT_FALSE(PeekMessageA(&message, diary, WM_COMMAND, WM_COMMAND, PM_REMOVE)) << id;
    }
}

}  // namespace
