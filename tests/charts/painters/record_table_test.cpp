// The record-table painters draw only what they are given and leave the
// device context holding the pen, brush and font it held before.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "charts/painters/record_table.h"
#include "evaluation/bmi.h"
#include "resources/resource.h"
#include "resources/texts.h"
#include "support/dib_context.h"
#include "view/record_navigation.h"

namespace {

constexpr int kColumns[kRecordTableColumns] = {2, 45, 88, 131, 174, 217, 260};

TEST(RecordTablePainters, DrawWhatTheyAreGivenAndPutBackThePenBrushAndFont) {
    DibContext target(420, 300);
    HDC dc = target.dc();
    HPEN pen = CreatePen(PS_SOLID, 3, RGB(9, 9, 9));
    HBRUSH brush = CreateSolidBrush(RGB(8, 8, 8));
    HFONT font = CreateFontA(10, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                             CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, "Arial");
    HGDIOBJ originalPen = SelectObject(dc, pen);
    HGDIOBJ originalBrush = SelectObject(dc, brush);
    HGDIOBJ originalFont = SelectObject(dc, font);

    const RECT list = {4, 39, 300, 200};
    drawRecordHeader(dc, RecordHeaderPlace{420, 300, true, list, 303, 303, kColumns, 16, true});
    DailyRecord day = {};
    std::memcpy(day.date, "20070105", kDateLength);
    day.weight = 70.0;
    UserHeader user = {};
    user.height = 170.0;
    const RecordRowTexts texts = FormatRecordRow(day, user);
    SetBkColor(dc, RGB(255, 255, 255));
    drawRecordRow(dc, RecordRowPlace{220, 240, 300, kColumns, 16}, &texts);
    drawRecordRow(dc, RecordRowPlace{240, 260, 300, kColumns, 16}, nullptr);

    EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), pen);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), brush);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), font);
    // What was drawn comes from the places given: the list's frame just outside
    // listRect, the window's colour below the header, a separator in each row.
    EXPECT_EQ(GetPixel(dc, list.left - 1, list.top + 50), GetSysColor(COLOR_3DDKSHADOW));
    EXPECT_EQ(GetPixel(dc, list.right + 1, list.top + 50), GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(GetPixel(dc, 100, 2 * 16 + 3), GetSysColor(COLOR_BTNFACE));
    for (int y : {225, 255}) EXPECT_EQ(GetPixel(dc, kColumns[3] - 6, y), GetSysColor(COLOR_BTNFACE)) << y;
    EXPECT_EQ(GetPixel(dc, 305, 250), DibContext::kBackground) << "nothing right of the row";

    SelectObject(dc, originalFont);
    SelectObject(dc, originalBrush);
    SelectObject(dc, originalPen);
    DeleteObject(font);
    DeleteObject(brush);
    DeleteObject(pen);
}

}  // namespace

namespace {

// Where the ink of a drawing lies in a band of rows: pixels that are neither
// the background nor a separator's colour.
struct Ink {
    int left = 1 << 30, right = -1, bottom = -1;
    bool any() const { return right >= 0; }
};

Ink InkIn(HDC dc, int x0, int x1, int y0, int y1, COLORREF background) {
    Ink ink;
    for (int x = x0; x < x1; ++x)
        for (int y = y0; y < y1; ++y) {
            const COLORREF pixel = GetPixel(dc, x, y);
            if (pixel == background || pixel == GetSysColor(COLOR_BTNFACE) || pixel == CLR_INVALID) continue;
            if (x < ink.left) ink.left = x;
            if (x > ink.right) ink.right = x;
        }
    // The baseline: the lowest ink under the last three inked columns (a
    // figure or the last character, never a descender).
    for (int x = ink.right - 2; ink.any() && x <= ink.right; ++x)
        for (int y = y0; y < y1; ++y) {
            const COLORREF pixel = GetPixel(dc, x, y);
            if (pixel != background && pixel != GetSysColor(COLOR_BTNFACE) && y > ink.bottom) ink.bottom = y;
        }
    return ink;
}

}  // namespace

// With the fonts really present, at small and large ascents: each column
// holds its widest value (a date, 200.0 kg, 50.0 %, BMI 99.9, every class
// name, -100.0) between its separators, all cells stand on one baseline, and
// each title stands centred between its separators without touching the next.
TEST(RecordTablePainters, ColumnsHoldTheirWidestValuesOnOneBaselineUnderCentredTitles) {
    std::size_t lengths[kRecordTableColumns];
    for (int i = 0; i < kRecordTableColumns; ++i) lengths[i] = std::strlen(PelmoText(IDS_TABLE_TITLE_DATE + i));
    for (int ascent : {11, 13, 16, 24}) {
        DibContext target(1000, 200);
        HDC dc = target.dc();
        int needed[kRecordTableColumns] = {};
        measureRecordColumns(dc, ascent, WidestRecordRow(), needed);
        const RecordColumns columns = ComputeColumns(ascent, lengths, needed);
        const int* c = columns.start;
        const int rowRight = columns.width - 5;  // the list's client width at W0
        const int top = 100, bottom = top + ascent + 6;
        SetBkColor(dc, RGB(255, 255, 255));
        SetTextColor(dc, RGB(0, 0, 0));

        int baseline = -1;
        for (int i = 0; i < kRecordTableColumns; ++i)
            for (int k = 0; k < (i == 4 ? kBmiClassCount : 1); ++k) {
                const RecordRowTexts widest = WidestRecordRow();
                RecordRowTexts only = {};
                char(RecordRowTexts::*const cellsOf[])[kRowTextSize] = {
                    &RecordRowTexts::date, &RecordRowTexts::weight, &RecordRowTexts::bodyFat, &RecordRowTexts::bmi,
                    &RecordRowTexts::bmiClass, &RecordRowTexts::weightDifference, &RecordRowTexts::bodyFatDifference};
                const char* text = i == 4 ? BmiClassName(static_cast<std::uint8_t>(k)) : widest.*cellsOf[i];
                std::strcpy(only.*cellsOf[i], text);
                drawRecordRow(dc, RecordRowPlace{top, bottom, rowRight, c, ascent}, &only);
                const int columnLeft = c[i] - 6;
                const int columnRight = i + 1 < kRecordTableColumns ? c[i + 1] - 6 : rowRight;
                const Ink ink = InkIn(dc, 0, rowRight, top, bottom, RGB(255, 255, 255));
                ASSERT_TRUE(ink.any()) << "ascent " << ascent << ", column " << i;
                EXPECT_GT(ink.left, columnLeft + 1) << "ascent " << ascent << ", column " << i << " " << text;
                EXPECT_LT(ink.right, columnRight) << "ascent " << ascent << ", column " << i << " " << text;
                if (i != 4) {  // figures and the date: one baseline (a round figure may dip a pixel)
                    if (baseline < 0) baseline = ink.bottom;
                    EXPECT_LE(std::abs(ink.bottom - baseline), 1) << "ascent " << ascent << ", column " << i;
                }
            }

        const RECT list = {4, 2 * ascent + 7, columns.width - 1, 190};
        drawRecordHeader(dc, RecordHeaderPlace{1000, 200, true, list, columns.width, columns.width, c, ascent, true});
        for (int i = 0; i < kRecordTableColumns; ++i) {
            const int left = c[i] - 2;
            const int right = i + 1 < kRecordTableColumns ? c[i + 1] - 2 : columns.width;
            const Ink title = InkIn(dc, left + 1, right, 3, 3 + ascent, RGB(255, 255, 255));
            ASSERT_TRUE(title.any()) << "ascent " << ascent << ", title " << i;
            EXPECT_GT(title.left, left + 1) << "ascent " << ascent << ", title " << i;
            EXPECT_LT(title.right, right - 1) << "ascent " << ascent << ", title " << i;
            const int leftGap = title.left - left, rightGap = right - title.right;
            // Centred by the advance of the text: a narrow full-width letter (Ｉ) leaves more blank on its right.
            EXPECT_LE(std::abs(leftGap - rightGap), ascent / 4 + 1) << "ascent " << ascent << ", title " << i;
        }
    }
}
