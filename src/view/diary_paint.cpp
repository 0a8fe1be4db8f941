#include "view/diary_paint.h"

#include "charts/record_table.h"
#include "shell/splash.h"
#include "view/diary_links.h"
#include "view/diary_state.h"

namespace {

// The BMI chart's and the graph's places take the window's own background
// until their painters cover them.
void PaintBackground(HWND window, HDC dc, const RECT& area) {
    FillRect(dc, &area, reinterpret_cast<HBRUSH>(GetClassLongPtrA(window, GCLP_HBRBACKGROUND)));
}

void RunPainters(HWND window, HDC dc, const RECT& area) {
    const int a = g_diary.textAscent;
    PaintBackground(window, dc, area);
    drawRecordHeader(window, dc, a);
}

}  // namespace

void PaintDiaryWindow(HWND window) {
    // The first paint request after the view resized the window only arms the
    // real one: the window stays invalid, so the real paint follows at once,
    // after the children have settled.
    if (!g_diary.paintedOnce) {
        g_diary.paintedOnce = true;
        return;
    }
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    HPALETTE oldPalette = nullptr;
    if (g_diary.palette) {
        oldPalette = SelectPalette(dc, g_diary.palette, FALSE);
        RealizePalette(dc);
    }
    RunPainters(window, dc, paint.rcPaint);
    if (oldPalette) SelectPalette(dc, oldPalette, FALSE);
    EndPaint(window, &paint);

    if (SplashWindow()) {
        DestroySplashWindow();
        ShowDiaryTitle(window);
        RepaintWindow(window);
    }
}
