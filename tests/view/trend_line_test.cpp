// The menu's "表示" → "傾向線" in the diary window: the weight's graph shows its
// trend line until the person turns it off, and the choice is kept for the
// next run; pixels read back from the window as shown.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "charts/chart_items.h"
#include "corelib/dates.h"
#include "corelib/registry.h"
#include "diary_window_fixture.h"
#include "resources/resource.h"
#include "support/dib_context.h"
#include "view/diary_links.h"
#include "view/diary_state.h"

namespace {

constexpr COLORREF kLeftTrend = RGB(184, 178, 233);  // the left series' colour halfway to white

class TrendLineTest : public DiaryWindowTest {
protected:
    // 40 days up to the calendar's 2026-12-07, weighing 55 kg and one more each day.
    void OpenWeighedUser() {
        std::vector<std::string> dates;
        for (int i = 39; i >= 0; --i) {
            char key[16];
            const CalendarDate date = AddDays(CalendarDate{2026, 12, 7}, -i);
            std::snprintf(key, sizeof key, "%04d%02d%02d", date.year, date.month, date.day);
            dates.push_back(key);
        }
        std::vector<const char*> pointers;
        for (const std::string& date : dates) pointers.push_back(date.c_str());
        OpenUser(pointers);
    }
    void ShowWeightGraph() {
        g_diary.graphItem[0] = kChartWeight;
        g_diary.graphPeriod = kGraphPeriodFirstDays;  // 30 days
        RepaintWindow(diary_);
        Pump();
    }
    // Pixels of the trend's colour in the graph as the window shows it.
    int TrendPixels() {
        RECT client;
        GetClientRect(diary_, &client);
        DibContext shown(client.right, client.bottom);
        HDC dc = GetDC(diary_);
        BitBlt(shown.dc(), 0, 0, client.right, client.bottom, dc, 0, 0, SRCCOPY);
        ReleaseDC(diary_, dc);
        GdiFlush();
        const RECT& graph = g_diary.graphAxisArea;
        EXPECT_FALSE(IsRectEmpty(&graph));
        int count = 0;
        for (int y = graph.top; y < graph.bottom; ++y)
            for (int x = graph.left; x < graph.right; ++x) count += shown.Pixel(x, y) == kLeftTrend;
        return count;
    }
    bool Checked(HMENU menu) const { return (GetMenuState(menu, ID_VIEW_TREND, MF_BYCOMMAND) & MF_CHECKED) != 0; }
    std::string Stored() const {
        char text[16] = "";
        return GetRegistryValue("TRENDLINE", text, sizeof text, kAreaSettings) ? text : "(none)";
    }
};

TEST_F(TrendLineTest, TheMenuItemHidesAndShowsTheTrendAndTheNextRunKeepsTheChoice) {
    CreateWindows();
    HMENU menu = LoadMenuA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_MAINFRAME));
    ASSERT_NE(menu, nullptr);
    SetMenu(frame_, menu);
    OpenWeighedUser();
    ShowWeightGraph();
    EXPECT_TRUE(g_diary.trendShown) << "on without a stored choice";
    EXPECT_TRUE(Checked(menu));
    EXPECT_GT(TrendPixels(), 100);

    Command(ID_VIEW_TREND);
    EXPECT_FALSE(Checked(menu));
    EXPECT_EQ(Stored(), "0");
    EXPECT_EQ(TrendPixels(), 0);

    Restart();
    OpenWeighedUser();
    ShowWeightGraph();
    EXPECT_FALSE(g_diary.trendShown);
    EXPECT_EQ(TrendPixels(), 0);
    menu = LoadMenuA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_MAINFRAME));
    SetMenu(frame_, menu);
    Command(ID_VIEW_TREND);
    EXPECT_TRUE(Checked(menu));
    EXPECT_EQ(Stored(), "1");
    EXPECT_GT(TrendPixels(), 100);
}

}  // namespace
