#include "view/diary_create.h"

#include "charts/color_scheme_setting.h"
#include "charts/painters/chart_drawing.h"
#include "corelib/utility.h"
#include "corelib/win32/calendar.h"
#include "corelib/win32/dpi.h"
#include "corelib/win32/modal_dialog.h"
#include "corelib/win32/takku.h"
#include "diary/diary_store.h"
#include "export/import_plan.h"
#include "resources/resource.h"
#include "view/diary_commands.h"
#include "view/diary_links.h"
#include "view/diary_selectors.h"
#include "view/diary_state.h"
#include "view/selector_changes.h"
#include "view/record_list.h"
#include "view/trend_line_setting.h"

namespace {

struct PopupEntry {
    UINT command;
    UINT text;
};
constexpr PopupEntry kPopupEntries[] = {
    {ID_DAY_NEW, IDS_POPUP_DAY_NEW},
    {ID_DAY_EDIT, IDS_POPUP_DAY_EDIT},
    {ID_DAY_DELETE, IDS_POPUP_DAY_DELETE},
};

HMENU CreateRecordPopup(HINSTANCE instance) {
    HMENU menu = CreatePopupMenu();
    if (!menu) return nullptr;
    for (const PopupEntry& entry : kPopupEntries) AppendMenuA(menu, MF_STRING, entry.command, GetRS(instance, entry.text));
    return menu;
}

}  // namespace

// At the DPI the program draws for (ScreenDpi), which is the screen's own
// unless a test chose another: the font's ascent grows with it.
int MeasureTextAscent(HWND window) {
    HDC dc = GetDC(window);
    TEXTMETRICA metrics = {};
    GetTextMetricsA(dc, &metrics);
    const int fontDpi = GetDeviceCaps(dc, LOGPIXELSY);
    ReleaseDC(window, dc);
    if (fontDpi <= 0 || fontDpi == ScreenDpi()) return metrics.tmAscent;
    return MulDiv(metrics.tmAscent, ScreenDpi(), fontDpi);
}

void CreateDiaryWindow(HWND window, HINSTANCE instance) {
    // The splash and the calendar belong to the view: the splash is up
    // already, the calendar comes after this window.
    HWND calendar = g_diary.calendar;
    HWND splash = g_diary.splash;
    g_diary = DiaryWindowState{};
    g_diary.calendar = calendar && IsWindow(calendar) ? calendar : nullptr;
    g_diary.splash = splash && IsWindow(splash) ? splash : nullptr;
    g_diary.window = window;
    InstallDiaryHooks();

    CloseUser();  // staging record, header, record block and user-open flag
    g_diary.analysis = AnalysisResult{};
    ForgetGraphChoices();
    SetMainWindowTitle(window, "");
    g_diary.textAscent = MeasureTextAscent(window);
    ComputeRecordColumns(g_diary.textAscent);
    g_diary.recordPopup = CreateRecordPopup(instance);
    g_diary.palette = CreateChartPalette(ReadColorSchemeSetting());  // a new scheme shows at the next start
    g_diary.trendShown = ReadTrendLineSetting();
    ShowTrendLineCheck(window);
    CreateRecordList(window, instance);
    CreateSelectors(window, instance);
    if (HWND container = GetParent(window))
        SendMessageA(container, kTakkuSetPalette, reinterpret_cast<WPARAM>(g_diary.palette), 0);
    if (g_diary.recordList) {
        SendMessageA(g_diary.recordList, LB_SETCURSEL, 0, 0);
        SendMessageA(g_diary.recordList, LB_SETTOPINDEX, 0, 0);
        SetFocus(g_diary.recordList);
    }
}

void DestroyDiaryWindow(HWND window) {
    if (g_diary.recordPopup) DestroyMenu(g_diary.recordPopup);
    g_diary.recordPopup = nullptr;
    // Usually written already, when the exit was confirmed.
    if (HasUnsavedChanges()) SaveOpenUser(window);
    if (g_diary.calendar) {
        if (CalendarWindow() == g_diary.calendar) SetCalendarWindow(nullptr);
        DestroyWindow(g_diary.calendar);
        g_diary.calendar = nullptr;
    }
    SetCalendarDpi(0);  // a calendar made later starts at the screen's DPI
    // The container must not hand out the palette after it is gone.
    if (HWND container = GetParent(window)) SendMessageA(container, kTakkuSetPalette, 0, 0);
    if (g_diary.palette) DeleteObject(g_diary.palette);
    g_diary.palette = nullptr;
    // The last import can be undone only in this run: its copy goes too.
    ForgetImport();
    CloseUser();
    RemoveDiaryHooks();
    g_diary.recordList = nullptr;
    g_diary.window = nullptr;
}
