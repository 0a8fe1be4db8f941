// The diary window with the keyboard alone, as the program's message loop
// hands it the keys: Tab and Shift+Tab round the record table, the calendar
// and the six selectors, arrows that choose (and what each choice stores and
// repaints), the calendar's keys and its month view, Esc back to the table.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "corelib/registry.h"
#include "corelib/win32/calendar.h"
#include "diary_window_fixture.h"
#include "view/diary_keys.h"
#include "view/diary_state.h"
#include "view/selector_changes.h"

namespace {

bool AnyPaintIn(const std::vector<RECT>& painted, const RECT& area) {
    for (const RECT& update : painted) {
        RECT common;
        if (IntersectRect(&common, &update, &area)) return true;
    }
    return false;
}

std::string Setting(const char* name) {
    char text[64] = "";
    return GetRegistryValue(name, text, sizeof text, kAreaSettings) ? text : "-";
}

std::string FocusName() {
    HWND focus = GetFocus();
    if (focus == g_diary.recordList) return "table";
    if (focus == g_diary.calendar) return "calendar";
    if (focus && focus == CalendarMonthView()) return "month view";
    if (focus && GetParent(focus) == g_diary.window) return std::to_string(GetDlgCtrlID(focus));
    return "elsewhere";
}

// The table's line and the calendar's date; the analysis mode and period
// (the mode as stored); the graph's items and period (as stored) and month.
std::string State() {
    char date[32] = "";
    GetWindowTextA(g_diary.calendar, date, sizeof date);
    const long line = static_cast<long>(SendMessageA(g_diary.recordList, LB_GETCURSEL, 0, 0));
    return std::to_string(line) + " " + date + " | " + std::to_string(g_diary.analysisMode) + "(" +
           Setting("ANALYZE2") + ") " + g_diary.analysisPeriodKey + " | " + std::to_string(g_diary.graphItem[0]) +
           "," + std::to_string(g_diary.graphItem[1]) + "(" + Setting("LINEGRAPH1") + "," + Setting("LINEGRAPH2") +
           ") " + std::to_string(g_diary.graphPeriod) + "(" + Setting("LINEGRAPH3") + ") " + g_diary.graphPeriodKey;
}

class DiaryKeysTest : public DiaryWindowTest {
protected:
    // The key as the keyboard posts it to the focus, through the program's loop.
    void Press(UINT key, bool shift) {
        BYTE keys[256] = {};
        GetKeyboardState(keys);
        keys[VK_SHIFT] = shift ? 0x80 : 0;
        SetKeyboardState(keys);
        HWND focus = GetFocus();
        PostMessageA(focus, WM_KEYDOWN, key, 1);
        PostMessageA(focus, WM_KEYUP, key, 0xC0000001);
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (TranslateDiaryKey(message)) continue;
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        keys[VK_SHIFT] = 0;
        SetKeyboardState(keys);
    }
};

TEST_F(DiaryKeysTest, TabGoesRoundTheWindowAndTheArrowsChooseAsTheMouseDoes) {
    enum Repaint { kNone, kBmiChart, kGraph };
    const struct {
        UINT key;
        bool shift;
        const char* focus;
        const char* state;
        Repaint repaint;
    } steps[] = {
        // The table's own arrows; the calendar follows.
        {VK_UP, false, "table", "4 2007/03/02 | 0(-) 20070302 | 0,0(-,-) 255(-) ", kBmiChart},
        {VK_TAB, false, "calendar", "4 2007/03/02 | 0(-) 20070302 | 0,0(-,-) 255(-) ", kNone},
        // The calendar's keys move the table as its buttons do; the focus stays.
        {VK_LEFT, false, "calendar", "3 2007/02/21 | 0(-) 20070221 | 0,0(-,-) 255(-) ", kBmiChart},
        {VK_PRIOR, false, "calendar", "2 2007/02/01 | 0(-) 20070201 | 0,0(-,-) 255(-) ", kBmiChart},
        {VK_UP, false, "calendar", "1 2007/01/31 | 0(-) 20070131 | 0,0(-,-) 255(-) ", kBmiChart},
        {VK_DOWN, false, "calendar", "2 2007/02/01 | 0(-) 20070201 | 0,0(-,-) 255(-) ", kBmiChart},
        // Enter opens the month view on the shown day; Escape gives the focus back to the bar.
        {VK_RETURN, false, "month view", "2 2007/02/01 | 0(-) 20070201 | 0,0(-,-) 255(-) ", kNone},
        {VK_ESCAPE, false, "calendar", "2 2007/02/01 | 0(-) 20070201 | 0,0(-,-) 255(-) ", kNone},
        // A day picked in it with the arrows: the table selects its record, the bar keeps the focus.
        {VK_F4, false, "month view", "2 2007/02/01 | 0(-) 20070201 | 0,0(-,-) 255(-) ", kNone},
        {VK_DOWN, false, "month view", "2 2007/02/01 | 0(-) 20070201 | 0,0(-,-) 255(-) ", kNone},
        {VK_DOWN, false, "month view", "2 2007/02/01 | 0(-) 20070201 | 0,0(-,-) 255(-) ", kNone},
        {VK_DOWN, false, "month view", "2 2007/02/01 | 0(-) 20070201 | 0,0(-,-) 255(-) ", kNone},
        {VK_LEFT, false, "month view", "2 2007/02/01 | 0(-) 20070201 | 0,0(-,-) 255(-) ", kNone},
        {VK_SPACE, false, "calendar", "3 2007/02/21 | 0(-) 20070221 | 0,0(-,-) 255(-) ", kBmiChart},
        // The analysis mode: the arrow chooses 月, which is stored and opens the month list.
        {VK_TAB, false, "101", "3 2007/02/21 | 0(-) 20070221 | 0,0(-,-) 255(-) ", kNone},
        {VK_DOWN, false, "101", "3 2007/02/21 | 1(1) 200702 | 0,0(-,-) 255(-) ", kBmiChart},
        {VK_TAB, false, "102", "3 2007/02/21 | 1(1) 200702 | 0,0(-,-) 255(-) ", kNone},
        {VK_UP, false, "102", "3 2007/02/21 | 1(1) 200701 | 0,0(-,-) 255(-) ", kBmiChart},
        // The graph's first item: 体重, stored; the period list opens at 月間.
        {VK_TAB, false, "200", "3 2007/02/21 | 1(1) 200701 | 0,0(-,-) 255(-) ", kNone},
        {VK_DOWN, false, "200", "3 2007/02/21 | 1(1) 200701 | 1,0(1,-) 0(0) 200702", kGraph},
        {VK_TAB, false, "201", "3 2007/02/21 | 1(1) 200701 | 1,0(1,-) 0(0) 200702", kNone},
        {VK_TAB, false, "202", "3 2007/02/21 | 1(1) 200701 | 1,0(1,-) 0(0) 200702", kNone},
        {VK_DOWN, false, "202", "3 2007/02/21 | 1(1) 200701 | 1,0(1,-) 1(1) 2007", kGraph},
        {VK_TAB, false, "203", "3 2007/02/21 | 1(1) 200701 | 1,0(1,-) 1(1) 2007", kNone},
        {VK_TAB, true, "202", "3 2007/02/21 | 1(1) 200701 | 1,0(1,-) 1(1) 2007", kNone},
        // 30 days: no month or year list, so Tab passes it by, round to the table.
        {VK_DOWN, false, "202", "3 2007/02/21 | 1(1) 200701 | 1,0(1,-) 2(2) 2007", kGraph},
        {VK_TAB, false, "table", "3 2007/02/21 | 1(1) 200701 | 1,0(1,-) 2(2) 2007", kNone},
        {VK_TAB, true, "202", "3 2007/02/21 | 1(1) 200701 | 1,0(1,-) 2(2) 2007", kNone},
        {VK_TAB, true, "201", "3 2007/02/21 | 1(1) 200701 | 1,0(1,-) 2(2) 2007", kNone},
        // Esc from anywhere: back to the table, which keeps its arrows.
        {VK_ESCAPE, false, "table", "3 2007/02/21 | 1(1) 200701 | 1,0(1,-) 2(2) 2007", kNone},
        {VK_DOWN, false, "table", "4 2007/03/02 | 1(1) 200703 | 1,0(1,-) 2(2) 2007", kGraph},
        {VK_TAB, true, "202", "4 2007/03/02 | 1(1) 200703 | 1,0(1,-) 2(2) 2007", kNone},
    };
    CreateWindows();
    OpenUser({"20070105", "20070131", "20070201", "20070221", "20070302"});
    RestoreSelectors(diary_);
    Pump();
    SetFocus(g_diary.recordList);
    ASSERT_EQ(FocusName(), "table");
    int number = 0;
    for (const auto& step : steps) {
        SCOPED_TRACE("step " + std::to_string(++number));
        const std::vector<RECT> painted = Painted(diary_, [&] { Press(step.key, step.shift); });
        EXPECT_EQ(FocusName(), step.focus);
        EXPECT_EQ(State(), step.state);
        const bool chart = AnyPaintIn(painted, g_diary.bmiChartArea);
        const bool graph = AnyPaintIn(painted, g_diary.graphAxisArea);
        EXPECT_EQ(chart || graph ? (graph ? kGraph : kBmiChart) : kNone, step.repaint);
    }

    // Back from a dialog or another program, the control that had the focus has it again.
    SetFocus(frame_);
    EXPECT_TRUE(RestoreDiaryFocus());
    EXPECT_EQ(FocusName(), "202");

    // A choice made with the mouse hands the focus back to the table, as before.
    SendMessageA(GetDlgItem(diary_, kAnalysisModeSelectorId), CB_SETCURSEL, 2, 0);
    SendMessageA(diary_, WM_COMMAND, MAKEWPARAM(kAnalysisModeSelectorId, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(GetDlgItem(diary_, kAnalysisModeSelectorId)));
    EXPECT_EQ(FocusName(), "table");
    EXPECT_EQ(Setting("ANALYZE2"), "2");
    SetFocus(frame_);
    EXPECT_TRUE(RestoreDiaryFocus());
    EXPECT_EQ(FocusName(), "table");
}

}  // namespace
