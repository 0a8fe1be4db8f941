// The diary window's layout at every size and DPI: no control, title, column
// title, label or figure covers another, and none lies outside the window.
// Dialogs and message boxes open centred on the main window.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "charts/painters/chart_drawing.h"
#include "corelib/msgbox.h"
#include "corelib/win32/calendar.h"
#include "corelib/win32/dpi.h"
#include "resources/resource.h"
#include "shell/about_dialog.h"
#include "shell/exit_dialog.h"
#include "shell/pelmo_view.h"
#include "shell/persistent_frame.h"
#include "shell/shell_classes.h"
#include "shell_fixture.h"
#include "support/sandbox.h"
#include "view/diary_state.h"

namespace {

struct Part {
    std::string name;
    RECT box;
};

std::string Describe(const Part& part) {
    char text[160];
    wsprintfA(text, "%s (%d,%d)-(%d,%d)", part.name.c_str(), static_cast<int>(part.box.left),
              static_cast<int>(part.box.top), static_cast<int>(part.box.right), static_cast<int>(part.box.bottom));
    return text;
}

// A child window of the diary window, in the diary window's coordinates.
void AddChild(std::vector<Part>* parts, HWND diary, HWND child, const char* name, int visibleWidth = 0) {
    RECT box = {};
    if (!child || !IsWindowVisible(child) || !GetWindowRect(child, &box)) return;
    MapWindowPoints(nullptr, diary, reinterpret_cast<POINT*>(&box), 2);
    if (visibleWidth > 0) box.right = box.left + visibleWidth;
    parts->push_back({name, box});
}

// Everything the diary window shows, from a whole repaint.
std::vector<Part> PartsOf(HWND diary) {
    // The first paint after a change of size may only arm the real one.
    RedrawWindow(diary, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    PumpMessages(30);
    std::vector<PaintedText> texts;
    NotePaintedTexts(&texts);
    RedrawWindow(diary, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    NotePaintedTexts(nullptr);
    std::vector<Part> parts;
    AddChild(&parts, diary, g_diary.recordList, "record list");
    // The calendar's last pixels lie past the window's edge on purpose: they hold nothing.
    AddChild(&parts, diary, g_diary.calendar, "calendar", ScaleToCalendar(kCalendarVisibleWidth));
    const struct {
        int id;
        const char* name;
    } selectors[] = {{kAnalysisModeSelectorId, "selector 101"}, {kAnalysisPeriodSelectorId, "selector 102"},
                     {kGraphItem1SelectorId, "selector 200"},   {kGraphItem2SelectorId, "selector 201"},
                     {kGraphPeriodSelectorId, "selector 202"},  {kGraphMonthSelectorId, "selector 203"}};
    for (const auto& selector : selectors) AddChild(&parts, diary, GetDlgItem(diary, selector.id), selector.name);
    for (const PaintedText& text : texts) parts.push_back({"text \"" + text.text + "\"", text.box});
    return parts;
}

// A record a day from 2026-10-01, 40 of them: the list overflows at every size.
std::vector<std::string> FortyDays() {
    std::vector<std::string> dates;
    for (int i = 0; i < 40; ++i) {
        char date[9];
        wsprintfA(date, "2026%02d%02d", 10 + i / 28, 1 + i % 28);
        dates.push_back(date);
    }
    return dates;
}

void ExpectNothingCoversAnything(HWND diary, const char* where) {
    RECT client = {};
    GetClientRect(diary, &client);
    // And the window itself is on the screen.
    RECT onScreen = client;
    MapWindowPoints(diary, nullptr, reinterpret_cast<POINT*>(&onScreen), 2);
    EXPECT_LE(onScreen.right, GetSystemMetrics(SM_CXSCREEN)) << where;
    EXPECT_LE(onScreen.bottom, GetSystemMetrics(SM_CYSCREEN)) << where;
    const std::vector<Part> parts = PartsOf(diary);
    int texts = 0;
    for (const Part& part : parts) texts += part.name.compare(0, 4, "text") == 0;
    // The table's titles, the chart's title, axis labels and figures, the graph's labels.
    EXPECT_GE(texts, 20) << where;
    for (size_t i = 0; i < parts.size(); ++i) {
        RECT inside = {};
        IntersectRect(&inside, &parts[i].box, &client);
        EXPECT_TRUE(EqualRect(&inside, &parts[i].box)) << where << ": outside the window: " << Describe(parts[i]);
        for (size_t j = i + 1; j < parts.size(); ++j) {
            RECT both = {};
            EXPECT_FALSE(IntersectRect(&both, &parts[i].box, &parts[j].box))
                << where << ": " << Describe(parts[i]) << " covers " << Describe(parts[j]);
        }
    }
}

TEST(Layout, NothingCoversAnythingFromTheSmallestFrameToMaximizedAtEveryDpi) {
    const int dpis[] = {96, 120, 144, 192};
    // {frame width, height; 0 × 0: maximized}. Widths below the frame's least grow to it.
    const SIZE sizes[] = {{800, 600}, {800, 480}, {1024, 768}, {0, 0}};
    for (int dpi : dpis) {
        Sandbox sandbox;
        RegisterStoredUser(1, "山田花子", "夏までに3kg", FortyDays());
        SetSetting("UserName", "山田花子");
        SetSetting("ANALYZE2", "1");
        SetSetting("LINEGRAPH1", "1");
        SetSetting("LINEGRAPH3", "2");
        SetScreenDpi(dpi);
        {
            StartedFrame started;
            HWND frame = started.frame();
            ASSERT_NE(frame, nullptr);
            PumpMessages(100);
            HWND diary = CPelmoView::DiaryWindow();
            ASSERT_NE(diary, nullptr);
            // The last day selected: the chart shows its marker and figures, the graph its 30 days.
            SendMessageA(diary, WM_COMMAND, MAKEWPARAM(kCalendarNavigateCommand, 0),
                         MAKELPARAM(kNavigateSelectLine, 39));
            for (const SIZE& size : sizes) {
                char where[64];
                if (size.cx == 0) {
                    ShowWindow(frame, SW_MAXIMIZE);
                    wsprintfA(where, "%d DPI, maximized", dpi);
                } else {
                    const int width = size.cx > MinimumFrameWidth(g_diary.tableWidth)
                                          ? size.cx
                                          : MinimumFrameWidth(g_diary.tableWidth);
                    PlaceNormal(frame, RECT{0, 0, width, size.cy});
                    wsprintfA(where, "%d DPI, %d x %d", dpi, width, static_cast<int>(size.cy));
                }
                PumpMessages(100);
                ExpectNothingCoversAnything(diary, where);
            }
        }
        SetScreenDpi(0);
    }
}

// The centre of a window's rectangle.
POINT CentreOf(HWND window) {
    RECT box = {};
    GetWindowRect(window, &box);
    return {(box.left + box.right) / 2, (box.top + box.bottom) / 2};
}

void ExpectCentredOn(HWND owner, HWND window, const char* what) {
    const POINT outer = CentreOf(owner), inner = CentreOf(window);
    EXPECT_NEAR(inner.x, outer.x, 1) << what;
    EXPECT_NEAR(inner.y, outer.y, 1) << what;
}

TEST(Layout, DialogsMessageBoxesAndTheExitDialogOpenCentredOnTheMainWindow) {
    Sandbox sandbox;
    HINSTANCE instance = GetModuleHandleA(nullptr);
    RegisterPelmoWindowClasses(instance);
    StartedFrame started;
    HWND frame = started.frame();
    PlaceNormal(frame, RECT{300, 200, 1100, 800});
    PumpMessages(50);

    int seen = 0;
    auto closeCentred = [&](const char* what, WPARAM button) {
        return [&seen, frame, what, button](HWND dialog) {
            ExpectCentredOn(frame, dialog, what);
            ++seen;
            PostMessageA(dialog, WM_COMMAND, button, 0);
        };
    };
    WhenDialogAppears("ペルモの終了", closeCentred("the exit dialog", IDCANCEL));
    EXPECT_EQ(RunExitDialog(instance, frame), 7);
    WhenDialogAppears("ペルモについて", closeCentred("the About box", IDOK));
    RunAboutDialog(instance, frame);
    WhenDialogAppears("確認", closeCentred("a message box", IDOK));
    PlatformMessageBox(frame, "ペルモを終了します。", "確認", MB_OK | MB_ICONINFORMATION);
    EXPECT_EQ(seen, 3);
}

}  // namespace
