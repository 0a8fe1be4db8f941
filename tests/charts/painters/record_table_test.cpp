// The record-table painters draw only what they are given and leave the
// device context holding the pen, brush and font it held before.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>

#include "charts/painters/record_table.h"
#include "support/dib_context.h"

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
