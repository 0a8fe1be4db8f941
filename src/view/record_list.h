// The record table: the diary window's owner-drawn list box (child id 1) with
// one line "*" per record and one blank line for a new day. Its subclass turns
// keys, clicks and the popup menu into the diary window's commands, and every
// move of the selection re-syncs the calendar, the period selectors and the
// evaluation with the selected day.
#ifndef PELMO_VIEW_RECORD_LIST_H
#define PELMO_VIEW_RECORD_LIST_H

#include <windows.h>

#include <cstddef>

// What the record list needs from the rest of the diary window. A hook left
// null is skipped.
struct RecordListHooks {
    // EvaluatePeriod for the diary window: recompute the analysis of the
    // selected day or period and repaint the BMI chart.
    void (*evaluate)(HWND diaryWindow);
    // Invalidate and update the line graph's horizontal-axis area.
    void (*repaintGraph)(HWND diaryWindow);
};
void SetRecordListHooks(const RecordListHooks& hooks);

// Column starts c0..c6 and the table widths W = W0 from the text ascent, into
// g_diary (columnStarts, tableWidth, baseTableWidth).
void ComputeRecordColumns(int ascent);

// Creates the list box as child kRecordListId of the diary window, subclasses
// it and adds the blank line. Sets g_diary.recordList and recordListProcedure.
HWND CreateRecordList(HWND diaryWindow, HINSTANCE instance);

// The diary window's WM_DRAWITEM for the list: background, then drawRecordRow.
void DrawRecordListItem(const DRAWITEMSTRUCT* item);

// A navigation request of the calendar (WM_COMMAND 1025: code in the low word
// of lParam, line in the high word). Returns what the calendar is answered:
// the new record's date number, 1, or 0 when nothing moved.
LRESULT HandleCalendarRequest(int code, int line);

// Sync with the selection as it is, both period keys forced to be looked up
// again (the list's left-button-up with 9999).
void ResyncRecordList();

// Back to the single blank line, selected, top line 0, focused.
void ResetRecordList();
// `lines` lines "*" (records + the blank line), the last one selected, then a re-sync.
void RefillRecordList(std::size_t lines);
// Lines added at the end until there is one per record and the blank one (a
// day was stored); the selection stays.
void MatchRecordListLines();

// After the list changed its height (the frame went from maximized to
// normal), the selected line is scrolled back into view.
void KeepSelectionVisible();
// The table widened or narrowed for the list's scroll bar, as the row painter
// does it, but now: a view that was resized lays its children out once,
// before anything is drawn (moving shown controls is slow under Wine).
void FitTableToScrollBar();

// The sync itself (normally reached through the list's left-button-up).
// forceLookup: both period keys become "999999" first.
void SyncRecordList(bool forceLookup);

#endif
