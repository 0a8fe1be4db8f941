#include "report/report_layout.h"

#include <cmath>
#include <cstdio>
#include <cstring>

#include "corelib/sjis.h"

const char kEllipsis[] = "…";

namespace {

constexpr double kMillimetresPerInch = 25.4;
constexpr double kPointsPerInch = 72.0;
constexpr double kA4Width = 210.0, kA4Height = 297.0;  // mm
constexpr double kInkjetEdge = 4.2;                    // mm a common home printer cannot reach

constexpr double kMargin = 15.0;         // mm from the paper's edge
constexpr double kTextPoints = 9.0;
constexpr double kTitlePoints = 16.0;
constexpr double kRowSpacing = 1.45;     // a row is this many text heights
constexpr double kGraphShare = 0.3;      // of the content's height, at most kGraphMost mm
constexpr double kGraphMost = 80.0;
constexpr double kGap = 4.0;             // mm between parts
constexpr double kPen = 0.2;             // mm

// The columns' shares of the table's width, in thousandths: the diary text takes the rest.
constexpr int kColumnShares[kReportColumns - 1] = {120, 75, 70, 65, 90, 85, 85};

}  // namespace

int PointsToPixels(double points, int dpi) { return static_cast<int>(std::lround(points * dpi / kPointsPerInch)); }

int MillimetresToPixels(double millimetres, int dpi) {
    return static_cast<int>(std::lround(millimetres * dpi / kMillimetresPerInch));
}

ReportPaper A4Paper(int dpi) {
    ReportPaper paper;
    paper.dpiX = paper.dpiY = dpi;
    paper.paperWidth = MillimetresToPixels(kA4Width, dpi);
    paper.paperHeight = MillimetresToPixels(kA4Height, dpi);
    paper.offsetX = paper.offsetY = MillimetresToPixels(kInkjetEdge, dpi);
    paper.printableWidth = paper.paperWidth - 2 * paper.offsetX;
    paper.printableHeight = paper.paperHeight - 2 * paper.offsetY;
    return paper;
}

ReportMetrics ReportMetricsOf(const ReportPaper& paper) {
    ReportMetrics m = {};
    const int dpiX = paper.dpiX > 0 ? paper.dpiX : 1, dpiY = paper.dpiY > 0 ? paper.dpiY : 1;
    // The margin is measured from the paper's edge; where the printer cannot
    // reach that far in, the printable area's edge plus a little is used.
    const int marginX = MillimetresToPixels(kMargin, dpiX), marginY = MillimetresToPixels(kMargin, dpiY);
    const int least = MillimetresToPixels(1.0, dpiX);
    auto inner = [&](int margin, int offset) { return margin - offset > least ? margin - offset : least; };
    m.content.left = inner(marginX, paper.offsetX);
    m.content.top = inner(marginY, paper.offsetY);
    const int rightMargin = paper.paperWidth - paper.offsetX - paper.printableWidth;
    const int bottomMargin = paper.paperHeight - paper.offsetY - paper.printableHeight;
    m.content.right = paper.printableWidth - inner(marginX, rightMargin);
    m.content.bottom = paper.printableHeight - inner(marginY, bottomMargin);
    if (m.content.right < m.content.left) m.content.right = m.content.left;
    if (m.content.bottom < m.content.top) m.content.bottom = m.content.top;

    m.textHeight = PointsToPixels(kTextPoints, dpiY);
    m.titleHeight = PointsToPixels(kTitlePoints, dpiY);
    m.rowHeight = static_cast<int>(m.textHeight * kRowSpacing);
    if (m.rowHeight < 1) m.rowHeight = 1;
    m.headerHeight = 2 * m.rowHeight;
    m.titleBlockHeight = m.titleHeight * 3 / 2 + 2 * m.rowHeight;
    const int graphMost = MillimetresToPixels(kGraphMost, dpiY);
    m.graphHeight = static_cast<int>(m.content.Height() * kGraphShare);
    if (m.graphHeight > graphMost) m.graphHeight = graphMost;
    m.summaryHeight = (kSummaryLines + 1) * m.rowHeight;
    m.footerHeight = m.rowHeight;
    m.gap = MillimetresToPixels(kGap, dpiY);
    m.penWidth = MillimetresToPixels(kPen, dpiX);
    if (m.penWidth < 1) m.penWidth = 1;

    const int width = m.content.Width();
    int x = m.content.left;
    for (int i = 0; i < kReportColumns - 1; ++i) {
        m.columnLeft[i] = x;
        x += width * kColumnShares[i] / 1000;
    }
    m.columnLeft[kReportColumns - 1] = x;
    m.columnLeft[kReportColumns] = m.content.right;
    return m;
}

std::vector<ReportPagePlan> PlanReportPages(const ReportMetrics& m, int rowCount) {
    std::vector<ReportPagePlan> pages;
    const int bottom = m.content.bottom - m.footerHeight;
    ReportPagePlan page;
    page.titleBlock = true;
    page.graph = true;
    int y = m.content.top + m.titleBlockHeight + m.gap + m.graphHeight + m.gap;
    int row = 0;
    while (row < rowCount) {
        int fits = (bottom - y - m.headerHeight) / m.rowHeight;
        const bool fresh = !page.titleBlock && !page.summary;
        if (fits < 1 && !fresh) {  // no room left here: the table starts on the next page
            pages.push_back(page);
            page = ReportPagePlan();
            y = m.content.top;
            continue;
        }
        if (fits < 1) fits = 1;  // a page too small for one row still takes one, or nothing ends
        const int take = rowCount - row < fits ? rowCount - row : fits;
        page.tableTop = y;
        page.firstRow = row;
        page.endRow = row + take;
        row += take;
        y += m.headerHeight + take * m.rowHeight + m.gap;
        if (row < rowCount) {
            pages.push_back(page);
            page = ReportPagePlan();
            y = m.content.top;
        }
    }
    if (y + m.summaryHeight > bottom && (page.HasRows() || page.titleBlock)) {
        pages.push_back(page);
        page = ReportPagePlan();
        y = m.content.top;
    }
    page.summary = true;
    page.summaryTop = y;
    pages.push_back(page);
    return pages;
}

std::string PageNumberText(int page, int pageCount) {
    char text[32];
    std::snprintf(text, sizeof text, "%d / %d", page, pageCount);
    return text;
}

std::size_t FirstLineLength(const char* text, bool* more) {
    std::size_t length = 0;
    while (text[length] && text[length] != '\r' && text[length] != '\n') {
        // A trail byte may have the value of CR or LF only in broken text; a lead byte takes its trail.
        if (IsSjisLeadByte(static_cast<unsigned char>(text[length])) && text[length + 1]) ++length;
        ++length;
    }
    // Blank lines after the first do not count as more text.
    std::size_t rest = length;
    while (text[rest] == '\r' || text[rest] == '\n' || text[rest] == ' ') ++rest;
    *more = text[rest] != '\0';
    return length;
}

std::vector<std::size_t> CharacterBoundaries(const char* text, std::size_t length) {
    std::vector<std::size_t> cuts;
    std::size_t at = 0;
    while (at < length) {
        at += IsSjisLeadByte(static_cast<unsigned char>(text[at])) && at + 1 < length ? 2 : 1;
        cuts.push_back(at);
    }
    return cuts;
}
