// A diary kept open for weeks: rounds of what a person does every day leave
// no GDI or USER object behind.
#include <gtest/gtest.h>
#include <windows.h>

#include "appearance/color_dialog.h"
#include "appearance/mascot_window.h"
#include "corelib/msgbox.h"
#include "corelib/win32/calendar.h"
#include "diary_window_fixture.h"
#include "resources/resource.h"
#include "shell/exit_dialog.h"
#include "shell/shell_classes.h"
#include "view/diary_commands.h"
#include "view/diary_state.h"

namespace {

// Live objects of one kind. Wine's GetGuiResources counts nothing; its handle
// tables take a bare index (high word 0) for whatever object lives there.
DWORD LiveObjects(DWORD kind) {
    if (DWORD counted = GetGuiResources(GetCurrentProcess(), kind)) return counted;
    DWORD live = 0;
    for (ULONG_PTR index = 1; index < 0x10000; ++index) {
        HANDLE handle = reinterpret_cast<HANDLE>(index);
        live += kind == GR_GDIOBJECTS ? GetObjectType(handle) != 0
                                      : IsWindow(static_cast<HWND>(handle)) || IsMenu(static_cast<HMENU>(handle));
    }
    return live;
}

// Scrolls the colour previews and lets the exit dialog's mascot tick before the answer.
void UseTheDialog(HWND dialog) {
    if (HWND mascot = GetDlgItem(dialog, IDC_PLEND_MASCOT))
        for (int tick = 0; tick < 6; ++tick) SendMessageA(mascot, WM_TIMER, kMascotTimer, 0);
    if (HWND scroll = GetDlgItem(dialog, IDC_COLOR_SCROLL))
        for (int step = 0; step < 6; ++step)
            SendMessageA(dialog, WM_VSCROLL, step < 3 ? SB_LINEDOWN : SB_LINEUP, reinterpret_cast<LPARAM>(scroll));
    RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

TEST_F(DiaryWindowTest, ADayOfUseLeavesNoGdiOrUserObjectBehind) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    RegisterPelmoWindowClasses(instance);
    CreateWindows();
    const int first = SaveUserOnDisk(1, "山田花子", "夏までに", {"20261201", "20261202", "20261203"});
    const int second = SaveUserOnDisk(2, "鈴木一郎", "", {"20261101", "20261130"});
    ASSERT_GE(first, 0);
    ASSERT_GE(second, 0);
    beforeAnswer = UseTheDialog;
    CancelDialogs(true);
    auto day = [&] {
        for (int user : {first, second}) {
            OpenUserOfRow(diary_, user);
            SelectLine(1);
            RedrawWindow(frame_, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
            HWND item = GetDlgItem(diary_, kGraphItem1SelectorId);
            SendMessageA(item, CB_SETCURSEL, 1, 0);
            SendMessageA(diary_, WM_COMMAND, MAKEWPARAM(kGraphItem1SelectorId, CBN_SELCHANGE),
                         reinterpret_cast<LPARAM>(item));
            for (unsigned command : {ID_DAY_EDIT, ID_SET_TARGET, ID_RECORDS_COPY}) Command(command);
        }
        ColorSchemeDialog(instance, frame_);
        RunExitDialog(instance, frame_);
        OpenCalendarMonthView(calendar_);
        Pump();
        boxes.clear();
    };
    day();  // what the first uses create once and keep (Wine too)
    day();
    const DWORD gdi = LiveObjects(GR_GDIOBJECTS), user = LiveObjects(GR_USEROBJECTS);
    for (int round = 0; round < 5; ++round) day();
    EXPECT_EQ(LiveObjects(GR_GDIOBJECTS), gdi);
    EXPECT_EQ(LiveObjects(GR_USEROBJECTS), user);
    EXPECT_GT(dialogsCancelled, 5 * 5);
}

}  // namespace
