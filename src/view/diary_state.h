// The diary window's process-wide state. There is one diary window per run;
// its parts (the record list, the selectors, the commands, the paint) read and
// change this one instance, and hand the painters what they draw from it.
#ifndef PELMO_VIEW_DIARY_STATE_H
#define PELMO_VIEW_DIARY_STATE_H

#include <windows.h>

#include "charts/graph_period.h"  // the line-graph period codes
#include "charts/record_row.h"
#include "evaluation/bmi.h"
#include "evaluation/period.h"  // kPeriodKeyCapacity: a daily analysis keeps a whole date

constexpr int kAnalysisModeForceChange = 99;
extern const char* const kPeriodKeyResync;  // "999999": matches no period

// Child ids of the diary window.
constexpr int kRecordListId = 1;
constexpr int kAnalysisModeSelectorId = 101;
constexpr int kAnalysisPeriodSelectorId = 102;
constexpr int kGraphItem1SelectorId = 200;
constexpr int kGraphItem2SelectorId = 201;
constexpr int kGraphPeriodSelectorId = 202;
constexpr int kGraphMonthSelectorId = 203;

// Messages of the diary window's own.
constexpr UINT kMsgDiaryNoop = WM_USER + 7;  // result 0

// The first parameter of the left-button-up that re-syncs the record list and
// forces both period keys to be looked up again.
constexpr WPARAM kResyncMarker = 9999;

struct DiaryWindowState {
    HWND window = nullptr;
    HWND recordList = nullptr;
    WNDPROC recordListProcedure = nullptr;  // the list box's own procedure, behind the subclass
    HWND calendar = nullptr;
    HPALETTE palette = nullptr;             // the chart palette, 54 entries
    HMENU recordPopup = nullptr;            // 入力 / 修正 / 削除
    HWND splash = nullptr;                  // non-null until the first real paint
    int textAscent = 0;
    int columnStarts[kRecordTableColumns] = {};
    int tableWidth = 0;                     // W: widened while rows overflow the list
    int baseTableWidth = 0;                 // W0
    bool paintedOnce = false;
    // Set while only a part of the line graph is repainted: that paint leaves
    // the record table's header and the BMI chart, which did not change, alone.
    bool graphOnlyRepaint = false;
    bool scrollCompensated = false;         // the row painter widened W for the list's scroll bar

    // Analysis and graph selections.
    int analysisMode = 0;                   // 0 day, 1 month, 2 year
    char analysisPeriodKey[kPeriodKeyCapacity] = {};
    int graphItem[2] = {0, 0};              // chart item codes 0..9
    int graphPeriod = kNoGraphPeriod;
    char graphPeriodKey[kPeriodKeyCapacity] = {};
    bool trendShown = true;                 // "傾向線": the trends of weight and body fat in the graph

    // Where the BMI chart and the line graph were last drawn, in this window's
    // coordinates; their painters publish them, and the commands repaint just
    // these parts. Empty until the first paint: then the whole window is repainted.
    RECT bmiChartArea = {};
    RECT bmiTitleArea = {};
    RECT graphAxisArea = {};
    RECT graphLeftBand = {};
    RECT graphRightBand = {};

    // What EvaluatePeriod found for the shown day, month or year (the BMI chart shows it).
    AnalysisResult analysis = {};
};

extern DiaryWindowState g_diary;

#endif
