#include "view/diary_layout.h"

#include "charts/bmi_chart_layout.h"
#include "corelib/win32/calendar.h"
#include "corelib/win32/dpi.h"
#include "view/diary_state.h"
#include "view/record_list.h"

const int kSelectorIds[kSelectorCount] = {kAnalysisModeSelectorId, kAnalysisPeriodSelectorId, kGraphItem1SelectorId,
                                          kGraphItem2SelectorId,   kGraphPeriodSelectorId,    kGraphMonthSelectorId};

namespace {

constexpr int kSmallAscent = 16;
constexpr int kListLeft = 4;
constexpr int kCalendarRightOverhang = kCalendarWidth - kCalendarVisibleWidth;
constexpr int kCalendarGap = 2;         // between the table's edge and the calendar
constexpr int kSmallestCalendarDpi = 48;  // its texts stay readable
constexpr int kPanelInnerMargin = 6;  // the BMI panel's frame and a pixel of white inside the window's right edge

}  // namespace

TextUnits TextUnitsOf(int ascent) {
    if (ascent <= kSmallAscent) return {16, 8};
    return {ascent, ascent / 2};
}

int WindowHeightOf(HWND child) {
    RECT rect = {};
    if (!child || !GetWindowRect(child, &rect)) return 0;
    return rect.bottom - rect.top;
}

int RecordListHeight(int windowHeight) { return windowHeight - windowHeight / 2; }

DiaryLayout ComputeDiaryLayout(int width, int height, int ascent, int tableWidth, int listHeight) {
    const TextUnits t = TextUnitsOf(ascent);
    const int u = t.u, v = t.v, a = ascent, w = tableWidth;
    DiaryLayout layout = {};
    layout.recordList = {kListLeft, 2 * a + 7, w - 5, RecordListHeight(height)};
    // The calendar at the top right, as large as the screen's DPI makes it
    // where the window has room beside the table, else smaller.
    const int besideTable = width - w - kCalendarGap;
    int dpi = ScreenDpi();
    if (MulDiv(kCalendarVisibleWidth, dpi, kBaseDpi) > besideTable) {
        dpi = MulDiv(besideTable, kBaseDpi, kCalendarVisibleWidth);
        if (dpi < kSmallestCalendarDpi) dpi = kSmallestCalendarDpi;
    }
    layout.calendarDpi = dpi;
    const int visible = MulDiv(kCalendarVisibleWidth, dpi, kBaseDpi);
    layout.calendar = {width - visible, 0, visible + MulDiv(kCalendarRightOverhang, dpi, kBaseDpi),
                       MulDiv(kCalendarHeight, dpi, kBaseDpi)};
    // The analysis selectors sit at the top of the BMI panel, below its title
    // (which lies below the calendar); they share what the panel offers when
    // it is narrower than they are. The graph's lie below the list.
    const int titleFoot = BmiTitleFoot(a, layout.calendar.y + layout.calendar.height, ScreenDpi());
    const int analysisY = u + 44 > titleFoot ? u + 44 : titleFoot;
    int modeWidth = 12 * v, periodWidth = 13 * v;
    const int room = width - kPanelInnerMargin - (w + 7);  // from the mode's left to the panel's inside
    if (modeWidth + 2 + periodWidth > room && room > 0) {
        modeWidth = (room - 2) * 12 / 25;
        periodWidth = room - 2 - modeWidth;
    }
    layout.selectors[0] = {w + 7, analysisY, modeWidth, 10 * u};
    layout.selectors[1] = {w + 7 + modeWidth + 2, analysisY, periodWidth, 10 * u};
    const int graphY = 2 * a + 13 + listHeight;
    layout.selectors[2] = {3 * v + 4, graphY, 12 * v, 20 * u};
    layout.selectors[3] = {15 * v + 6, graphY, 12 * v, 20 * u};
    layout.selectors[4] = {27 * v + 8, graphY, 12 * v, 20 * u};
    layout.selectors[5] = {39 * v + 10, graphY, 13 * v, 20 * u};
    return layout;
}

void LayOutDiaryWindow(HWND window) {
    RECT client;
    GetClientRect(window, &client);
    // Nothing shows in an empty window (being built, or minimized): its
    // children keep their places until it has a size.
    if (IsRectEmpty(&client)) return;
    const int a = g_diary.textAscent;
    // The list first: its real height places the graph's selectors.
    DiaryLayout layout = ComputeDiaryLayout(client.right, client.bottom, a, g_diary.tableWidth, 0);
    if (g_diary.recordList) {
        const ChildPlace& list = layout.recordList;
        SetWindowPos(g_diary.recordList, nullptr, list.x, list.y, list.width, list.height,
                     SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
        KeepSelectionVisible();
        RECT placed;
        GetWindowRect(g_diary.recordList, &placed);
        layout = ComputeDiaryLayout(client.right, client.bottom, a, g_diary.tableWidth, placed.bottom - placed.top);
    }
    if (g_diary.calendar) {
        SetCalendarDpi(layout.calendarDpi == ScreenDpi() ? 0 : layout.calendarDpi);
        const ChildPlace& calendar = layout.calendar;
        SetWindowPos(g_diary.calendar, nullptr, calendar.x, calendar.y, calendar.width, calendar.height,
                     SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    }
    for (int i = 0; i < kSelectorCount; ++i) {
        HWND selector = GetDlgItem(window, kSelectorIds[i]);
        if (!selector) continue;
        const ChildPlace& place = layout.selectors[i];
        SetWindowPos(selector, nullptr, place.x, place.y, place.width, place.height, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (g_diary.splash) return;  // the first real paint comes after the splash
    InvalidateRect(window, nullptr, TRUE);
    UpdateWindow(window);
}
