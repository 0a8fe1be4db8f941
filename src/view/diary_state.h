// The diary window's process-wide state. There is one diary window per run;
// the record list, the table painters, the selectors and the charts all read
// and change this one instance.
#ifndef PELMO_VIEW_DIARY_STATE_H
#define PELMO_VIEW_DIARY_STATE_H

#include <windows.h>

constexpr int kRecordColumnCount = 7;
constexpr int kNoGraphPeriod = 99;        // line-graph period: none
constexpr int kGraphPeriodUnselected = 255;
constexpr int kAnalysisModeForceChange = 99;
constexpr int kPeriodKeyCapacity = 7;     // at most 6 characters + NUL
extern const char* const kPeriodKeyResync;  // "999999": matches no period

// Child ids of the diary window.
constexpr int kRecordListId = 1;
constexpr int kCalendarId = 2;
constexpr int kAnalysisModeSelectorId = 101;
constexpr int kAnalysisPeriodSelectorId = 102;
constexpr int kGraphItem1SelectorId = 200;
constexpr int kGraphItem2SelectorId = 201;
constexpr int kGraphPeriodSelectorId = 202;
constexpr int kGraphMonthSelectorId = 203;

// The calendar's navigation requests arrive as WM_COMMAND with this id in the
// low word of wParam and the request code in the low word of lParam.
constexpr int kCalendarRequestCommand = 1025;
enum CalendarRequest : int {
    kRequestNextRecord = 0,
    kRequestPreviousRecord = 1,
    kRequestNextMonth = 2,
    kRequestPreviousMonth = 3,
    kRequestSelectLine = 4,    // the line in the high word of lParam
    kRequestCalendarDate = 5,  // the record of the calendar's shown date
};

// Messages between the diary window, the calendar and the container.
constexpr UINT kMsgSetPalette = WM_USER;          // calendar: wParam = HPALETTE
constexpr UINT kMsgContainerPalette = WM_USER + 1;  // TAKKU: wParam = HPALETTE, kept in window word 0
constexpr UINT kMsgRecordBlock = WM_USER + 2;     // calendar: wParam = records, lParam = count
constexpr UINT kMsgDiaryNoop = WM_USER + 7;       // diary window: result 0

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
    int columnStarts[kRecordColumnCount] = {};
    int tableWidth = 0;                     // W: widened while rows overflow the list
    int baseTableWidth = 0;                 // W0
    bool paintedOnce = false;
    bool scrollCompensated = false;         // the row painter widened W for the list's scroll bar

    // Analysis and graph selections.
    int analysisMode = 0;                   // 0 day, 1 month, 2 year
    char analysisPeriodKey[kPeriodKeyCapacity] = {};
    int graphItem[2] = {0, 0};              // chart item codes 0..9
    int graphPeriod = kNoGraphPeriod;
    char graphPeriodKey[kPeriodKeyCapacity] = {};
};

extern DiaryWindowState g_diary;

#endif
