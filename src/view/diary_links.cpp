#include "view/diary_links.h"

#include "charts/painters/chart_drawing.h"
#include "corelib/utility.h"
#include "corelib/win32/calendar.h"
#include "diary/dialogs/day_dialog.h"
#include "diary/diary_store.h"
#include "diary/record_texts.h"
#include "view/diary_commands.h"
#include "view/diary_state.h"
#include "view/evaluate_window.h"
#include "view/graph_view.h"
#include "view/record_list.h"
#include "view/selector_changes.h"

namespace {

HWND RecordList() { return g_diary.recordList; }

// A day stored from the day dialog (also while it stays open, through its
// date spin) is written at once: a process killed while the dialog is still
// open loses none of the days it stored. A failure is told over the dialog.
void DayStoredHook(HWND owner) {
    if (HasUnsavedChanges() && owner) SaveOpenUser(GetLastActivePopup(GetAncestor(owner, GA_ROOT)));
    MatchRecordListLines();
    g_diary.paintedOnce = false;
    TellCalendarRecords();
    if (RecordList()) InvalidateRect(RecordList(), nullptr, TRUE);
    if (g_diary.window) EvaluateDiary(g_diary.window);
}

void EvaluateHook(HWND window) { EvaluateDiary(window); }

}  // namespace

void EvaluateDiary(HWND window) {
    const RECT* chart = IsRectEmpty(&g_diary.bmiChartArea) ? nullptr : &g_diary.bmiChartArea;
    EvaluatePeriodInWindow(window, g_diary.recordList, g_diary.calendar, chart, DiaryRecords(), DiaryRecordCount(),
                           CurrentHeader(), g_diary.analysisMode, g_diary.analysisPeriodKey, &g_diary.analysis);
}

void RepaintArea(HWND window, const RECT& area) {
    InvalidateRect(window, IsRectEmpty(&area) ? nullptr : &area, TRUE);
    UpdateWindow(window);
}

// The diary window clips its children, so invalidating it alone would leave
// the record table's rows as they were: every row shows the user's current
// header and input items only after the table is repainted too.
void RepaintWindow(HWND window) {
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

void TellCalendarDates(const DailyRecord* records, std::uint32_t count) {
    if (!g_diary.calendar) return;
    const CalendarDates dates = {records ? records->date : nullptr, count, sizeof(DailyRecord)};
    SendMessageA(g_diary.calendar, kCalendarSetDates, reinterpret_cast<WPARAM>(&dates), 0);
}

void TellCalendarRecords() { TellCalendarDates(DiaryRecords(), DiaryRecordCount()); }

void TellCalendarPalette() {
    if (!g_diary.calendar) return;
    const CalendarColors colors = CalendarColorsOf(g_diary.palette);
    SendMessageA(g_diary.calendar, kCalendarSetPalette, reinterpret_cast<WPARAM>(g_diary.palette), 0);
    SendMessageA(g_diary.calendar, kCalendarSetColors, reinterpret_cast<WPARAM>(&colors), 0);
}

void FocusRecordList() {
    if (RecordList()) SetFocus(RecordList());
}

void SetMainWindowTitle(HWND window, const char* title) {
    HWND main = window ? GetAncestor(window, GA_ROOT) : nullptr;
    if (main) SetWindowTextA(main, title);
}

void ShowDiaryTitle(HWND window) {
    if (!IsUserOpen()) {
        SetMainWindowTitle(window, kProgramName);
        return;
    }
    char title[kMainTitleSize];
    FormatMainTitle(CurrentHeader(), title, sizeof title);
    SetMainWindowTitle(window, title);
}

void ShowOpenedUser(HWND window, bool restoreSelectors) {
    ShowDiaryTitle(window);
    RefillRecordList(std::size_t{DiaryRecordCount()} + 1);
    TellCalendarRecords();
    if (restoreSelectors) RestoreSelectors(window);
}

void InstallDiaryHooks() {
    RecordListHooks list = {};
    list.evaluate = EvaluateHook;
    list.repaintGraph = RepaintGraph;
    SetRecordListHooks(list);

    DayDialogHooks day = {};
    day.dayStored = DayStoredHook;
    SetDayDialogHooks(day);
}

void RemoveDiaryHooks() {
    SetRecordListHooks(RecordListHooks{});
    SetDayDialogHooks(DayDialogHooks{});
}
