#include "charts/painters/record_table.h"

#include <cstdint>
#include <cstring>
#include <string>

#include "charts/chart_palette.h"
#include "charts/painters/chart_drawing.h"
#include "corelib/win32/calendar.h"
#include "corelib/win32/gdi_scope.h"
#include "evaluation/bmi.h"
#include "resources/resource.h"
#include "resources/texts.h"

namespace {

constexpr int kRowBlankCount = 71;  // blanks drawn to give a row its background
const char kRowBlanks[] = "                                                                       ";
static_assert(sizeof kRowBlanks == kRowBlankCount + 1, "71 blanks");
const char kTableFace[] = "ＭＳ ゴシック";

// Two lines in one system colour with a one-use pen.
void PenLines(HDC dc, int sysColor, const int (&first)[4], const int (&second)[4]) {
    ScopedPen pen(dc, PS_SOLID, 1, GetSysColor(sysColor));
    ChartLine(dc, first[0], first[1], first[2], first[3]);
    ChartLine(dc, second[0], second[1], second[2], second[3]);
}

// The sunken border the diary window draws around the record list.
void DrawListFrame(HDC dc, const RECT& list) {
    const int left = list.left - 1, top = list.top - 1;
    const int right = list.right + 1, bottom = list.bottom + 1;
    PenLines(dc, COLOR_3DDKSHADOW, {left, top, right - 1, top}, {left, top, left, bottom - 1});
    PenLines(dc, COLOR_BTNHIGHLIGHT, {left - 1, bottom, right + 1, bottom}, {right, bottom, right, top - 2});
    PenLines(dc, COLOR_BTNFACE, {left - 2, bottom - 1, right, bottom - 1}, {right - 1, bottom - 1, right - 1, top - 3});
    PenLines(dc, COLOR_BTNSHADOW, {left - 1, top - 1, right, top - 1}, {left - 1, top - 1, left - 1, bottom});
}

// The table's font: a fixed-pitch face whose half-width character is ascent / 2
// wide, so that a title or value of n bytes fills the n * ascent / 2 pixels its
// column was given. (The list box's own font is the system font, which under
// Wine is wider and proportional.)
HFONT CreateTableFont(int ascent) {
    return CreateFontA(ascent, ascent / 2, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FIXED_PITCH | FF_MODERN, kTableFace);
}

// A title or unit without the blanks that padded it to its column in a
// fixed-pitch face; centred, it needs none.
std::string Trimmed(const char* text) {
    std::string trimmed = text;
    const std::size_t first = trimmed.find_first_not_of(' ');
    if (first == std::string::npos) return std::string();
    return trimmed.substr(first, trimmed.find_last_not_of(' ') - first + 1);
}

// Bold (drawn twice, one pixel apart), centred between left and right.
void DrawBoldCentred(HDC dc, const std::string& text, int left, int right, int y) {
    if (text.empty()) return;
    DrawBoldText(dc, left + (right - left - (TextSize(dc, text.c_str()).cx + 1)) / 2, y, text.c_str());
}

// Every cell of a row is centred vertically in the same box: one baseline.
void DrawCell(HDC dc, const char* text, int left, int top, int right, int bottom) {
    if (!*text) return;
    RECT box = {left, top, right, bottom};
    DrawTextA(dc, text, -1, &box, DT_SINGLELINE | DT_VCENTER | DT_RIGHT | DT_NOPREFIX);
}

// The blank pixels a title keeps on either side, and a cell's text beyond
// its width (the cells reach a few pixels left of their column start, see
// drawRecordRow, and keep two pixels from the text before them).
constexpr int kTitleMargin = 2;
constexpr int kCellPadding = 6;

// The window's colour around the table and the BMI panel, and the rule below the list.
void DrawSurroundings(HDC dc, const RecordHeaderPlace& place) {
    const int width = place.windowWidth, height = place.windowHeight;
    const int tableWidth = place.tableWidth, baseWidth = place.baseTableWidth;
    const int headerBottom = 2 * place.ascent;
    const int ruleY = RecordTableRuleRow(place);
    ScopedPen pen(dc, PS_SOLID, 2, GetSysColor(COLOR_BTNFACE));
    ScopedBrush brush(dc, GetSysColor(COLOR_BTNFACE));
    // Rectangles filled with the brush and outlined with the pen.
    Rectangle(dc, 0, 0, baseWidth, 2);
    Rectangle(dc, baseWidth, 34, width, headerBottom + 7);
    Rectangle(dc, 2, headerBottom + 2, baseWidth, headerBottom + 5);
    Rectangle(dc, 0, 2, 2, height);
    Rectangle(dc, tableWidth, 0, tableWidth + 2, ruleY - 1);
    Rectangle(dc, width - 2, 0, width, height);
    Rectangle(dc, 0, height - 2, width, height);
    ChartLine(dc, 0, ruleY, width, ruleY);
    // The strip between the table and the calendar, when the calendar leaves one
    // (the calendar grows with the screen's DPI).
    if (width - tableWidth - ScaleToCalendar(kCalendarVisibleWidth + 3) >= 0)
        Rectangle(dc, baseWidth, 0, width - ScaleToCalendar(kCalendarVisibleWidth), ScaleToCalendar(kCalendarHeight));
}

}  // namespace

int RecordTableRuleRow(const RecordHeaderPlace& place) {
    const int listHeight = place.hasList ? place.listRect.bottom - place.listRect.top : 0;
    return 2 * place.ascent + listHeight + 9;
}

void drawRecordHeader(HDC dc, const RecordHeaderPlace& place) {
    const int ascent = place.ascent;
    const int baseWidth = place.baseTableWidth;
    const int* columns = place.columnStarts;
    DrawSurroundings(dc, place);
    if (place.hasList) DrawListFrame(dc, place.listRect);

    RECT header = {2, 2, baseWidth, 2 * ascent + 2};
    FillRect(dc, &header, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    PenLines(dc, COLOR_BTNSHADOW, {3, 2 * ascent + 2, baseWidth, 2 * ascent + 2}, {baseWidth, 3, baseWidth, 2 * ascent + 3});

    {
        ScopedFont font(dc, CreateTableFont(ascent));
        TEXTMETRICA metrics = {};
        GetTextMetricsA(dc, &metrics);
        const int oldMode = SetBkMode(dc, TRANSPARENT);
        const COLORREF oldColor = GetTextColor(dc);
        for (int i = 0; i < kRecordTableColumns; ++i) {
            const bool hidden = i == 2 && !place.bodyFatShown;
            SetTextColor(dc, hidden ? GetSysColor(COLOR_BTNFACE) : PALETTEINDEX(kColorTitle));
            // Between this column's separator and the next (the table's edge for the last).
            const int left = columns[i] - 2;
            const int right = i + 1 < kRecordTableColumns ? columns[i + 1] - 2 : baseWidth;
            DrawBoldCentred(dc, Trimmed(PelmoText(IDS_TABLE_TITLE_DATE + i)), left, right, 3);
            if (i == 0) continue;
            DrawBoldCentred(dc, Trimmed(PelmoText(IDS_TABLE_UNIT_WEIGHT + i - 1)), left, right, metrics.tmHeight + 3);
        }
        SetTextColor(dc, oldColor);
        SetBkMode(dc, oldMode);
    }

    ScopedPen dotted(dc, PS_DOT, 1, GetSysColor(COLOR_BTNFACE));
    for (int i = 1; i < kRecordTableColumns; ++i) ChartLine(dc, columns[i] - 2, 2, columns[i] - 2, 2 * ascent + 2);
}

void drawRecordRow(HDC dc, const RecordRowPlace& place, const RecordRowTexts* texts) {
    const int top = place.top, bottom = place.bottom;
    const int* columns = place.columnStarts;
    RECT row = {0, top, place.right, bottom};
    SetBkMode(dc, OPAQUE);
    ExtTextOutA(dc, 0, top, ETO_OPAQUE | ETO_CLIPPED, &row, kRowBlanks, kRowBlankCount, nullptr);
    SetBkMode(dc, TRANSPARENT);
    {
        ScopedPen pen(dc, PS_SOLID, 1, GetSysColor(COLOR_BTNFACE));
        for (int i = 1; i < kRecordTableColumns; ++i) ChartLine(dc, columns[i] - 6, top, columns[i] - 6, bottom);
    }
    if (texts) {
        ScopedFont font(dc, CreateTableFont(place.ascent));
        // Right-aligned: month and day stand one under the other, a year before them.
        DrawCell(dc, texts->date, columns[0] - 1, top, columns[1] - 6, bottom);
        DrawCell(dc, texts->weight, columns[1] - 2, top, columns[2] - 6, bottom);
        DrawCell(dc, texts->bodyFat, columns[2] - 4, top, columns[3] - 6, bottom);
        DrawCell(dc, texts->bmi, columns[3] - 5, top, columns[4] - 6, bottom);
        DrawCell(dc, texts->bmiClass, columns[4] - 7, top, columns[5] - 6, bottom);
        DrawCell(dc, texts->weightDifference, columns[5] - 5, top, columns[6] - 6, bottom);
        // The last cell ends inside the row (at a high DPI too), so that its
        // figures are never cut; the column is wide enough for the widest.
        DrawCell(dc, texts->bodyFatDifference, columns[6] - 4, top, place.right - 2, bottom);
    }
    SetBkMode(dc, OPAQUE);
}

namespace {

// A centred title or unit with its bold second copy and its margins.
int TitleWidth(HDC dc, const char* text) { return TextSize(dc, Trimmed(text).c_str()).cx + 1 + 2 * kTitleMargin; }

}  // namespace

void measureRecordColumns(HDC dc, int ascent, const RecordRowTexts& widest, int (&needed)[kRecordTableColumns]) {
    ScopedFont font(dc, CreateTableFont(ascent));
    const char* const cells[kRecordTableColumns] = {widest.date, widest.weight, widest.bodyFat, widest.bmi,
                                                    widest.bmiClass, widest.weightDifference,
                                                    widest.bodyFatDifference};
    for (int i = 0; i < kRecordTableColumns; ++i) {
        int width = TitleWidth(dc, PelmoText(IDS_TABLE_TITLE_DATE + i));
        if (i > 0) {
            const int unit = TitleWidth(dc, PelmoText(IDS_TABLE_UNIT_WEIGHT + i - 1));
            if (unit > width) width = unit;
        }
        int cell = TextSize(dc, cells[i]).cx;
        if (i == 4)
            for (int c = 0; c < kBmiClassCount; ++c) {
                const int name = TextSize(dc, BmiClassName(static_cast<std::uint8_t>(c))).cx;
                if (name > cell) cell = name;
            }
        if (cell + kCellPadding > width) width = cell + kCellPadding;
        needed[i] = width;
    }
}
