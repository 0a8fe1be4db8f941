#include "view/diary_bmi_chart.h"

#include <cstdint>
#include <initializer_list>

#include "charts/painters/bmi_chart.h"
#include "diary/diary_store.h"
#include "view/diary_state.h"

namespace {

RECT RectOf(const ChartBox& box) { return RECT{box.left, box.top, box.right, box.bottom}; }

int RecordListHeight() {
    RECT list = {};
    if (!g_diary.recordList || !GetWindowRect(g_diary.recordList, &list)) return 0;
    return list.bottom - list.top;
}

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

}  // namespace

BmiPanelLayout BmiPanelOf(HWND window) {
    RECT client = {};
    GetClientRect(window, &client);
    return LayOutBmiPanel(client.right, g_diary.tableWidth, RecordListHeight(), g_diary.textAscent,
                          AnalysisSelectorsFoot(window));
}

BmiChartFacts BmiChartFactsOf() {
    BmiChartFacts facts = {};
    facts.userLoaded = IsUserOpen();
    facts.height = CurrentHeader().height;
    facts.targetWeight = CurrentHeader().targetWeight;
    const LRESULT selected = g_diary.recordList ? SendMessageA(g_diary.recordList, LB_GETCURSEL, 0, 0) : LB_ERR;
    facts.recordSelected = selected >= 0 && static_cast<std::uint32_t>(selected) < DiaryRecordCount();
    facts.analysis = g_diary.analysis;
    return facts;
}

void PaintBmiChart(HWND window, HDC dc) {
    const BmiPanelLayout panel = BmiPanelOf(window);
    g_diary.bmiChartArea = RectOf(panel.chartRepaint);
    g_diary.bmiTitleArea = RectOf(panel.titleRepaint);
    drawBmiChart(dc, g_diary.palette, panel, BmiChartFactsOf());
}
