#include "view/record_list.h"

#include <cstdio>
#include <cstring>

#include "charts/chart_palette.h"
#include "charts/painters/record_table.h"
#include "corelib/win32/calendar.h"
#include "corelib/win32/gdi_scope.h"
#include "corelib/win32/takku.h"
#include "diary/diary_store.h"
#include "resources/resource.h"
#include "resources/texts.h"
#include "view/diary_keys.h"
#include "view/diary_layout.h"
#include "view/diary_selectors.h"
#include "view/diary_state.h"
#include "view/record_navigation.h"

namespace {

RecordListHooks g_hooks = {};

const char kLineText[] = "*";  // every line's string; rows are painted from the records

HWND DiaryWindow() { return g_diary.window ? g_diary.window : GetParent(g_diary.recordList); }

long Selection(HWND list) { return static_cast<long>(SendMessageA(list, LB_GETCURSEL, 0, 0)); }
long LineCount(HWND list) { return static_cast<long>(SendMessageA(list, LB_GETCOUNT, 0, 0)); }

void SelectLine(long line) {
    SendMessageA(g_diary.recordList, LB_SETCURSEL, static_cast<WPARAM>(line), 0);
}

void SendCommand(WORD id) { SendMessageA(DiaryWindow(), WM_COMMAND, MAKEWPARAM(id, 0), 0); }

bool IsNavigationKey(WPARAM key) {
    switch (key) {
    case VK_PRIOR: case VK_NEXT: case VK_END: case VK_HOME:
    case VK_LEFT: case VK_UP: case VK_RIGHT: case VK_DOWN:
        return true;
    default:
        return false;
    }
}

bool ControlHeld() { return (GetKeyState(VK_CONTROL) & 0xFF00) != 0; }

// The command a key sends to the diary window, or 0 for keys the list keeps.
WORD KeyCommand(WPARAM key) {
    switch (key) {
    case VK_DELETE: return ID_DAY_DELETE;
    case VK_F2: return ID_DAY_EDIT;
    case VK_F3: return ID_DAY_NEW;
    default: break;
    }
    if (!ControlHeld()) return 0;
    switch (key) {
    case 'A': return ID_USER_AMEND;
    case 'D': return ID_USER_DELETE;
    case 'N': return ID_USER_NEW;
    case 'O': return ID_USER_OPEN;
    case 'P': return ID_RECORDS_PRINT;
    default: return 0;
    }
}

void Evaluate() {
    if (g_hooks.evaluate) g_hooks.evaluate(DiaryWindow());
}

void SyncAnalysisPeriod(const char* shown) {
    if (g_diary.analysisMode != kAnalysisMonthly && g_diary.analysisMode != kAnalysisYearly) return;
    const bool monthly = g_diary.analysisMode == kAnalysisMonthly;
    char key[sizeof g_diary.analysisPeriodKey];
    PeriodKeyOfShownDate(shown, monthly, key);
    if (std::strcmp(key, g_diary.analysisPeriodKey) == 0) return;
    std::strcpy(g_diary.analysisPeriodKey, key);
    SelectPeriodEntry(kAnalysisPeriodSelectorId, key, monthly);
    Evaluate();
}

void SyncGraphPeriod(const char* shown) {
    if (!g_diary.graphItem[0] && !g_diary.graphItem[1]) {
        g_diary.graphPeriodKey[0] = '\0';
        return;
    }
    const bool monthly = g_diary.graphPeriod == kGraphPeriodMonthly;
    char key[sizeof g_diary.graphPeriodKey];
    PeriodKeyOfShownDate(shown, monthly, key);
    if (std::strcmp(key, g_diary.graphPeriodKey) != 0) {
        std::strcpy(g_diary.graphPeriodKey, key);
        SelectPeriodEntry(kGraphMonthSelectorId, key, monthly);
    }
    if (g_hooks.repaintGraph) g_hooks.repaintGraph(DiaryWindow());
}

// The palette the container keeps, else the diary window's.
HPALETTE ContainerPalette() {
    HWND container = GetParent(DiaryWindow());
    HPALETTE palette = nullptr;
    if (container && GetClassLongPtrA(container, GCL_CBWNDEXTRA) >= static_cast<LONG_PTR>(sizeof(LONG_PTR)))
        palette = TakkuPalette(container);
    return palette ? palette : g_diary.palette;
}

// Scroll-bar compensation: while the rows overflow the list it has a vertical
// scroll bar, which would cover the last column; the table is widened by the
// bar's width, and narrowed back to W0 once the rows fit again.
void CompensateScrollBar(HWND list) {
    const LRESULT count = SendMessageA(list, LB_GETCOUNT, 0, 0);
    const LRESULT itemHeight = SendMessageA(list, LB_GETITEMHEIGHT, 0, 0);
    // A list not placed yet (the diary window is being built) shows no rows to overflow.
    const int height = WindowHeightOf(list);
    if (count == LB_ERR || itemHeight == LB_ERR || height <= 0) return;
    const bool overflows = count * itemHeight > height;
    if (overflows == g_diary.scrollCompensated) return;
    if (overflows) {
        RECT item = {};
        if (SendMessageA(list, LB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&item)) == LB_ERR) return;
        g_diary.scrollCompensated = true;
        g_diary.tableWidth = 2 * g_diary.tableWidth - (item.left + item.right) - 3;
    } else {
        g_diary.scrollCompensated = false;
        g_diary.tableWidth = g_diary.baseTableWidth;
    }
    HWND window = GetParent(list);
    RECT client = {};
    GetClientRect(window, &client);
    SendMessageA(window, WM_SIZE, SIZE_RESTORED, MAKELPARAM(client.right, client.bottom));
}

// A row of the table from top, one line high, as wide as right.
RecordRowPlace RowPlace(HWND list, int top, int right) {
    const int itemHeight = static_cast<int>(SendMessageA(list, LB_GETITEMHEIGHT, 0, 0));
    return RecordRowPlace{top, top + itemHeight, right, g_diary.columnStarts, g_diary.textAscent};
}

// The slots below the last line look like empty rows: background and separators.
void PaintEmptyArea(HWND list, HDC dc) {
    RECT client = {};
    GetClientRect(list, &client);
    const int itemHeight = static_cast<int>(SendMessageA(list, LB_GETITEMHEIGHT, 0, 0));
    if (itemHeight <= 0) return;
    const long top = static_cast<long>(SendMessageA(list, LB_GETTOPINDEX, 0, 0));
    const long count = LineCount(list);
    const long slots = client.bottom / itemHeight + top - count;
    if (slots <= 0) return;
    ScopedPalette palette(dc, ContainerPalette());
    RECT window = {};
    GetWindowRect(list, &window);
    const int right = g_diary.scrollCompensated ? g_diary.baseTableWidth - 3 : window.right - window.left;
    for (long slot = 0; slot < slots; ++slot)
        drawRecordRow(dc, RowPlace(list, static_cast<int>(itemHeight * (count - top + slot)), right), nullptr);
}

// A right click first selects the line under the pointer, as a Windows list
// does, so that 修正 and 削除 of the popup act on the line clicked.
void SelectLineAt(HWND list, LPARAM lParam) {
    const LRESULT hit = SendMessageA(list, LB_ITEMFROMPOINT, 0, lParam);
    if (hit == LB_ERR || HIWORD(hit) != 0) return;  // below the last line: the selection stays
    const long line = static_cast<long>(LOWORD(hit));
    if (line == Selection(list)) return;
    SelectLine(line);
    SyncRecordList(false);
}

void ShowPopup(HWND list, LPARAM lParam) {
    SelectLineAt(list, lParam);
    if (!g_diary.recordPopup) return;
    POINT point = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    ClientToScreen(list, &point);
    TrackPopupMenu(g_diary.recordPopup, TPM_RIGHTBUTTON, point.x, point.y, 0, DiaryWindow(), nullptr);
}

LRESULT PassOn(HWND list, UINT message, WPARAM wParam, LPARAM lParam) {
    return CallWindowProcA(g_diary.recordListProcedure, list, message, wParam, lParam);
}

LRESULT OnKeyDown(HWND list, WPARAM key, LPARAM lParam) {
    if (WORD command = KeyCommand(key)) {
        SendCommand(command);
        return 0;
    }
    if (IsNavigationKey(key)) SyncRecordList(false);
    return PassOn(list, WM_KEYDOWN, key, lParam);
}

LRESULT OnKeyUp(HWND list, WPARAM key, LPARAM lParam) {
    // A held key repeats its key-down; the release syncs with the final line.
    if (IsNavigationKey(key) && (GetKeyState(static_cast<int>(key)) & 0x8000) == 0)
        SendMessageA(list, WM_LBUTTONUP, 0, 0);
    return PassOn(list, WM_KEYUP, key, lParam);
}

// The list box's own search by a typed first character moves the selection
// too: every line reads "*", so the numeric pad's "*" steps a line on.
LRESULT OnChar(HWND list, WPARAM character, LPARAM lParam) {
    const long before = Selection(list);
    const LRESULT result = PassOn(list, WM_CHAR, character, lParam);
    if (Selection(list) != before) SyncRecordList(false);
    return result;
}

LRESULT OnDoubleClick(HWND list) {
    const long s = Selection(list);
    const bool record = s >= 0 && s + 1 < LineCount(list);
    SendCommand(record ? ID_DAY_EDIT : ID_DAY_NEW);
    return 0;
}

LRESULT CALLBACK RecordListProcedure(HWND list, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_KEYDOWN:
        return OnKeyDown(list, wParam, lParam);
    case WM_KEYUP:
        return OnKeyUp(list, wParam, lParam);
    case WM_CHAR:
        return OnChar(list, wParam, lParam);
    case WM_LBUTTONUP:
        SyncRecordList(wParam == kResyncMarker);
        return PassOn(list, message, wParam, lParam);
    case WM_LBUTTONDBLCLK:
        return OnDoubleClick(list);
    case WM_RBUTTONDOWN:
        ShowPopup(list, lParam);
        return PassOn(list, message, wParam, lParam);
    case WM_ERASEBKGND:
        PaintEmptyArea(list, reinterpret_cast<HDC>(wParam));
        return 0;
    case WM_SETFOCUS:
        NoteDiaryFocus(list);
        return PassOn(list, message, wParam, lParam);
    default:
        return PassOn(list, message, wParam, lParam);
    }
}

// Room for every line first, then straight to the list box's own procedure:
// a ten-year diary adds 3,651 lines at once.
void AddLines(HWND list, std::size_t lines) {
    SendMessageA(list, LB_INITSTORAGE, lines, lines * sizeof kLineText);
    for (std::size_t i = 0; i < lines; ++i) PassOn(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(kLineText));
}

// The column titles as the table shows them, in Shift-JIS bytes.
void TitleLengths(std::size_t (&lengths)[kRecordTableColumns]) {
    for (int i = 0; i < kRecordTableColumns; ++i) lengths[i] = std::strlen(PelmoText(IDS_TABLE_TITLE_DATE + i));
}

}  // namespace

void SetRecordListHooks(const RecordListHooks& hooks) { g_hooks = hooks; }

// The positions follow the text ascent, and widen where the table's font as
// it really is (a substitute under Wine, a larger face on another system)
// needs more room for a title or the widest value.
void ComputeRecordColumns(int ascent) {
    std::size_t lengths[kRecordTableColumns];
    TitleLengths(lengths);
    int needed[kRecordTableColumns] = {};
    HDC dc = GetDC(g_diary.window);
    if (dc) {
        measureRecordColumns(dc, ascent, WidestRecordRow(), needed);
        ReleaseDC(g_diary.window, dc);
    }
    const RecordColumns columns = ComputeColumns(ascent, lengths, needed);
    for (int i = 0; i < kRecordTableColumns; ++i) g_diary.columnStarts[i] = columns.start[i];
    g_diary.tableWidth = g_diary.baseTableWidth = columns.width;
}

HWND CreateRecordList(HWND diaryWindow, HINSTANCE instance) {
    HWND list = CreateWindowA("LISTBOX", "", WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS,
                              0, 0, 0, 0, diaryWindow,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(kRecordListId)), instance, nullptr);
    if (!list) return nullptr;
    g_diary.recordList = list;
    g_diary.recordListProcedure = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(list, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(RecordListProcedure)));
    AddLines(list, 1);
    return list;
}

namespace {

// One row: the scroll bar compensated first, then the record's texts (its
// BMI stored into the record on the way) or an empty row for the blank line.
void DrawRecordRow(HDC dc, int line, int top) {
    HWND list = g_diary.recordList;
    if (!list) return;
    CompensateScrollBar(list);
    RECT client = {};
    GetClientRect(list, &client);
    RecordRowTexts texts;
    const bool record = line >= 0 && static_cast<std::uint32_t>(line) < DiaryRecordCount();
    if (record) {
        const std::uint32_t index = static_cast<std::uint32_t>(line);
        texts = FormatRecordRow(DiaryRecords()[line], CurrentHeader(), RowShowsYear(DiaryRecords(), DiaryRecordCount(), index));
        SetRecordBmi(static_cast<std::uint32_t>(line), texts.bmiValue);
    }
    drawRecordRow(dc, RowPlace(list, top, client.right), record ? &texts : nullptr);
}

}  // namespace

void DrawRecordListItem(const DRAWITEMSTRUCT* item) {
    HWND list = item->hwndItem;
    if (static_cast<int>(item->itemID) < 0) return;
    HDC dc = item->hDC;
    ScopedPalette palette(dc, g_diary.palette);
    bool draw = true;
    bool selected = false;
    if (item->itemAction & ODA_DRAWENTIRE)
        selected = Selection(list) == static_cast<long>(item->itemID);
    else if (item->itemAction & ODA_SELECT)
        selected = (item->itemState & ODS_SELECTED) != 0;
    else if (item->itemAction & ODA_FOCUS) {
        // Focus changes redraw only the selected row while the mouse holds the
        // list; once the keys have shown where the focus is, the focused row.
        selected = (item->itemState & ODS_SELECTED) != 0;
        draw = KeyboardCuesShown() || (GetCapture() == list && selected);
    } else {
        draw = false;
    }
    if (draw) {
        const COLORREF oldBack = SetBkColor(dc, selected ? PALETTEINDEX(kColorScheme3) : RGB(255, 255, 255));
        const COLORREF oldText = SetTextColor(dc, PALETTEINDEX(kColorTitle));
        DrawRecordRow(dc, static_cast<int>(item->itemID), item->rcItem.top);
        SetTextColor(dc, oldText);
        SetBkColor(dc, oldBack);
        if (KeyboardCuesShown() && (item->itemState & ODS_FOCUS)) DrawFocusRect(dc, &item->rcItem);
    }
}

LRESULT HandleCalendarRequest(int code, int line) {
    HWND list = g_diary.recordList;
    if (!list) return 0;
    char calendarText[32] = {};
    if (g_diary.calendar) GetWindowTextA(g_diary.calendar, calendarText, sizeof calendarText);
    const NavigationStep step =
        NavigateRecords(DiaryRecords(), DiaryRecordCount(), Selection(list), code, line, calendarText);
    if (step.line < 0) return 0;
    SelectLine(step.line);
    ResyncRecordList();
    Evaluate();
    return step.result;
}

void SyncRecordList(bool forceLookup) {
    HWND list = g_diary.recordList;
    if (!list) return;
    if (forceLookup) {
        std::strcpy(g_diary.analysisPeriodKey, kPeriodKeyResync);
        std::strcpy(g_diary.graphPeriodKey, kPeriodKeyResync);
    }
    char shown[kShownDateSize];
    ShownDateOfLine(DiaryRecords(), DiaryRecordCount(), Selection(list), Today(), shown);
    if (g_diary.calendar) {
        SetWindowTextA(g_diary.calendar, shown);
        InvalidateRect(g_diary.calendar, &kCalendarDateRect, TRUE);
        UpdateWindow(g_diary.calendar);
    }
    SyncAnalysisPeriod(shown);
    SyncGraphPeriod(shown);
    Evaluate();
    // The calendar's keys move the table and keep the focus; a click on the
    // calendar (which takes no focus) leaves it in the table.
    if (!g_diary.calendar || GetFocus() != g_diary.calendar) SetFocus(list);
}

void ResyncRecordList() {
    if (g_diary.recordList) SendMessageA(g_diary.recordList, WM_LBUTTONUP, kResyncMarker, 0);
}

void MatchRecordListLines() {
    HWND list = g_diary.recordList;
    if (!list) return;
    const long lines = static_cast<long>(DiaryRecordCount()) + 1;
    if (LineCount(list) < lines) AddLines(list, static_cast<std::size_t>(lines - LineCount(list)));
}

void KeepSelectionVisible() {
    HWND list = g_diary.recordList;
    if (!list) return;
    const long selection = Selection(list);
    const long itemHeight = static_cast<long>(SendMessageA(list, LB_GETITEMHEIGHT, 0, 0));
    RECT client = {};
    GetClientRect(list, &client);
    if (selection < 0 || itemHeight <= 0) return;
    const long shown = client.bottom / itemHeight > 0 ? client.bottom / itemHeight : 1;
    const long top = static_cast<long>(SendMessageA(list, LB_GETTOPINDEX, 0, 0));
    if (selection < top)
        SendMessageA(list, LB_SETTOPINDEX, static_cast<WPARAM>(selection), 0);
    else if (selection >= top + shown)
        SendMessageA(list, LB_SETTOPINDEX, static_cast<WPARAM>(selection - shown + 1), 0);
}

void FitTableToScrollBar() {
    if (g_diary.recordList) CompensateScrollBar(g_diary.recordList);
}

void ResetRecordList() {
    HWND list = g_diary.recordList;
    if (!list) return;
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    AddLines(list, 1);
    SelectLine(0);
    SendMessageA(list, LB_SETTOPINDEX, 0, 0);
    SetFocus(list);
}

void RefillRecordList(std::size_t lines) {
    HWND list = g_diary.recordList;
    if (!list) return;
    SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    AddLines(list, lines ? lines : 1);
    SendMessageA(list, WM_SETREDRAW, TRUE, 0);
    SelectLine(LineCount(list) - 1);
    InvalidateRect(list, nullptr, TRUE);
    ResyncRecordList();
}
