// Where the parts of a printed report go on its pages: sizes taken from the
// printer's resolution (nothing in screen pixels), the margins, the table's
// columns, how many days each page holds and where the table breaks.
#ifndef PELMO_REPORT_REPORT_LAYOUT_H
#define PELMO_REPORT_REPORT_LAYOUT_H

#include <string>
#include <vector>

// The printer's page as GetDeviceCaps tells it, in device pixels.
struct ReportPaper {
    int dpiX, dpiY;
    int printableWidth, printableHeight;   // HORZRES, VERTRES
    int paperWidth, paperHeight;           // PHYSICALWIDTH, PHYSICALHEIGHT
    int offsetX, offsetY;                  // PHYSICALOFFSETX/Y: the printable area's corner on the paper
};

// A4 portrait at dpi, with the 4.2 mm unprintable edge of a common inkjet printer.
ReportPaper A4Paper(int dpi);

int PointsToPixels(double points, int dpi);
int MillimetresToPixels(double millimetres, int dpi);

struct ReportBox {
    int left, top, right, bottom;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
};

constexpr int kReportColumns = 8;  // date, weight, body fat, BMI, class, the two differences, diary

// Every size of the report in device pixels, and the content box (printable
// coordinates: 0, 0 is the printable area's corner) inside the margins.
struct ReportMetrics {
    ReportBox content;
    int textHeight;        // the table's and the summary's font
    int titleHeight;       // the report's title
    int rowHeight;         // one day of the table
    int headerHeight;      // the table's column titles (two lines: title and unit)
    int titleBlockHeight;  // title, name, period, height, target and date printed
    int graphHeight;
    int summaryHeight;     // its heading and kSummaryLines lines
    int footerHeight;      // the page number
    int gap;               // between two parts
    int penWidth;          // a thin line: about 0.2 mm
    int columnLeft[kReportColumns + 1];  // x of each column's left edge; [kReportColumns] is the table's right
};

constexpr int kSummaryLines = 5;

ReportMetrics ReportMetricsOf(const ReportPaper& paper);

// What one page holds.
struct ReportPagePlan {
    bool titleBlock = false;
    bool graph = false;
    int tableTop = 0;      // the column titles' top, when the page has rows
    int firstRow = 0;      // the days [firstRow, endRow) of the table
    int endRow = 0;
    bool summary = false;
    int summaryTop = 0;
    bool HasRows() const { return endRow > firstRow; }
};

// The pages of a report of rowCount days: the title block and the graph on
// the first page, then the table, its column titles repeated on every page it
// continues on, then the summary where it fits, else on a page of its own.
std::vector<ReportPagePlan> PlanReportPages(const ReportMetrics& metrics, int rowCount);

// "1 / 3"
std::string PageNumberText(int page, int pageCount);

// The text's first line cut to maxWidth by whole characters (Shift-JIS), with
// "…" where anything was left out (the rest of the line, or further lines).
// measure gives a text's width in the same units.
template <typename Measure>
std::string FitToWidth(const char* text, int maxWidth, Measure measure);

// The byte lengths of the whole-character prefixes of text's first `length`
// bytes, shortest first, the whole line last.
std::vector<std::size_t> CharacterBoundaries(const char* text, std::size_t length);
// The length of text's first line (up to CR or LF) and whether more follows it.
std::size_t FirstLineLength(const char* text, bool* more);

extern const char kEllipsis[];  // "…"

template <typename Measure>
std::string FitToWidth(const char* text, int maxWidth, Measure measure) {
    bool more = false;
    const std::size_t line = FirstLineLength(text, &more);
    std::string whole(text, line);
    if (!more && measure(whole.c_str()) <= maxWidth) return whole;
    const std::vector<std::size_t> cuts = CharacterBoundaries(text, line);
    // The longest whole-character prefix that leaves room for the ellipsis.
    std::size_t low = 0, high = cuts.size();  // the prefixes below low fit, those from high on do not
    while (low < high) {
        const std::size_t middle = (low + high) / 2;
        const std::string candidate = std::string(text, cuts[middle]) + kEllipsis;
        if (measure(candidate.c_str()) <= maxWidth) low = middle + 1;
        else high = middle;
    }
    if (low == 0) return measure(kEllipsis) <= maxWidth ? std::string(kEllipsis) : std::string();
    return std::string(text, cuts[low - 1]) + kEllipsis;
}

#endif
