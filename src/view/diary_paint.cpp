#include "view/diary_paint.h"

#include "charts/painters/record_table.h"
#include "corelib/win32/gdi_scope.h"
#include "diary/diary_store.h"
#include "view/diary_bmi_chart.h"
#include "view/diary_links.h"
#include "view/diary_state.h"
#include "view/graph_view.h"

namespace {

// The graph's place takes the window's own background until its painter
// covers it. The BMI panel is left out: its painter covers it whole, and a
// fill first would flicker at every change of the selection.
void PaintBackground(HWND window, HDC dc, const BmiPanelLayout& panel, const RECT& area) {
    const int saved = SaveDC(dc);
    ExcludeClipRect(dc, panel.x, panel.y, panel.x + panel.width, panel.y + panel.height);
    FillRect(dc, &area, reinterpret_cast<HBRUSH>(GetClassLongPtrA(window, GCLP_HBRBACKGROUND)));
    RestoreDC(dc, saved);
}

}  // namespace

RecordHeaderPlace RecordHeaderPlaceOf(HWND window) {
    RecordHeaderPlace place = {};
    RECT client = {};
    GetClientRect(window, &client);
    place.windowWidth = client.right;
    place.windowHeight = client.bottom;
    place.hasList = g_diary.recordList != nullptr;
    RECT windowRect = {}, listRect = {};
    if (place.hasList && GetWindowRect(window, &windowRect) && GetWindowRect(g_diary.recordList, &listRect))
        place.listRect = {listRect.left - windowRect.left, listRect.top - windowRect.top,
                          listRect.right - windowRect.left, listRect.bottom - windowRect.top};
    else
        place.hasList = false;
    place.tableWidth = g_diary.tableWidth;
    place.baseTableWidth = g_diary.baseTableWidth;
    place.columnStarts = g_diary.columnStarts;
    place.ascent = g_diary.textAscent;
    place.bodyFatShown = InputItems().on[kItemBodyFat] != 0;
    return place;
}

namespace {

// A repaint of only a part of the line graph skips the header and the BMI
// chart, which did not change; but only while nothing of theirs is to be
// painted too (another invalidation may have joined the update region, and
// the window erases nothing).
bool OnlyTheGraphIsPainted(const RecordHeaderPlace& header, const RECT& painted) {
    if (!g_diary.graphOnlyRepaint) return false;
    // The header also draws the window's edges, 3 pixels wide with its 2-pixel pen.
    const RECT graph = {3, RecordTableRuleRow(header) + 2, header.windowWidth - 3, header.windowHeight - 3};
    RECT inside = {};
    return IntersectRect(&inside, &painted, &graph) && EqualRect(&inside, &painted);
}

// Until the real paint comes (at start-up the new-user dialog may run first)
// the invalid part shows the window's colour, never a surface not yet
// painted (black under Wine). The part stays invalid.
void ShowBackgroundUntilPainted(HWND window) {
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    if (!region) return;
    if (GetUpdateRgn(window, region, FALSE) != NULLREGION) {
        HDC dc = GetDC(window);
        FillRgn(dc, region, reinterpret_cast<HBRUSH>(GetClassLongPtrA(window, GCLP_HBRBACKGROUND)));
        ReleaseDC(window, dc);
    }
    DeleteObject(region);
}

void RunPainters(HWND window, HDC dc, const RECT& area) {
    const RecordHeaderPlace header = RecordHeaderPlaceOf(window);
    const BmiPanelLayout panel = BmiPanelOf(window);
    const bool graphOnly = OnlyTheGraphIsPainted(header, area);
    PaintBackground(window, dc, panel, area);
    if (!graphOnly) {
        drawRecordHeader(dc, header);
        PaintBmiChart(dc, panel);
    }
    PaintLineGraph(window, dc, area);
}

}  // namespace

void PaintDiaryWindow(HWND window) {
    // The first paint request after the view resized the window only arms the
    // real one: the window stays invalid, so the real paint follows at once,
    // after the children have settled.
    if (!g_diary.paintedOnce) {
        g_diary.paintedOnce = true;
        ShowBackgroundUntilPainted(window);
        return;
    }
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    {
        ScopedPalette palette(dc, g_diary.palette);
        RunPainters(window, dc, paint.rcPaint);
    }
    EndPaint(window, &paint);

    if (g_diary.splash) {
        GiveWayToDiary(window);
        RepaintWindow(window);
    }
}

void GiveWayToDiary(HWND window) {
    EndSplash();
    ShowDiaryTitle(window);
}

void EndSplash() {
    if (g_diary.splash && IsWindow(g_diary.splash)) DestroyWindow(g_diary.splash);
    g_diary.splash = nullptr;
}
