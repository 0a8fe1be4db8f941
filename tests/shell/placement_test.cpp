// The frame's placement across runs, its minimum size and the exit question.
#include <gtest/gtest.h>
#include <windows.h>

#include "corelib/msgbox.h"
#include "shell/exit_dialog.h"
#include "shell/main_frame.h"
#include "view/record_list.h"
#include "shell/pelmo_view.h"
#include "shell/application.h"
#include "shell/shell_classes.h"
#include "shell/splash.h"
#include "shell_fixture.h"
#include "support/sandbox.h"
#include "view/diary_state.h"
#include "view/diary_window.h"

namespace {

const char* const kExitTitle = "ペルモの終了";

void AnswerExit(int button) {
    WhenDialogAppears(kExitTitle, [button](HWND dialog) { PostMessageA(dialog, WM_COMMAND, button, 0); });
}

void ExpectStored(const char* zoom, const char* icon, const char* x, const char* y, const char* width,
                  const char* height) {
    EXPECT_EQ(Setting("WindowSize Zoom"), zoom);
    EXPECT_EQ(Setting("WindowSize Icon"), icon);
    EXPECT_EQ(Setting("WindowSize PosX"), x);
    EXPECT_EQ(Setting("WindowSize PosY"), y);
    EXPECT_EQ(Setting("WindowSize Width"), width);
    EXPECT_EQ(Setting("WindowSize Height"), height);
}

TEST(Placement, FirstRunOpensMaximizedOverAnEightHundredBySixHundredRectangle) {
    Sandbox sandbox;
    StartedFrame started;
    WINDOWPLACEMENT placement = {};
    placement.length = sizeof(placement);
    GetWindowPlacement(started.frame(), &placement);
    EXPECT_EQ(placement.showCmd, static_cast<UINT>(SW_SHOWMAXIMIZED));
    EXPECT_EQ(placement.rcNormalPosition.left, 0);
    EXPECT_EQ(placement.rcNormalPosition.top, 0);
    EXPECT_EQ(placement.rcNormalPosition.right, 800);
    EXPECT_EQ(placement.rcNormalPosition.bottom, 600);
}

TEST(Placement, NormalWindowIsStoredOnCloseAndRestoredAtTheNextStart) {
    Sandbox sandbox;
    {
        StartedFrame started;
        PlaceNormal(started.frame(), {100, 120, 900, 740});
        AnswerExit(IDOK);
        SendMessageA(started.frame(), WM_CLOSE, 0, 0);
        EXPECT_FALSE(IsWindow(started.frame()));
    }
    ExpectStored("0", "0", "100", "120", "800", "620");

    StartedFrame again;
    WINDOWPLACEMENT placement = {};
    placement.length = sizeof(placement);
    GetWindowPlacement(again.frame(), &placement);
    EXPECT_EQ(placement.showCmd, static_cast<UINT>(SW_SHOWNORMAL));
    EXPECT_EQ(placement.rcNormalPosition.left, 100);
    EXPECT_EQ(placement.rcNormalPosition.top, 120);
    EXPECT_EQ(placement.rcNormalPosition.right, 900);
    EXPECT_EQ(placement.rcNormalPosition.bottom, 740);
}

TEST(Placement, CancelKeepsTheWindowButTheValuesAlreadySayMaximized) {
    Sandbox sandbox;
    StartedFrame started;
    PlaceNormal(started.frame(), {10, 20, 850, 650});
    ShowWindow(started.frame(), SW_MAXIMIZE);
    PumpMessages(50);
    AnswerExit(IDCANCEL);
    SendMessageA(started.frame(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(IsWindow(started.frame()));
    ExpectStored("1", "0", "10", "20", "840", "630");
}

TEST(Placement, MinimizedFromMaximizedIsStoredAndStartsMinimizedToRestoreMaximized) {
    Sandbox sandbox;
    {
        StartedFrame started;
        PlaceNormal(started.frame(), {30, 40, 830, 640});
        ShowWindow(started.frame(), SW_MAXIMIZE);
        ShowWindow(started.frame(), SW_MINIMIZE);
        PumpMessages(50);
        AnswerExit(IDOK);
        SendMessageA(started.frame(), WM_CLOSE, 0, 0);
    }
    ExpectStored("1", "1", "30", "40", "800", "600");

    StartedFrame again;
    WINDOWPLACEMENT placement = {};
    placement.length = sizeof(placement);
    GetWindowPlacement(again.frame(), &placement);
    EXPECT_TRUE(IsIconic(again.frame()));
    // Nothing is painted while minimized: the splash must not wait for the restore.
    EXPECT_EQ(SplashWindow(), nullptr);
    EXPECT_EQ(WindowText(again.frame()), "ペルモ");
    EXPECT_TRUE(placement.flags & WPF_RESTORETOMAXIMIZED);
    ShowWindow(again.frame(), SW_RESTORE);
    EXPECT_TRUE(IsZoomed(again.frame()));
}

// Sizes of the diary window other than empty, seen by a hook on this thread.
int g_diarySizes = 0;
std::string g_sizes;  // "widthxheight " of each
LRESULT CALLBACK CountDiarySizes(int code, WPARAM wParam, LPARAM lParam) {
    const auto* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && sent->message == WM_SIZE && sent->lParam != 0 &&
        ClassOf(sent->hwnd) == kDiaryWindowClass) {
        ++g_diarySizes;
        g_sizes += std::to_string(LOWORD(sent->lParam)) + "x" + std::to_string(HIWORD(sent->lParam)) + " ";
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// The frame is built hidden where the stored placement shows it, its tree
// laid out once, for that size and the toolbar's place: showing it moves nothing.
TEST(Placement, FrameIsBuiltWhereItIsShownAndLaidOutOnce) {
    const struct {
        const char* what;
        const char* zoom;     // null: first run
        const char* toolbar;  // null: missing, shown
    } cases[] = {
        {"first run, maximized", nullptr, nullptr},
        {"normal", "0", nullptr},
        {"maximized from a stored normal rectangle", "1", nullptr},
        {"normal without the toolbar", "0", "0"},
    };
    HINSTANCE instance = GetModuleHandleA(nullptr);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Sandbox sandbox;
        if (c.zoom) {
            SetSetting("WindowSize Zoom", c.zoom);
            SetSetting("WindowSize PosX", "100");
            SetSetting("WindowSize PosY", "120");
            SetSetting("WindowSize Width", "900");
            SetSetting("WindowSize Height", "640");
        }
        if (c.toolbar) SetSetting("Toolbar", c.toolbar);
        InitializePelmoProcess(instance);
        g_diarySizes = 0;
        g_sizes.clear();
        HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROC, CountDiarySizes, nullptr, GetCurrentThreadId());
        HWND frame = CMainFrame::Create(instance);
        ASSERT_TRUE(frame);
        EXPECT_FALSE(IsWindowVisible(frame));
        HWND view = CMainFrame::View(frame);
        HWND diary = CPelmoView::DiaryWindow();
        auto placeOf = [frame](HWND window) {
            RECT place;
            GetWindowRect(window, &place);
            MapWindowPoints(nullptr, frame, reinterpret_cast<POINT*>(&place), 2);
            return place;
        };
        RECT built, shown;
        GetWindowRect(frame, &built);
        const RECT viewBuilt = placeOf(view), diaryBuilt = placeOf(diary);
        const RECT listBuilt = placeOf(GetDlgItem(diary, kRecordListId));

        CMainFrame::ActivateFrame(frame);
        UnhookWindowsHookEx(hook);
        EXPECT_EQ(g_diarySizes, 1) << g_sizes;
        TakeNewUserRequest();
        GetWindowRect(frame, &shown);
        const RECT viewShown = placeOf(view), diaryShown = placeOf(diary);
        const RECT listShown = placeOf(GetDlgItem(diary, kRecordListId));
        EXPECT_TRUE(EqualRect(&built, &shown));
        EXPECT_TRUE(EqualRect(&viewBuilt, &viewShown));
        EXPECT_TRUE(EqualRect(&diaryBuilt, &diaryShown));
        EXPECT_TRUE(EqualRect(&listBuilt, &listShown));
        // Below the toolbar when it is shown, filling the client area.
        RECT client, toolbar;
        GetClientRect(frame, &client);
        GetWindowRect(CMainFrame::Toolbar(frame), &toolbar);
        EXPECT_EQ(viewBuilt.top, c.toolbar ? 0 : toolbar.bottom - toolbar.top);
        EXPECT_EQ(viewBuilt.bottom, client.bottom);
        EXPECT_GT(listBuilt.bottom, listBuilt.top);
        DestroyWindow(frame);
        PumpMessages(0);
    }
}

TEST(Placement, ValuesThatAreNotNumbersCountAsZero) {
    Sandbox sandbox;
    SetSetting("WindowSize Zoom", "no");
    SetSetting("WindowSize PosX", "12px");
    SetSetting("WindowSize Width", "700");
    WINDOWPLACEMENT placement = CMainFrame::StoredPlacement();
    EXPECT_EQ(placement.showCmd, static_cast<UINT>(SW_SHOWNORMAL));
    EXPECT_EQ(placement.rcNormalPosition.left, 12);
    EXPECT_EQ(placement.rcNormalPosition.right, 712);
    EXPECT_EQ(placement.rcNormalPosition.bottom, 600);
}

TEST(Placement, MinimumWidthFollowsTheRecordTable) {
    EXPECT_EQ(MinimumFrameWidth(543), 800);
    EXPECT_EQ(MinimumFrameWidth(544), 820);
    Sandbox sandbox;
    StartedFrame started;
    int saved = g_diary.tableWidth;
    for (auto [table, width] : {std::pair<int, int>{543, 800}, {544, 820}, {0, 800}}) {
        g_diary.tableWidth = table;
        MINMAXINFO info = {};
        SendMessageA(started.frame(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
        EXPECT_EQ(info.ptMinTrackSize.x, width) << table;
        EXPECT_EQ(info.ptMinTrackSize.y, 480);
    }
    g_diary.tableWidth = saved;
}

TEST(ExitDialog, EndsWithSixForExitAndSevenForCancel) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    RegisterPelmoWindowClasses(instance);
    AnswerExit(IDOK);
    EXPECT_EQ(RunExitDialog(instance, nullptr), 6);
    AnswerExit(IDCANCEL);
    EXPECT_EQ(RunExitDialog(instance, nullptr), 7);
    WhenDialogAppears(kExitTitle, [](HWND dialog) { PostMessageA(dialog, WM_CLOSE, 0, 0); });
    EXPECT_EQ(RunExitDialog(instance, nullptr), 7);
}

TEST(ExitDialog, HasTheMascotAndThePictureButton) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    RegisterPelmoWindowClasses(instance);
    bool checked = false;
    WhenDialogAppears(kExitTitle, [&checked](HWND dialog) {
        HWND mascot = GetDlgItem(dialog, 1081);
        EXPECT_EQ(ClassOf(mascot), "ENDKIPI");
        EXPECT_EQ(WindowText(mascot), "IDB_END1");
        HWND website = GetDlgItem(dialog, 3);
        EXPECT_EQ(ClassOf(website), "Button");
        EXPECT_NE(SendMessageA(website, BM_GETIMAGE, IMAGE_BITMAP, 0), 0);
        EXPECT_EQ(WindowText(GetDlgItem(dialog, IDOK)), "終了");
        EXPECT_EQ(WindowText(GetDlgItem(dialog, IDCANCEL)), "キャンセル");
        checked = true;
        PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    });
    RunExitDialog(instance, nullptr);
    EXPECT_TRUE(checked);
}

int g_questions = 0;
int CancelEveryQuestion(void*, const char*, const char*, unsigned) {
    ++g_questions;
    return kIdCancel;
}

TEST(ExitDialog, WebPageButtonAsksAndTheDialogStaysOpen) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    RegisterPelmoWindowClasses(instance);
    MessageBoxFunction previous = SetMessageBoxFunction(CancelEveryQuestion);
    g_questions = 0;
    bool stayed = false;
    WhenDialogAppears(kExitTitle, [&stayed](HWND dialog) {
        SendMessageA(dialog, WM_COMMAND, 3, 0);
        stayed = IsWindow(dialog) != FALSE;
        PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    });
    EXPECT_EQ(RunExitDialog(instance, nullptr), 6);
    EXPECT_TRUE(stayed);
    EXPECT_EQ(g_questions, 1);
    SetMessageBoxFunction(previous);
}

}  // namespace
