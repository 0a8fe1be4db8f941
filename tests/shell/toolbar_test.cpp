// The toolbar: its buttons and pictures, tool tips, and "Toolbar" in the registry.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include "resources/resource.h"
#include "shell/main_frame.h"
#include "shell/toolbar.h"
#include "shell_fixture.h"
#include "support/sandbox.h"

namespace {

bool MenuChecked(HWND frame) {
    return (GetMenuState(GetMenu(frame), ID_VIEW_TOOLBAR, MF_BYCOMMAND) & MF_CHECKED) != 0;
}

void Toggle(HWND frame) { SendMessageA(frame, WM_COMMAND, ID_VIEW_TOOLBAR, 0); }

TEST(Toolbar, ButtonsSeparatorsAndPicturesInOrder) {
    Sandbox sandbox;
    StartedFrame started;
    HWND toolbar = CMainFrame::Toolbar(started.frame());
    ASSERT_NE(toolbar, nullptr);
    const int expected[] = {ID_USER_NEW, ID_USER_OPEN, 0, ID_RECORDS_COPY, 0, ID_DAY_NEW, ID_DAY_EDIT,
                            ID_DAY_DELETE, 0, ID_SET_TARGET, 0, ID_HELP_CONTENTS};
    ASSERT_EQ(SendMessageA(toolbar, TB_BUTTONCOUNT, 0, 0), 12);
    int image = 0;
    for (int i = 0; i < 12; ++i) {
        TBBUTTON button = {};
        SendMessageA(toolbar, TB_GETBUTTON, i, reinterpret_cast<LPARAM>(&button));
        if (expected[i] == 0) {
            EXPECT_TRUE(button.fsStyle & BTNS_SEP) << i;
            continue;
        }
        EXPECT_EQ(button.idCommand, expected[i]) << i;
        EXPECT_EQ(button.iBitmap, image++) << i;
    }
    auto images = reinterpret_cast<HIMAGELIST>(SendMessageA(toolbar, TB_GETIMAGELIST, 0, 0));
    ASSERT_NE(images, nullptr);
    EXPECT_EQ(ImageList_GetImageCount(images), 8);
    int cx = 0, cy = 0;
    ImageList_GetIconSize(images, &cx, &cy);
    EXPECT_EQ(cx, 40);
    EXPECT_EQ(cy, 40);
    LRESULT size = SendMessageA(toolbar, TB_GETBUTTONSIZE, 0, 0);
    EXPECT_EQ(LOWORD(size), 46);
    EXPECT_EQ(HIWORD(size), 46);
    EXPECT_TRUE(GetWindowLongA(toolbar, GWL_STYLE) & TBSTYLE_FLAT);
    EXPECT_TRUE(GetWindowLongA(toolbar, GWL_STYLE) & TBSTYLE_TOOLTIPS);
}

TEST(Toolbar, TipsAreTheTextsAfterTheLineBreak) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    EXPECT_EQ(ToolbarTipText(instance, ID_DAY_EDIT), "修正");
    EXPECT_EQ(ToolbarTipText(instance, ID_DAY_NEW), "入力");
    EXPECT_EQ(ToolbarTipText(instance, ID_DAY_DELETE), "削除");
    EXPECT_EQ(ToolbarTipText(instance, ID_RECORDS_COPY), "まとめてコピー");
    EXPECT_EQ(ToolbarTipText(instance, ID_SET_TARGET), "目標を決める");
    EXPECT_EQ(ToolbarTipText(instance, ID_HELP_CONTENTS), "ヘルプ");
    EXPECT_EQ(ToolbarTipText(instance, ID_USER_NEW), "");
    EXPECT_EQ(ToolbarTipText(instance, ID_USER_OPEN), "");
}

TEST(Toolbar, MissingValueShowsItAndTheToggleHidesIt) {
    Sandbox sandbox;
    StartedFrame started;
    HWND frame = started.frame();
    HWND toolbar = CMainFrame::Toolbar(frame);
    EXPECT_TRUE(IsWindowVisible(toolbar));
    EXPECT_TRUE(MenuChecked(frame));
    EXPECT_EQ(Setting("Toolbar"), "<missing>");

    Toggle(frame);
    EXPECT_FALSE(IsWindowVisible(toolbar));
    EXPECT_FALSE(MenuChecked(frame));
    EXPECT_EQ(Setting("Toolbar"), "0");
    // Without the toolbar the view starts at the top of the client area.
    RECT view;
    GetWindowRect(CMainFrame::View(frame), &view);
    POINT corner = {view.left, view.top};
    ScreenToClient(frame, &corner);
    EXPECT_EQ(corner.y, 0);

    Toggle(frame);
    EXPECT_TRUE(IsWindowVisible(toolbar));
    EXPECT_TRUE(MenuChecked(frame));
    EXPECT_EQ(Setting("Toolbar"), "1");
}

TEST(Toolbar, ZeroStartsHiddenAndUncheckedAndTheToggleShowsIt) {
    Sandbox sandbox;
    SetSetting("Toolbar", "0");
    StartedFrame started;
    HWND frame = started.frame();
    HWND toolbar = CMainFrame::Toolbar(frame);
    EXPECT_FALSE(IsWindowVisible(toolbar));
    EXPECT_FALSE(MenuChecked(frame));
    Toggle(frame);
    EXPECT_TRUE(IsWindowVisible(toolbar));
    EXPECT_TRUE(MenuChecked(frame));
    EXPECT_EQ(Setting("Toolbar"), "1");
}

TEST(Toolbar, OneStartsShownAndTheToggleHidesIt) {
    Sandbox sandbox;
    SetSetting("Toolbar", "1");
    StartedFrame started;
    HWND frame = started.frame();
    EXPECT_TRUE(IsWindowVisible(CMainFrame::Toolbar(frame)));
    Toggle(frame);
    EXPECT_FALSE(IsWindowVisible(CMainFrame::Toolbar(frame)));
    EXPECT_EQ(Setting("Toolbar"), "0");
}

TEST(Toolbar, TwoStartsShownAndCountsAsHiddenForTheToggle) {
    Sandbox sandbox;
    SetSetting("Toolbar", "2");
    StartedFrame started;
    HWND frame = started.frame();
    EXPECT_TRUE(IsWindowVisible(CMainFrame::Toolbar(frame)));
    Toggle(frame);
    EXPECT_TRUE(IsWindowVisible(CMainFrame::Toolbar(frame)));
    EXPECT_TRUE(MenuChecked(frame));
    EXPECT_EQ(Setting("Toolbar"), "1");
    Toggle(frame);
    EXPECT_FALSE(IsWindowVisible(CMainFrame::Toolbar(frame)));
    EXPECT_EQ(Setting("Toolbar"), "0");
}

}  // namespace
