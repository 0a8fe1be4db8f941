// The printed report's pages, drawn on any device context in its own device
// units: the printer's, an enhanced metafile's, or the preview's through a
// mapping mode that scales the printer's page down to the window.
#ifndef PELMO_REPORT_PRINTING_REPORT_PAGES_H
#define PELMO_REPORT_PRINTING_REPORT_PAGES_H

#include <windows.h>

#include <vector>

#include "report/report_content.h"
#include "report/report_layout.h"

struct ReportDocument {
    ReportInput input;       // the diary it is drawn from (records, header, items)
    ReportPaper paper;
    ReportMetrics metrics;
    ReportContent content;
    std::vector<ReportPagePlan> pages;
    int PageCount() const { return static_cast<int>(pages.size()); }
};

// The report of input laid out on paper. The fonts' sizes are known before
// any is made, so nothing is measured on a device here.
ReportDocument PrepareReport(const ReportInput& input, const ReportPaper& paper);

// The page of a printer's device context: its resolution, paper and printable area.
ReportPaper PaperOfDevice(HDC printer);

// Draws page `index` (0-based) with (0, 0) at the printable area's corner,
// on white paper the caller has (nothing is filled outside the parts).
void DrawReportPage(HDC dc, const ReportDocument& document, int index);

// The line graph of the report in box: the report's items with their value
// axes, the period's dates below, a legend above. Reuses the screen graph's
// axis and series painters with the printer's sizes.
void DrawReportGraph(HDC dc, const ReportDocument& document, const ReportBox& box);

// The report's face, "ＭＳ ゴシック", height pixels high (character height).
HFONT CreateReportFont(int height, bool bold = false);

#endif
