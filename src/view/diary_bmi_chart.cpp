#include "view/diary_bmi_chart.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <initializer_list>

#include "charts/painters/bmi_chart.h"
#include "charts/painters/chart_drawing.h"
#include "corelib/win32/dpi.h"
#include "diary/diary_store.h"
#include "evaluation/diary_trend.h"
#include "evaluation/period.h"
#include "view/diary_layout.h"
#include "view/diary_state.h"

namespace {

// The lowest row of the window that the analysis selectors (101, 102) cover.
int AnalysisSelectorsFoot(HWND window) {
    int foot = 0;
    for (int id : {kAnalysisModeSelectorId, kAnalysisPeriodSelectorId}) {
        HWND selector = GetDlgItem(window, id);
        RECT rect = {};
        if (!selector || !IsWindowVisible(selector) || !GetWindowRect(selector, &rect)) continue;
        MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&rect), 2);
        if (rect.bottom > foot) foot = rect.bottom;
    }
    return foot;
}

// The calendar's foot in the window (0 without one): the panel's title lies below it.
int CalendarFoot(HWND window) {
    RECT rect = {};
    if (!g_diary.calendar || !IsWindowVisible(g_diary.calendar) || !GetWindowRect(g_diary.calendar, &rect)) return 0;
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&rect), 2);
    return rect.bottom;
}

}  // namespace

BmiPanelLayout BmiPanelOf(HWND window) {
    RECT client = {};
    GetClientRect(window, &client);
    return LayOutBmiPanel(client.right, g_diary.tableWidth, WindowHeightOf(g_diary.recordList), g_diary.textAscent,
                          AnalysisSelectorsFoot(window), ScreenDpi(), CalendarFoot(window));
}

BmiChartFacts BmiChartFactsOf() {
    BmiChartFacts facts = {};
    facts.userLoaded = IsUserOpen();
    facts.height = CurrentHeader().height;
    facts.targetWeight = CurrentHeader().targetWeight;
    const LRESULT selected = g_diary.recordList ? SendMessageA(g_diary.recordList, LB_GETCURSEL, 0, 0) : LB_ERR;
    const bool onRecord = selected >= 0 && static_cast<std::uint32_t>(selected) < DiaryRecordCount();
    // With the blank line the analysis is still of the diary's days (the
    // latest day, the calendar's month or year), whenever there are days.
    facts.recordSelected = DiaryRecordCount() > 0 && g_diary.analysis.averageWeight > 0.0;
    facts.analysis = g_diary.analysis;
    const char* key = g_diary.analysisPeriodKey;
    if (facts.recordSelected && !onRecord && g_diary.analysisMode == kAnalysisDaily && std::strlen(key) == kDateLength)
        std::snprintf(facts.namedDay, sizeof facts.namedDay, "%.4s/%.2s/%.2s", key, key + 4, key + 6);
    const long day = TrendDayOfAnalysis(DiaryRecords(), DiaryRecordCount(), g_diary.analysisMode, key);
    facts.trend = TrendFiguresOn(DiaryTrend(TrendQuantity::kWeight), DiaryRecords(), DiaryRecordCount(),
                                 TrendQuantity::kWeight, day, facts.targetWeight);
    return facts;
}

void PaintBmiChart(HDC dc, const BmiPanelLayout& panel) {
    g_diary.bmiChartArea = RectOf(panel.chartRepaint);
    g_diary.bmiTitleArea = RectOf(panel.titleRepaint);
    drawBmiChart(dc, g_diary.palette, panel, BmiChartFactsOf());
}
