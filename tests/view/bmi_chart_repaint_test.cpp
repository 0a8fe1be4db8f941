// The BMI chart in the diary window: what each change repaints (the update
// rectangle of every paint, recorded), and that the panel on screen is then
// what a fresh paint of it draws, at every window size.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <cstring>
#include <functional>
#include <vector>

#include "charts/painters/bmi_chart.h"
#include "diary/diary_store.h"
#include "diary_window_fixture.h"
#include "resources/resource.h"
#include "support/dib_context.h"
#include "view/diary_bmi_chart.h"
#include "view/diary_layout.h"
#include "view/diary_links.h"
#include "view/graph_view.h"
#include "view/diary_state.h"

namespace {

std::vector<RECT> g_painted;
WNDPROC g_diaryProcedure = nullptr;

LRESULT CALLBACK RecordingProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    RECT update;
    if (message == WM_PAINT && GetUpdateRect(window, &update, FALSE)) g_painted.push_back(update);
    return CallWindowProcA(g_diaryProcedure, window, message, wParam, lParam);
}

bool Inside(const RECT& rect, int x, int y) { return x >= rect.left && x < rect.right && y >= rect.top && y < rect.bottom; }

// What the diary window painted during a change, and the panel's pixels that
// then differ from a fresh paint of it (children that cover it left out).
struct Repaint {
    std::vector<RECT> painted;
    int stale;
};

int StalePanelPixels(HWND diary) {
    const BmiPanelLayout panel = BmiPanelOf(diary);
    const int width = panel.x + panel.width, height = panel.y + panel.height;
    DibContext fresh(width, height), shown(width, height);
    drawBmiChart(fresh.dc(), g_diary.palette, panel, BmiChartFactsOf());
    HDC windowDc = GetDC(diary);
    BitBlt(shown.dc(), 0, 0, width, height, windowDc, 0, 0, SRCCOPY);
    ReleaseDC(diary, windowDc);
    std::vector<RECT> covers;
    for (HWND child = GetWindow(diary, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (!IsWindowVisible(child)) continue;
        RECT rect;
        GetWindowRect(child, &rect);
        MapWindowPoints(nullptr, diary, reinterpret_cast<POINT*>(&rect), 2);
        covers.push_back(rect);
    }
    int stale = 0;
    for (int y = panel.y; y < height; ++y)
        for (int x = panel.x; x < width; ++x) {
            bool covered = false;
            for (const RECT& rect : covers) covered = covered || Inside(rect, x, y);
            if (!covered && GetPixel(fresh.dc(), x, y) != GetPixel(shown.dc(), x, y)) ++stale;
        }
    return stale;
}

Repaint Observe(HWND diary, const std::function<void()>& change) {
    UpdateWindow(diary);
    g_painted.clear();
    g_diaryProcedure = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(diary, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(RecordingProcedure)));
    change();
    SetWindowLongPtrA(diary, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_diaryProcedure));
    GdiFlush();
    return Repaint{g_painted, StalePanelPixels(diary)};
}

Repaint g_duringDialog;

// In the day dialog: the shown day gets a new weight and the date spin steps
// on, which stores it while the dialog stays open; the dialog is moved off the
// diary window first, so that the panel can be read back.
void StoreADayFromTheDialog(HWND dialog) {
    SetWindowPos(dialog, nullptr, 1010, 700, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    g_duringDialog = Observe(g_diary.window, [dialog] {
        SetDlgItemTextA(dialog, IDC_DAY_WEIGHT, "70.0");
        HWND spin = GetDlgItem(dialog, IDC_DAY_DATE_SPIN);
        SendMessageA(spin, UDM_SETPOS32, 0, 2563);
        SendMessageA(dialog, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 2563), reinterpret_cast<LPARAM>(spin));
        UpdateWindow(g_diary.window);  // the dialog's loop paints what is due
    });
}

TEST_F(DiaryWindowTest, SelectionPeriodAndAStoredDayRepaintTheChartAndNothingElse) {
    CreateWindows();
    OpenUser({"20070105", "20070106", "20070201"});  // 55, 56 and 57 kg at 160 cm
    SelectLine(0);
    Pump();
    ASSERT_EQ(StalePanelPixels(diary_), 0);

    struct Change {
        const char* name;
        std::function<Repaint()> run;
        double shownWeight;
    };
    HWND diary = diary_;
    const Change changes[] = {
        {"another record", [&] { return Observe(diary, [&] { SelectLine(1); }); }, 56.0},
        {"a month to analyse",
         [&] {
             return Observe(diary, [&] {
                 g_diary.analysisMode = kAnalysisMonthly;
                 std::strcpy(g_diary.analysisPeriodKey, "200702");
                 EvaluateDiary(diary);
             });
         },
         57.0},
        {"a day stored from the dialog",
         [&] {
             g_diary.analysisMode = kAnalysisDaily;
             SelectLine(0);
             Pump();
             beforeAnswer = StoreADayFromTheDialog;
             CancelDialogs(true);
             Command(ID_DAY_EDIT);
             CancelDialogs(false);
             return g_duringDialog;
         },
         70.0},
    };
    for (const Change& change : changes) {
        SCOPED_TRACE(change.name);
        const Repaint repaint = change.run();
        EXPECT_DOUBLE_EQ(g_diary.analysis.averageWeight, change.shownWeight);
        ASSERT_FALSE(repaint.painted.empty());
        for (const RECT& painted : repaint.painted)
            EXPECT_TRUE(EqualRect(&painted, &g_diary.bmiChartArea))
                << painted.left << "," << painted.top << "-" << painted.right << "," << painted.bottom;
        EXPECT_EQ(repaint.stale, 0) << "the panel shows the new figures whole";
    }
}

TEST_F(DiaryWindowTest, AGraphOnlyRepaintLeavesTheChartUnlessItIsDueToo) {
    CreateWindows();
    OpenUser({"20070105", "20070106"});
    SelectLine(0);
    Pump();
    RECT client;
    GetClientRect(diary_, &client);
    const RECT axis = {10, client.bottom - 100, 300, client.bottom - 20};
    g_diary.graphAxisArea = axis;
    g_diary.graphLeftBand = g_diary.graphRightBand = {};
    const RECT sentinel = {1, 2, 3, 4};
    g_diary.bmiChartArea = sentinel;
    const Repaint graphOnly = Observe(diary_, [&] { RepaintGraph(diary_); });
    ASSERT_EQ(graphOnly.painted.size(), 1u);
    EXPECT_TRUE(EqualRect(&graphOnly.painted[0], &axis));
    EXPECT_TRUE(EqualRect(&g_diary.bmiChartArea, &sentinel)) << "the chart was not painted";
    EXPECT_FALSE(g_diary.graphOnlyRepaint) << "only that one paint";

    // Another invalidation joins the graph's: the chart is painted after all.
    const BmiPanelLayout panel = BmiPanelOf(diary_);
    const RECT panelRect = {panel.x, panel.y, panel.x + panel.width, panel.y + panel.height};
    const Repaint joined = Observe(diary_, [&] {
        InvalidateRect(diary_, &panelRect, FALSE);
        RepaintGraph(diary_);
    });
    EXPECT_FALSE(EqualRect(&g_diary.bmiChartArea, &sentinel));
    EXPECT_EQ(joined.stale, 0);
}

TEST_F(DiaryWindowTest, ThePanelFollowsEveryWindowSizeInsideItsPlace) {
    CreateWindows();
    const struct Size {
        int width, height;
        bool user;
    } sizes[] = {{972, 645, false}, {972, 645, true}, {780, 430, true}, {640, 300, true}, {430, 120, true}};
    for (const Size& size : sizes) {
        SCOPED_TRACE(size.width);
        if (size.user && !IsUserOpen()) {
            OpenUser({"20070105", "20070106"});
            SelectLine(1);
        }
        MoveWindow(diary_, 2, 2, size.width, size.height, TRUE);
        Pump();
        UpdateWindow(diary_);
        EXPECT_EQ(StalePanelPixels(diary_), 0);
        // The window's right edge (below the selectors) and the rows below the panel keep the window's colours.
        const BmiPanelLayout panel = BmiPanelOf(diary_);
        HDC dc = GetDC(diary_);
        const COLORREF face = GetSysColor(COLOR_BTNFACE);
        EXPECT_EQ(GetPixel(dc, size.width - 1, 90), face);
        if (panel.height > 0) {
            EXPECT_NE(GetPixel(dc, panel.x + 10, panel.y + panel.height + 1), RGB(255, 255, 255));
        }
        ReleaseDC(diary_, dc);
    }
}

}  // namespace
