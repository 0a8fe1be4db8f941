#include "report/printing/report_pages.h"

#include <cstring>
#include <string>

#include "charts/painters/chart_drawing.h"
#include "corelib/win32/gdi_scope.h"

namespace {

const char kReportFace[] = "ＭＳ ゴシック";
constexpr COLORREF kInk = RGB(0, 0, 0);
constexpr COLORREF kRule = RGB(160, 160, 160);  // a light line: table rules, separators
constexpr COLORREF kShade = RGB(235, 235, 235); // the table's header band

void DrawLine(HDC dc, COLORREF color, int width, int x1, int y1, int x2, int y2) {
    ScopedPen pen(dc, PS_SOLID, width, color);
    ChartLine(dc, x1, y1, x2, y2);
}

// Text in a box: single line, vertically centred, aligned as asked.
void DrawCell(HDC dc, const std::string& text, int left, int top, int right, int bottom, UINT align) {
    if (text.empty()) return;
    RECT box = {left, top, right, bottom};
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &box,
              DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_NOCLIP | align);
}

void DrawTitleBlock(HDC dc, const ReportDocument& document) {
    const ReportMetrics& m = document.metrics;
    const ReportContent& c = document.content;
    int y = m.content.top;
    {
        ScopedFont title(dc, CreateReportFont(m.titleHeight, true));
        TextOutA(dc, m.content.left, y, c.title.c_str(), static_cast<int>(c.title.size()));
    }
    y += m.titleHeight * 5 / 4;
    DrawLine(dc, kInk, m.penWidth * 2, m.content.left, y, m.content.right, y);
    y += m.titleHeight / 4;
    ScopedFont text(dc, CreateReportFont(m.textHeight));
    for (const std::string& line : c.details) {
        DrawCell(dc, line, m.content.left, y, m.content.right, y + m.rowHeight, DT_LEFT);
        y += m.rowHeight;
    }
}

// Where each column's text goes: the date and the diary at the left, the
// class centred, the figures at the right, each a little inside its column.
UINT ColumnAlign(int column) {
    if (column == 0 || column == kReportColumns - 1) return DT_LEFT;
    if (column == 4) return DT_CENTER;
    return DT_RIGHT;
}

void DrawTableHeader(HDC dc, const ReportDocument& document, int top) {
    const ReportMetrics& m = document.metrics;
    const int pad = m.textHeight / 3;
    FillChartBox(dc, kShade, m.content.left, top, m.content.right, top + m.headerHeight);
    for (int i = 0; i < kReportColumns; ++i) {
        const int left = m.columnLeft[i] + pad, right = m.columnLeft[i + 1] - pad;
        const std::string& unit = document.content.columnUnits[i];
        if (unit.empty()) {
            DrawCell(dc, document.content.columnTitles[i], left, top, right, top + m.headerHeight, DT_CENTER);
            continue;
        }
        DrawCell(dc, document.content.columnTitles[i], left, top, right, top + m.rowHeight, DT_CENTER);
        DrawCell(dc, unit, left, top + m.rowHeight, right, top + m.headerHeight, DT_CENTER);
    }
    DrawLine(dc, kInk, m.penWidth, m.content.left, top, m.content.right, top);
    DrawLine(dc, kInk, m.penWidth, m.content.left, top + m.headerHeight, m.content.right, top + m.headerHeight);
}

std::string CellText(const ReportRow& row, int column) {
    const RecordRowTexts& t = row.cells;
    const char* const cells[] = {"", t.weight, t.bodyFat, t.bmi, t.bmiClass, t.weightDifference, t.bodyFatDifference};
    std::string text = column < kRecordTableColumns ? cells[column] : "";
    const std::size_t first = text.find_first_not_of(' ');
    return first == std::string::npos ? std::string() : text.substr(first);
}

void DrawTable(HDC dc, const ReportDocument& document, const ReportPagePlan& page) {
    const ReportMetrics& m = document.metrics;
    const std::vector<ReportRow>& rows = document.content.rows;
    const int pad = m.textHeight / 3;
    DrawTableHeader(dc, document, page.tableTop);
    int y = page.tableTop + m.headerHeight;
    const int diaryWidth = m.columnLeft[kReportColumns] - m.columnLeft[kReportColumns - 1] - 2 * pad;
    auto measure = [dc](const char* text) { return static_cast<int>(TextSize(dc, text).cx); };
    for (int r = page.firstRow; r < page.endRow; ++r) {
        const ReportRow& row = rows[static_cast<std::size_t>(r)];
        for (int i = 0; i < kReportColumns; ++i) {
            std::string text;
            if (i == 0) text = RowDateText(rows, r, r == page.firstRow);
            else if (i == kReportColumns - 1) text = FitToWidth(row.diary.c_str(), diaryWidth, measure);
            else text = CellText(row, i);
            DrawCell(dc, text, m.columnLeft[i] + pad, y, m.columnLeft[i + 1] - pad, y + m.rowHeight, ColumnAlign(i));
        }
        y += m.rowHeight;
        DrawLine(dc, r + 1 == page.endRow ? kInk : kRule, m.penWidth, m.content.left, y, m.content.right, y);
    }
    for (int i = 1; i < kReportColumns; ++i)
        DrawLine(dc, kRule, m.penWidth, m.columnLeft[i], page.tableTop, m.columnLeft[i], y);
}

void DrawSummary(HDC dc, const ReportDocument& document, int top) {
    const ReportMetrics& m = document.metrics;
    const ReportContent& c = document.content;
    {
        ScopedFont bold(dc, CreateReportFont(m.textHeight, true));
        DrawCell(dc, c.summaryTitle, m.content.left, top, m.content.right, top + m.rowHeight, DT_LEFT);
    }
    DrawLine(dc, kInk, m.penWidth, m.content.left, top + m.rowHeight, m.content.right, top + m.rowHeight);
    int y = top + m.rowHeight;
    const int indent = m.textHeight;
    for (const std::string& line : c.summary) {
        DrawCell(dc, line, m.content.left + indent, y, m.content.right, y + m.rowHeight, DT_LEFT);
        y += m.rowHeight;
    }
}

void DrawFooter(HDC dc, const ReportDocument& document, int index) {
    const ReportMetrics& m = document.metrics;
    const std::string number = PageNumberText(index + 1, document.PageCount());
    DrawCell(dc, number, m.content.left, m.content.bottom - m.footerHeight, m.content.right, m.content.bottom,
             DT_CENTER);
}

}  // namespace

HFONT CreateReportFont(int height, bool bold) {
    return CreateFontA(-height, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FIXED_PITCH | FF_MODERN, kReportFace);
}

ReportDocument PrepareReport(const ReportInput& input, const ReportPaper& paper) {
    ReportDocument document;
    document.input = input;
    document.paper = paper;
    document.metrics = ReportMetricsOf(paper);
    document.content = BuildReportContent(input);
    document.pages = PlanReportPages(document.metrics, static_cast<int>(document.content.rows.size()));
    return document;
}

ReportPaper PaperOfDevice(HDC printer) {
    ReportPaper paper;
    paper.dpiX = GetDeviceCaps(printer, LOGPIXELSX);
    paper.dpiY = GetDeviceCaps(printer, LOGPIXELSY);
    paper.printableWidth = GetDeviceCaps(printer, HORZRES);
    paper.printableHeight = GetDeviceCaps(printer, VERTRES);
    paper.paperWidth = GetDeviceCaps(printer, PHYSICALWIDTH);
    paper.paperHeight = GetDeviceCaps(printer, PHYSICALHEIGHT);
    paper.offsetX = GetDeviceCaps(printer, PHYSICALOFFSETX);
    paper.offsetY = GetDeviceCaps(printer, PHYSICALOFFSETY);
    // A device that tells no paper (a display) prints on its printable area.
    if (paper.paperWidth <= 0) paper.paperWidth = paper.printableWidth + 2 * paper.offsetX;
    if (paper.paperHeight <= 0) paper.paperHeight = paper.printableHeight + 2 * paper.offsetY;
    return paper;
}

void DrawReportPage(HDC dc, const ReportDocument& document, int index) {
    if (index < 0 || index >= document.PageCount()) return;
    const ReportPagePlan& page = document.pages[static_cast<std::size_t>(index)];
    const ReportMetrics& m = document.metrics;
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    const COLORREF oldColor = SetTextColor(dc, kInk);
    if (page.titleBlock) DrawTitleBlock(dc, document);
    if (page.graph) {
        const int top = m.content.top + m.titleBlockHeight + m.gap;
        DrawReportGraph(dc, document, ReportBox{m.content.left, top, m.content.right, top + m.graphHeight});
    }
    {
        ScopedFont text(dc, CreateReportFont(m.textHeight));
        if (page.HasRows()) DrawTable(dc, document, page);
        if (page.summary) DrawSummary(dc, document, page.summaryTop);
        DrawFooter(dc, document, index);
    }
    SetTextColor(dc, oldColor);
    SetBkMode(dc, oldMode);
}
