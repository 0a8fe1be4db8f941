#include "view/graph_view.h"

#include "charts/painters/chart_drawing.h"
#include "corelib/dates.h"
#include "corelib/win32/dpi.h"
#include "diary/diary_store.h"
#include "evaluation/diary_trend.h"
#include "view/diary_layout.h"
#include "view/diary_selectors.h"
#include "view/diary_state.h"

LineGraphInput LineGraphInputOf(HWND window, char* calendarText, int calendarTextSize) {
    LineGraphInput input;
    RECT client = {};
    GetClientRect(window, &client);
    input.windowWidth = client.right;
    input.windowHeight = client.bottom;
    input.ascent = g_diary.textAscent;
    input.dpi = ScreenDpi();
    input.listHeight = WindowHeightOf(g_diary.recordList);
    input.itemComboHeight = WindowHeightOf(Selector(kGraphItem1SelectorId));
    input.leftItem = g_diary.graphItem[0];
    input.rightItem = g_diary.graphItem[1];
    input.period = g_diary.graphPeriod;
    input.periodKey = g_diary.graphPeriodKey;
    calendarText[0] = '\0';
    if (g_diary.calendar) GetWindowTextA(g_diary.calendar, calendarText, calendarTextSize);
    input.calendarText = calendarText;
    input.records = DiaryRecords();
    input.count = DiaryRecordCount();
    input.header = &CurrentHeader();
    input.flags = &InputItems();
    TrendQuantity quantity;
    if (g_diary.trendShown && TrendQuantityOfItem(input.leftItem, &quantity)) input.leftTrend = &DiaryTrend(quantity);
    if (g_diary.trendShown && TrendQuantityOfItem(input.rightItem, &quantity)) input.rightTrend = &DiaryTrend(quantity);
    return input;
}

void PaintLineGraph(HWND window, HDC dc, const RECT& paintArea) {
    char calendarText[32];
    const LineGraphInput input = LineGraphInputOf(window, calendarText, sizeof calendarText);
    const GraphLayout layout = ComputeGraphLayout(input.windowWidth, input.windowHeight, input.ascent,
                                                  input.listHeight, input.itemComboHeight);
    const RECT whole = {0, layout.top - 2, input.windowWidth, layout.top + layout.height + 2};
    RECT overlap;
    if (!IntersectRect(&overlap, &whole, &paintArea)) return;
    const GraphAreas areas = drawGraph(dc, g_diary.palette, input);
    g_diary.graphAxisArea = RectOf(areas.axis);
    g_diary.graphLeftBand = RectOf(areas.leftBand);
    g_diary.graphRightBand = RectOf(areas.rightBand);
}

void RepaintGraph(HWND window) {
    if (IsRectEmpty(&g_diary.graphAxisArea)) {
        InvalidateRect(window, nullptr, FALSE);  // not painted yet: its areas are not known
        UpdateWindow(window);
        return;
    }
    g_diary.graphOnlyRepaint = true;
    InvalidateRect(window, &g_diary.graphAxisArea, FALSE);
    InvalidateRect(window, &g_diary.graphLeftBand, FALSE);
    InvalidateRect(window, &g_diary.graphRightBand, FALSE);
    UpdateWindow(window);
    // The update is synchronous: a later paint, whatever it covers, paints everything.
    g_diary.graphOnlyRepaint = false;
}
