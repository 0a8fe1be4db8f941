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
#include "support/pinned_clock.h"
#include "view/diary_bmi_chart.h"
#include "view/diary_links.h"
#include "view/diary_state.h"
#include "view/graph_view.h"

namespace {

// The panel's pixels on screen that differ from a fresh paint of it, where no child window covers it.
int StalePanelPixels(HWND diary) {
    const BmiPanelLayout panel = BmiPanelOf(diary);
    const int width = panel.x + panel.width, height = panel.y + panel.height;
    DibContext fresh(width, height), shown(width, height);
    drawBmiChart(fresh.dc(), g_diary.palette, panel, BmiChartFactsOf());
    HDC windowDc = GetDC(diary);
    BitBlt(shown.dc(), 0, 0, width, height, windowDc, 0, 0, SRCCOPY);
    ReleaseDC(diary, windowDc);
    GdiFlush();
    std::vector<RECT> children;
    for (HWND child = GetWindow(diary, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (!IsWindowVisible(child)) continue;
        RECT place;
        GetWindowRect(child, &place);
        MapWindowPoints(nullptr, diary, reinterpret_cast<POINT*>(&place), 2);
        children.push_back(place);
    }
    auto covered = [&children](int x, int y) {
        for (const RECT& child : children)
            if (PtInRect(&child, POINT{x, y})) return true;
        return false;
    };
    int stale = 0;
    for (int y = panel.y; y < height; ++y)
        for (int x = panel.x; x < width; ++x) stale += fresh.Pixel(x, y) != shown.Pixel(x, y) && !covered(x, y);
    return stale;
}

// Only the chart was painted, and it now shows the new figures whole.
void ExpectOnlyTheChartRepainted(const char* change, const std::vector<RECT>& painted, double shownWeight) {
    SCOPED_TRACE(change);
    EXPECT_DOUBLE_EQ(g_diary.analysis.averageWeight, shownWeight);
    EXPECT_FALSE(painted.empty());
    for (const RECT& rect : painted)
        EXPECT_TRUE(EqualRect(&rect, &g_diary.bmiChartArea))
            << rect.left << "," << rect.top << "-" << rect.right << "," << rect.bottom;
    EXPECT_EQ(StalePanelPixels(g_diary.window), 0);
}

// In the day dialog, moved off the diary window first so that the panel can be read back: the
// shown day gets a new weight and the date spin steps on, which stores it while the dialog stays open.
void StoreADayFromTheDialog(HWND dialog) {
    SetWindowPos(dialog, nullptr, 1010, 700, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    ExpectOnlyTheChartRepainted("a day stored from the dialog", Painted(g_diary.window, [dialog] {
        SetDlgItemTextA(dialog, IDC_DAY_WEIGHT, "70.0");
        HWND spin = GetDlgItem(dialog, IDC_DAY_DATE_SPIN);
        SendMessageA(spin, UDM_SETPOS32, 0, 2563);
        SendMessageA(dialog, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 2563), reinterpret_cast<LPARAM>(spin));
        UpdateWindow(g_diary.window);  // the dialog's loop paints what is due
    }), 70.0);
}

TEST_F(DiaryWindowTest, SelectionPeriodAndAStoredDayRepaintTheChartAndAGraphOnlyRepaintDoesNot) {
    CreateWindows();
    OpenUser({"20070105", "20070106", "20070201"});  // 55, 56 and 57 kg at 160 cm
    SelectLine(0);
    Pump();
    ASSERT_EQ(StalePanelPixels(diary_), 0);
    ExpectOnlyTheChartRepainted("another record", Painted(diary_, [&] { SelectLine(1); }), 56.0);
    ExpectOnlyTheChartRepainted("a month to analyse", Painted(diary_, [&] {
        g_diary.analysisMode = kAnalysisMonthly;
        std::strcpy(g_diary.analysisPeriodKey, "200702");
        EvaluateDiary(diary_);
    }), 57.0);
    g_diary.analysisMode = kAnalysisDaily;
    SelectLine(0);
    Pump();
    beforeAnswer = StoreADayFromTheDialog;
    CancelDialogs(true);
    Command(ID_DAY_EDIT);
    CancelDialogs(false);
    EXPECT_DOUBLE_EQ(g_diary.analysis.averageWeight, 70.0);

    // A graph-only repaint paints the graph's axis and leaves the chart alone, for that one paint.
    RECT client, panelRect;
    GetClientRect(diary_, &client);
    const RECT axis = {10, client.bottom - 100, 300, client.bottom - 20}, sentinel = {1, 2, 3, 4};
    g_diary.graphAxisArea = axis;
    g_diary.graphLeftBand = g_diary.graphRightBand = {};
    g_diary.bmiChartArea = sentinel;
    const std::vector<RECT> graphOnly = Painted(diary_, [&] { RepaintGraph(diary_); });
    ASSERT_EQ(graphOnly.size(), 1u);
    EXPECT_TRUE(EqualRect(&graphOnly[0], &axis));
    EXPECT_TRUE(EqualRect(&g_diary.bmiChartArea, &sentinel)) << "the chart was not painted";
    EXPECT_FALSE(g_diary.graphOnlyRepaint) << "only that one paint";
    // Another invalidation joins the graph's: the chart is painted after all.
    const BmiPanelLayout panel = BmiPanelOf(diary_);
    SetRect(&panelRect, panel.x, panel.y, panel.x + panel.width, panel.y + panel.height);
    Painted(diary_, [&] {
        InvalidateRect(diary_, &panelRect, FALSE);
        RepaintGraph(diary_);
    });
    EXPECT_FALSE(EqualRect(&g_diary.bmiChartArea, &sentinel));
    EXPECT_EQ(StalePanelPixels(diary_), 0);
}

// With the blank line selected (after a user is opened, after the last day is
// deleted, on a switch of the analysis), the panel still shows figures: the
// day analysis the latest recorded day, named by its date; the month and
// year analyses the calendar's month or year. What the screen shows is a
// paint of exactly those facts, marker and figures.
TEST_F(DiaryWindowTest, WithTheBlankLineThePanelShowsTheLatestDayOrTheCalendarsPeriod) {
    PinLocalTime(2007, 2, 20, 12);  // the calendar's today: a day without a record, in a month with days
    CreateWindows();
    OpenUserOfDays(40);  // 2007-01-01..28 and 2007-02-01..12, weighing 55 to 94 kg
    const struct {
        const char* what;
        std::function<void()> change;
        double weight;
        const char* namedDay;
    } steps[] = {
        {"opened", [] {}, 94.0, "2007/02/12"},
        {"month analysis", [this] {
             SendMessageA(GetDlgItem(diary_, kAnalysisModeSelectorId), CB_SETCURSEL, kAnalysisMonthly, 0);
             SendMessageA(diary_, WM_COMMAND, MAKEWPARAM(kAnalysisModeSelectorId, CBN_SELCHANGE), 0);
         }, (83.0 + 94.0) / 2, ""},
        {"another month chosen", [this] {
             SendMessageA(GetDlgItem(diary_, kAnalysisPeriodSelectorId), CB_SETCURSEL, 0, 0);  // 2007年01月
             SendMessageA(diary_, WM_COMMAND, MAKEWPARAM(kAnalysisPeriodSelectorId, CBN_SELCHANGE), 0);
         }, (55.0 + 82.0) / 2, ""},
        {"year analysis", [this] {
             SendMessageA(GetDlgItem(diary_, kAnalysisModeSelectorId), CB_SETCURSEL, kAnalysisYearly, 0);
             SendMessageA(diary_, WM_COMMAND, MAKEWPARAM(kAnalysisModeSelectorId, CBN_SELCHANGE), 0);
         }, (55.0 + 94.0) / 2, ""},
        {"day analysis again", [this] {
             SendMessageA(GetDlgItem(diary_, kAnalysisModeSelectorId), CB_SETCURSEL, kAnalysisDaily, 0);
             SendMessageA(diary_, WM_COMMAND, MAKEWPARAM(kAnalysisModeSelectorId, CBN_SELCHANGE), 0);
         }, 94.0, "2007/02/12"},
        {"the latest day deleted", [this] {
             SelectLine(39);
             boxAnswer = kIdOk;
             Command(ID_DAY_DELETE);
         }, 93.0, "2007/02/11"},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.what);
        step.change();
        Pump();
        UpdateWindow(diary_);
        EXPECT_EQ(ListSelection(), ListCount() - 1) << "the blank line";
        EXPECT_DOUBLE_EQ(g_diary.analysis.averageWeight, step.weight);
        const BmiChartFacts facts = BmiChartFactsOf();
        EXPECT_TRUE(facts.recordSelected) << "marker and figures";
        EXPECT_STREQ(facts.namedDay, step.namedDay);
        EXPECT_EQ(StalePanelPixels(diary_), 0);
    }
    PinClock(0);
}

TEST_F(DiaryWindowTest, ThePanelFollowsEveryWindowSizeInsideItsPlace) {
    CreateWindows();
    const struct {
        int width, height;
        bool user;
    } sizes[] = {{972, 645, false}, {972, 645, true}, {780, 430, true}, {640, 300, true}, {430, 120, true}};
    for (const auto& size : sizes) {
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
        EXPECT_EQ(GetPixel(dc, size.width - 1, 90), GetSysColor(COLOR_BTNFACE));
        if (panel.height > 0) {
            EXPECT_NE(GetPixel(dc, panel.x + 10, panel.y + panel.height + 1), RGB(255, 255, 255));
        }
        ReleaseDC(diary_, dc);
    }
}

}  // namespace
