// The colour-scheme dialog as a person uses it: the scroll bar walks through
// the twenty previews, "設定する" stores the scheme for the next start, and
// the diary window shows a stored scheme only once it is created again.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "appearance/color_dialog.h"
#include "corelib/win32/bmp_draw.h"
#include "corelib/win32/modal_dialog.h"
#include "corelib/msgbox.h"
#include "corelib/registry.h"
#include "diary/dialogs/dialog_driver.h"
#include "resources/resource.h"
#include "support/sandbox.h"
#include "view/diary_state.h"
#include "view/diary_window_fixture.h"

namespace {

const char kTitle[] = "画面のカラーを決める";

int ScrollPosition(HWND dialog) { return GetScrollPos(GetDlgItem(dialog, IDC_COLOR_SCROLL), SB_CTL); }

void Scroll(HWND dialog, int request, int position = 0) {
    SendMessageA(dialog, WM_VSCROLL, MAKEWPARAM(request, position),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDC_COLOR_SCROLL)));
}

// The preview is a BmpDraw window, which the program registers first thing.
class ColorDialog : public ::testing::Test {
protected:
    void SetUp() override { RegisterBmpDrawClass(GetModuleHandleA(nullptr)); }
    Sandbox sandbox_;
};

std::string Setting(const char* name) {
    char text[256] = "";
    return GetRegistryValue(name, text, sizeof text, kAreaSettings) ? text : "<missing>";
}

TEST_F(ColorDialog, ScrollBarWalksThroughThePreviewsWithinTheTwentySchemes) {
    HWND calendar = CreateWindowA("STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    SetCalendarWindow(calendar);
    struct Step {
        int request, position;
        int scheme;  // shown afterwards
    };
    const Step steps[] = {
        {SB_LINEUP, 0, 0},  {SB_PAGEUP, 0, 0},          {SB_LINEDOWN, 0, 1},  {SB_PAGEDOWN, 0, 2},
        {SB_LINEUP, 0, 1},  {SB_THUMBTRACK, 19, 19},    {SB_LINEDOWN, 0, 19}, {SB_PAGEDOWN, 0, 19},
        {SB_PAGEUP, 0, 18}, {SB_THUMBPOSITION, 12, 12}, {SB_ENDSCROLL, 0, 12}, {SB_TOP, 0, 0},
        {SB_BOTTOM, 0, 19},
    };
    DialogDriver driver;
    driver.On(kTitle, [&](HWND d) {
        EXPECT_FALSE(IsWindowEnabled(calendar));
        // Without "SYSCOLOR" the dialog opens on scheme 0.
        EXPECT_EQ(ScrollPosition(d), 0);
        EXPECT_EQ(DialogDriver::Text(d, IDC_COLOR_PREVIEW), "IDB_COLOR1");
        int low = -1, high = -1;
        GetScrollRange(GetDlgItem(d, IDC_COLOR_SCROLL), SB_CTL, &low, &high);
        EXPECT_EQ(low, 0);
        EXPECT_EQ(high, 19);
        for (const Step& step : steps) {
            Scroll(d, step.request, step.position);
            EXPECT_EQ(ScrollPosition(d), step.scheme) << step.request;
            EXPECT_EQ(DialogDriver::Text(d, IDC_COLOR_PREVIEW), ColorPreviewName(step.scheme)) << step.request;
        }
        Scroll(d, SB_THUMBTRACK, 19);
        EXPECT_EQ(DialogDriver::Text(d, IDC_COLOR_PREVIEW), "IDB_COLOR20");
        DialogDriver::Click(d, IDCANCEL);
    }, "color_dialog");
    EXPECT_EQ(ColorSchemeDialog(GetModuleHandleA(nullptr), nullptr), 0);
    EXPECT_TRUE(driver.done());
    EXPECT_TRUE(driver.boxes().empty());
    EXPECT_EQ(Setting("SYSCOLOR"), "<missing>");
    EXPECT_TRUE(IsWindowEnabled(calendar));
    SetCalendarWindow(nullptr);
    DestroyWindow(calendar);
}

TEST_F(ColorDialog, StoringAsksFirstAndCancelOnTheQuestionKeepsTheDialogOpen) {
    ASSERT_TRUE(SetRegistryValue("SYSCOLOR", "13", kAreaSettings));
    DialogDriver driver;
    driver.Answer(kIdCancel).Answer(kIdOk);
    driver.On(kTitle, [](HWND d) {
        EXPECT_EQ(ScrollPosition(d), 13);
        EXPECT_EQ(DialogDriver::Text(d, IDC_COLOR_PREVIEW), "IDB_COLOR14");
        Scroll(d, SB_LINEDOWN);
        DialogDriver::Click(d, IDOK);  // answered Cancel: still open
    });
    driver.On(kTitle, [](HWND d) {
        EXPECT_EQ(Setting("SYSCOLOR"), "13");
        DialogDriver::Click(d, IDOK);
    });
    EXPECT_EQ(ColorSchemeDialog(GetModuleHandleA(nullptr), nullptr), 1);
    EXPECT_TRUE(driver.done());
    ASSERT_EQ(driver.boxes().size(), 2u);
    EXPECT_EQ(driver.boxes()[0].text, "選択されたカラーを設定します。よろしいですか？\n\n※設定はペルモの再起動後に反映されます。");
    EXPECT_EQ(driver.boxes()[0].caption, "確認");
    EXPECT_EQ(driver.boxes()[0].type, kMbOkCancel | kMbIconInformation);
    EXPECT_EQ(Setting("SYSCOLOR"), "14");
}

// The colour of the selected record row and of the calendar bar, read back from the screen.
struct ShownColours {
    COLORREF selectedRow;
    COLORREF calendarBar;
};

class ColorSchemeOnScreen : public DiaryWindowTest {
protected:
    ShownColours Probe() {
        RedrawWindow(frame_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        Pump();
        RECT row = {};
        SendMessageA(g_diary.recordList, LB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&row));
        HDC list = GetDC(g_diary.recordList);
        COLORREF rowColour = GetPixel(list, row.right - 3, (row.top + row.bottom) / 2);
        ReleaseDC(g_diary.recordList, list);
        HDC bar = GetDC(calendar_);
        COLORREF barColour = GetPixel(bar, 2, 2);  // left of the first button
        ReleaseDC(calendar_, bar);
        return {rowColour, barColour};
    }
    void StartWithARecordSelected() {
        CreateWindows();
        OpenUser({"20260501", "20260502"});
        SelectLine(0);
        Pump();
    }
    void Restart() {
        DestroyWindow(frame_);
        frame_ = nullptr;
        Pump();
        StartWithARecordSelected();
    }
};

TEST_F(ColorSchemeOnScreen, StoredSchemeShowsOnlyAfterTheNextStart) {
    StartWithARecordSelected();
    const ShownColours scheme0 = {RGB(211, 241, 215), RGB(188, 227, 153)};
    ShownColours shown = Probe();
    EXPECT_EQ(shown.selectedRow, scheme0.selectedRow);
    EXPECT_EQ(shown.calendarBar, scheme0.calendarBar);

    // Choose scheme 7 with the thumb and store it.
    beforeAnswer = [](HWND d) { Scroll(d, SB_THUMBPOSITION, 7); };
    dialogAnswer = IDOK;
    boxAnswer = kIdOk;
    CancelDialogs(true);
    EXPECT_EQ(ColorSchemeDialog(GetModuleHandleA(nullptr), diary_), 1);
    CancelDialogs(false);
    EXPECT_EQ(Setting("SYSCOLOR"), "7");

    shown = Probe();  // the running window keeps its colours
    EXPECT_EQ(shown.selectedRow, scheme0.selectedRow);
    EXPECT_EQ(shown.calendarBar, scheme0.calendarBar);

    Restart();
    shown = Probe();
    EXPECT_EQ(shown.selectedRow, RGB(219, 243, 227));
    EXPECT_EQ(shown.calendarBar, RGB(140, 210, 160));
}

}  // namespace
