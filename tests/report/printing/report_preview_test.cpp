// The print preview driven as a person would: pages turned with the buttons
// and keys, the zoom changed, Esc closes it; its pixels show the page that
// the printer's page painter draws, on the grey desk.
#include <gtest/gtest.h>

#include <windows.h>

#include "report/printing/report_preview.h"
#include "report/printing/report_test_diary.h"
#include "resources/resource.h"
#include "support/dib_context.h"

namespace {

void Click(HWND preview, int id) { SendMessageA(preview, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }

TEST(ReportPreview, PagesZoomAndEscAsAPersonUsesThem) {
    const ReportTestDiary diary({2026, 9, 1}, 90);
    HWND preview =
        OpenReportPreview(GetModuleHandleA(nullptr), nullptr, diary.Input({{2026, 9, 1}, {2026, 11, 29}}), A4Paper(600));
    ASSERT_NE(preview, nullptr);
    SetWindowPos(preview, nullptr, 0, 0, 800, 700, SWP_NOZORDER | SWP_NOMOVE);
    ASSERT_EQ(PreviewPageCount(preview), 3);
    EXPECT_EQ(PreviewPage(preview), 0);
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(preview, IDC_REPORT_PREVIEW_PREVIOUS)));

    Click(preview, IDC_REPORT_PREVIEW_NEXT);
    EXPECT_EQ(PreviewPage(preview), 1);
    SendMessageA(preview, WM_KEYDOWN, VK_NEXT, 0);
    EXPECT_EQ(PreviewPage(preview), 2);
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(preview, IDC_REPORT_PREVIEW_NEXT)));
    SendMessageA(preview, WM_KEYDOWN, VK_NEXT, 0);  // no page after the last
    EXPECT_EQ(PreviewPage(preview), 2);
    char status[64] = {};
    GetDlgItemTextA(preview, IDC_REPORT_PREVIEW_PAGE, status, sizeof status);
    EXPECT_STREQ(status, "3 / 3 ページ");
    Click(preview, IDC_REPORT_PREVIEW_PREVIOUS);
    Click(preview, IDC_REPORT_PREVIEW_PREVIOUS);
    EXPECT_EQ(PreviewPage(preview), 0);

    // The whole page fits the window with the paper's proportions; the page
    // width is wider, and scrolls.
    RECT client;
    GetClientRect(preview, &client);
    const RECT whole = PreviewPageRect(preview);
    EXPECT_LE(whole.bottom, client.bottom);
    EXPECT_NEAR(static_cast<double>(whole.bottom - whole.top) / (whole.right - whole.left), 297.0 / 210.0, 0.02);
    Click(preview, IDC_REPORT_PREVIEW_WIDTH);
    EXPECT_EQ(PreviewZoomOf(preview), PreviewZoom::kPageWidth);
    const RECT wide = PreviewPageRect(preview);
    EXPECT_GT(wide.right - wide.left, whole.right - whole.left);
    EXPECT_GT(wide.bottom, client.bottom);
    SendMessageA(preview, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-3 * WHEEL_DELTA)), 0);
    EXPECT_LT(PreviewPageRect(preview).top, wide.top);
    Click(preview, IDC_REPORT_PREVIEW_WHOLE);
    EXPECT_EQ(PreviewZoomOf(preview), PreviewZoom::kWholePage);

    // Pixels: the desk grey around the page, white paper with ink on it (the
    // title's black, the graph's two series colours).
    DibContext canvas(client.right, client.bottom);
    PaintReportPreview(preview, canvas.dc());
    GdiFlush();
    const RECT page = PreviewPageRect(preview);
    EXPECT_EQ(canvas.Pixel(page.left - 3, (page.top + page.bottom) / 2), RGB(128, 128, 128));
    EXPECT_EQ(canvas.Pixel(page.left + 2, page.top + 2), RGB(255, 255, 255));
    int black = 0, left = 0, right = 0;
    for (int y = page.top; y < page.bottom; ++y)
        for (int x = page.left; x < page.right; ++x) {
            const COLORREF pixel = canvas.Pixel(x, y);
            black += pixel == RGB(0, 0, 0);
            left += pixel == RGB(112, 101, 210);
            right += pixel == RGB(226, 72, 163);
        }
    EXPECT_GT(black, 500);
    EXPECT_GT(left, 20);
    EXPECT_GT(right, 20);

    SendMessageA(preview, WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_FALSE(IsWindow(preview));
}

}  // namespace
