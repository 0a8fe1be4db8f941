#include "charts/record_table.h"

#include <cstring>

#include "charts/record_row.h"
#include "corelib/dpi.h"
#include "diary/diary_store.h"
#include "resources/resource.h"
#include "resources/texts.h"
#include "view/diary_state.h"

namespace {

constexpr int kTitleColor = 32;
constexpr int kRowBlankCount = 71;     // blanks drawn to give a row its background
const char kRowBlanks[] = "                                                                       ";
static_assert(sizeof kRowBlanks == kRowBlankCount + 1, "71 blanks");
const char kHeaderFace[] = "ＭＳ ゴシック";
constexpr BYTE kShiftJisCharset = SHIFTJIS_CHARSET;
constexpr int kHeaderPanelRight = 256;  // the calendar's visible width at the right edge (at 96 DPI)
constexpr int kHeaderPanelHeight = 37;

void Line(HDC dc, int x1, int y1, int x2, int y2) {
    MoveToEx(dc, x1, y1, nullptr);
    LineTo(dc, x2, y2);
}

// A rectangle filled with the brush and outlined with the pen that are selected.
void Fill(HDC dc, int left, int top, int right, int bottom) { Rectangle(dc, left, top, right, bottom); }

// Two lines in one system colour with a one-use pen.
void PenLines(HDC dc, int sysColor, const int (&a)[4], const int (&b)[4]) {
    HPEN pen = CreatePen(PS_SOLID, 1, GetSysColor(sysColor));
    HGDIOBJ old = SelectObject(dc, pen);
    Line(dc, a[0], a[1], a[2], a[3]);
    Line(dc, b[0], b[1], b[2], b[3]);
    SelectObject(dc, old);
    DeleteObject(pen);
}

// The sunken border the parent draws around a child, in the parent's context.
void DrawChildFrame(HWND parent, HWND child, HDC dc) {
    RECT p, c;
    if (!GetWindowRect(parent, &p) || !GetWindowRect(child, &c)) return;
    const int L = c.left - p.left - 1, T = c.top - p.top - 1;
    const int R = c.right - p.left + 1, B = c.bottom - p.top + 1;
    PenLines(dc, COLOR_3DDKSHADOW, {L, T, R - 1, T}, {L, T, L, B - 1});
    PenLines(dc, COLOR_BTNHIGHLIGHT, {L - 1, B, R + 1, B}, {R, B, R, T - 2});
    PenLines(dc, COLOR_BTNFACE, {L - 2, B - 1, R, B - 1}, {R - 1, B - 1, R - 1, T - 3});
    PenLines(dc, COLOR_BTNSHADOW, {L - 1, T - 1, R, T - 1}, {L - 1, T - 1, L - 1, B});
}

int ListHeight(HWND list) {
    RECT r = {};
    if (list) GetWindowRect(list, &r);
    return r.bottom - r.top;
}

// The table's font: a fixed-pitch face whose half-width character is a / 2
// wide, so that a title or value of n bytes fills the n * a / 2 pixels its
// column was given. (The list box's own font is the system font, which under
// Wine is wider and proportional.)
HFONT CreateTableFont(int a) {
    return CreateFontA(a * 16 / 16, a * 8 / 16, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, kShiftJisCharset,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FIXED_PITCH | FF_MODERN, kHeaderFace);
}

bool BodyFatTracked() { return InputItems().on[kItemBodyFat] != 0; }

void DrawBold(HDC dc, int x, int y, const char* text) {
    const int length = static_cast<int>(std::strlen(text));
    TextOutA(dc, x, y, text, length);
    TextOutA(dc, x + 1, y, text, length);
}

// Scroll-bar compensation: while the rows overflow the list it has a vertical
// scroll bar, which would cover the last column; the table is widened by the
// bar's width, and narrowed back to W0 once the rows fit again.
void CompensateScrollBar(HWND window, HWND list) {
    const LRESULT count = SendMessageA(list, LB_GETCOUNT, 0, 0);
    const LRESULT itemHeight = SendMessageA(list, LB_GETITEMHEIGHT, 0, 0);
    if (count == LB_ERR || itemHeight == LB_ERR) return;
    const bool overflows = count * itemHeight > ListHeight(list);
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
    RECT client = {};
    GetClientRect(window, &client);
    SendMessageA(window, WM_SIZE, SIZE_RESTORED, MAKELPARAM(client.right, client.bottom));
}

void DrawCell(HDC dc, const char* text, int left, int top, int right, int bottom) {
    if (!*text) return;
    RECT box = {left, top, right, bottom};
    DrawTextA(dc, text, -1, &box, DT_SINGLELINE | DT_VCENTER | DT_RIGHT | DT_NOPREFIX);
}

}  // namespace

void drawRecordHeader(HWND window, HDC dc, int a) {
    RECT client = {};
    GetClientRect(window, &client);
    const int ww = client.right, wh = client.bottom;
    const int W = g_diary.tableWidth, W0 = g_diary.baseTableWidth;
    const int L = 2 * a + ListHeight(g_diary.recordList) + 9;
    const int* c = g_diary.columnStarts;

    {
        HPEN pen = CreatePen(PS_SOLID, 2, GetSysColor(COLOR_BTNFACE));
        HBRUSH brush = CreateSolidBrush(GetSysColor(COLOR_BTNFACE));
        HGDIOBJ oldPen = SelectObject(dc, pen);
        HGDIOBJ oldBrush = SelectObject(dc, brush);
        Fill(dc, 0, 0, W0, 2);
        Fill(dc, W0, 34, ww, 2 * a + 7);
        Fill(dc, 2, 2 * a + 2, W0, 2 * a + 5);
        Fill(dc, 0, 2, 2, wh);
        Fill(dc, W, 0, W + 2, L - 1);
        Fill(dc, ww - 2, 0, ww, wh);
        Fill(dc, 0, wh - 2, ww, wh);
        Line(dc, 0, L, ww, L);
        if (ww - W - ScaleToScreen(kHeaderPanelRight + 3) >= 0)
            Fill(dc, W0, 0, ww - ScaleToScreen(kHeaderPanelRight), ScaleToScreen(kHeaderPanelHeight));
        SelectObject(dc, oldPen);
        SelectObject(dc, oldBrush);
        DeleteObject(pen);
        DeleteObject(brush);
    }
    if (g_diary.recordList) DrawChildFrame(window, g_diary.recordList, dc);

    RECT header = {2, 2, W0, 2 * a + 2};
    FillRect(dc, &header, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    PenLines(dc, COLOR_BTNSHADOW, {3, 2 * a + 2, W0, 2 * a + 2}, {W0, 3, W0, 2 * a + 3});

    HFONT font = CreateTableFont(a);
    HGDIOBJ oldFont = SelectObject(dc, font);
    TEXTMETRICA metrics = {};
    GetTextMetricsA(dc, &metrics);
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    const COLORREF oldColor = GetTextColor(dc);
    for (int i = 0; i < kRecordColumnCount; ++i) {
        const bool hidden = i == 2 && !BodyFatTracked();
        SetTextColor(dc, hidden ? GetSysColor(COLOR_BTNFACE) : PALETTEINDEX(kTitleColor));
        DrawBold(dc, c[i], 3, PelmoText(IDS_TABLE_TITLE_DATE + i));
        if (i == 0) continue;
        const int shift = i == 1 ? a / 4 : 0;
        DrawBold(dc, c[i] + shift, metrics.tmHeight + 3, PelmoText(IDS_TABLE_UNIT_WEIGHT + i - 1));
    }
    SetTextColor(dc, oldColor);
    SetBkMode(dc, oldMode);
    SelectObject(dc, oldFont);
    DeleteObject(font);

    HPEN dotted = CreatePen(PS_DOT, 1, GetSysColor(COLOR_BTNFACE));
    HGDIOBJ oldPen = SelectObject(dc, dotted);
    for (int i = 1; i < kRecordColumnCount; ++i) Line(dc, c[i] - 2, 2, c[i] - 2, 2 * a + 2);
    SelectObject(dc, oldPen);
    DeleteObject(dotted);
}

void drawRecordRow(HWND window, HDC dc, int line, int top, int a) {
    HWND list = g_diary.recordList;
    if (!list) return;
    CompensateScrollBar(window, list);

    RECT client = {};
    GetClientRect(list, &client);
    const int itemHeight = static_cast<int>(SendMessageA(list, LB_GETITEMHEIGHT, 0, 0));
    const int bottom = top + itemHeight;
    RECT row = {0, top, client.right, bottom};
    SetBkMode(dc, OPAQUE);
    ExtTextOutA(dc, 0, top, ETO_OPAQUE | ETO_CLIPPED, &row, kRowBlanks, kRowBlankCount, nullptr);
    SetBkMode(dc, TRANSPARENT);

    const int* c = g_diary.columnStarts;
    {
        HPEN pen = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNFACE));
        HGDIOBJ old = SelectObject(dc, pen);
        for (int i = 1; i < kRecordColumnCount; ++i) Line(dc, c[i] - 6, top, c[i] - 6, bottom);
        SelectObject(dc, old);
        DeleteObject(pen);
    }

    if (line >= 0 && static_cast<std::uint32_t>(line) < DiaryRecordCount()) {
        HFONT font = CreateTableFont(a);
        HGDIOBJ oldFont = SelectObject(dc, font);
        const RecordRowTexts texts = FormatRecordRow(DiaryRecords()[line], CurrentHeader());
        SetRecordBmi(static_cast<std::uint32_t>(line), texts.bmiValue);
        TextOutA(dc, c[0] - 1, top, texts.date, static_cast<int>(std::strlen(texts.date)));
        DrawCell(dc, texts.weight, c[1] - 2, top, c[2] - 6, bottom);
        DrawCell(dc, texts.bodyFat, c[2] - 4, top, c[3] - 6, bottom);
        DrawCell(dc, texts.bmi, c[3] - 5, top, c[4] - 6, bottom);
        DrawCell(dc, texts.bmiClass, c[4] - 7, top, c[5] - 6, bottom);
        DrawCell(dc, texts.weightDifference, c[5] - 5, top, c[6] - 6, bottom);
        // The last cell is as wide as the one before it, but never reaches past
        // the list: with a large font (a high DPI) its figures would be cut.
        const int lastRight = 2 * c[6] - c[5] - 14;
        DrawCell(dc, texts.bodyFatDifference, c[6] - 4, top, lastRight < client.right - 2 ? lastRight : client.right - 2,
                 bottom);
        SelectObject(dc, oldFont);
        DeleteObject(font);
    }
    SetBkMode(dc, OPAQUE);
}
