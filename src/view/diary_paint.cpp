#include "view/diary_paint.h"

#include "charts/painters/record_table.h"
#include "corelib/win32/gdi_scope.h"
#include "diary/diary_store.h"
#include "view/diary_links.h"
#include "view/diary_state.h"

namespace {

// The BMI chart's and the graph's places take the window's own background
// until their painters cover them.
void PaintBackground(HWND window, HDC dc, const RECT& area) {
    FillRect(dc, &area, reinterpret_cast<HBRUSH>(GetClassLongPtrA(window, GCLP_HBRBACKGROUND)));
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
    PaintBackground(window, dc, area);
    drawRecordHeader(dc, RecordHeaderPlaceOf(window));
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
        EndSplash();
        ShowDiaryTitle(window);
        RepaintWindow(window);
    }
}

void EndSplash() {
    if (g_diary.splash && IsWindow(g_diary.splash)) DestroyWindow(g_diary.splash);
    g_diary.splash = nullptr;
}
