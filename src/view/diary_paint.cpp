#include "view/diary_paint.h"

#include "charts/record_table.h"
#include "shell/splash.h"
#include "view/diary_links.h"
#include "view/diary_state.h"

namespace {

void RunPainters(HWND window, HDC dc) {
    const int a = g_diary.textAscent;
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
    RunPainters(window, dc);
    if (oldPalette) SelectPalette(dc, oldPalette, FALSE);
    EndPaint(window, &paint);

    if (SplashWindow()) {
        DestroySplashWindow();
        ShowDiaryTitle(window);
        RepaintWindow(window);
    }
}
