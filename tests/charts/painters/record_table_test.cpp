// The record-table painters draw only what they are given and leave the
// device context holding the pen, brush and font it held before.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

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

// The ink in a band of rows: pixels neither white nor a separator's colour.
// Its bottom is the baseline: the lowest ink under the last three inked
// columns (a figure or the last character, never a descender).
struct Ink {
    int left = 1 << 30, right = -1, bottom = -1;
};

Ink InkIn(HDC dc, int x0, int x1, int y0, int y1) {
    auto inked = [dc](int x, int y) {
        const COLORREF pixel = GetPixel(dc, x, y);
        return pixel != RGB(255, 255, 255) && pixel != GetSysColor(COLOR_BTNFACE) && pixel != CLR_INVALID;
    };
    Ink ink;
    for (int x = x0; x < x1; ++x)
        for (int y = y0; y < y1; ++y)
            if (inked(x, y)) ink.left = std::min(ink.left, x), ink.right = x;
    for (int x = ink.right - 2; ink.right >= 0 && x <= ink.right; ++x)
        for (int y = y0; y < y1; ++y)
            if (inked(x, y)) ink.bottom = std::max(ink.bottom, y);
    return ink;
}

// With the fonts really present, at small and large ascents: each column
// holds its widest value (a date, 200.0 kg, 50.0 %, BMI 99.9, every class
// name, -100.0) between its separators, all cells stand on one baseline, and
// each title stands centred between its separators without touching the next.
TEST(RecordTablePainters, ColumnsHoldTheirWidestValuesOnOneBaselineUnderCentredTitles) {
    char(RecordRowTexts::*const cells[kRecordTableColumns])[kRowTextSize] = {
        &RecordRowTexts::date, &RecordRowTexts::weight, &RecordRowTexts::bodyFat, &RecordRowTexts::bmi,
        &RecordRowTexts::bmiClass, &RecordRowTexts::weightDifference, &RecordRowTexts::bodyFatDifference};
    const RecordRowTexts widest = WidestRecordRow();
    std::size_t lengths[kRecordTableColumns];
    for (int i = 0; i < kRecordTableColumns; ++i) lengths[i] = std::strlen(PelmoText(IDS_TABLE_TITLE_DATE + i));
    for (int ascent : {11, 13, 16, 24}) {
        DibContext target(1000, 200);
        HDC dc = target.dc();
        int needed[kRecordTableColumns] = {};
        measureRecordColumns(dc, ascent, widest, needed);
        const RecordColumns columns = ComputeColumns(ascent, lengths, needed);
        const int* c = columns.start;
        const int rowRight = columns.width - 5;  // the list's client width at W0
        SetBkColor(dc, RGB(255, 255, 255));
        SetTextColor(dc, RGB(0, 0, 0));
        int baseline = -1;
        for (int i = 0; i < kRecordTableColumns; ++i)
            for (int k = 0; k < (i == 4 ? kBmiClassCount : 1); ++k) {
                RecordRowTexts only = {};
                std::strcpy(only.*cells[i], i == 4 ? BmiClassName(static_cast<std::uint8_t>(k)) : widest.*cells[i]);
                SCOPED_TRACE("ascent " + std::to_string(ascent) + ", column " + std::to_string(i) + ": " +
                             only.*cells[i]);
                drawRecordRow(dc, RecordRowPlace{100, 106 + ascent, rowRight, c, ascent}, &only);
                const Ink ink = InkIn(dc, 0, rowRight, 100, 106 + ascent);
                ASSERT_GE(ink.right, 0);
                // Separators stand 6 pixels left of each column's start.
                EXPECT_GT(ink.left, c[i] - 5);
                EXPECT_LT(ink.right, i + 1 < kRecordTableColumns ? c[i + 1] - 6 : rowRight);
                if (i == 4) continue;  // figures and the date: one baseline (a round figure may dip a pixel)
                if (baseline < 0) baseline = ink.bottom;
                EXPECT_LE(std::abs(ink.bottom - baseline), 1);
            }

        const RECT list = {4, 2 * ascent + 7, columns.width - 1, 190};
        drawRecordHeader(dc, RecordHeaderPlace{1000, 200, true, list, columns.width, columns.width, c, ascent, true});
        for (int i = 0; i < kRecordTableColumns; ++i) {
            SCOPED_TRACE("ascent " + std::to_string(ascent) + ", title " + std::to_string(i));
            const int left = c[i] - 2, right = i + 1 < kRecordTableColumns ? c[i + 1] - 2 : columns.width;
            const Ink title = InkIn(dc, left + 1, right, 3, 3 + ascent);
            ASSERT_GE(title.right, 0);
            EXPECT_GT(title.left, left + 1);
            EXPECT_LT(title.right, right - 1);
            // Centred by the advance of the text: a narrow full-width letter (Ｉ) leaves more blank on its right.
            EXPECT_LE(std::abs((title.left - left) - (right - title.right)), ascent / 4 + 1);
        }
    }
}

}  // namespace
