// The print preview: the report's pages as they will print, drawn by the
// printer's own page painter scaled to the window, a page at a time, the
// whole page or the page's width; the print dialog from there; Esc closes it.
#ifndef PELMO_REPORT_PRINTING_REPORT_PREVIEW_H
#define PELMO_REPORT_PRINTING_REPORT_PREVIEW_H

#include <windows.h>

#include "report/report_content.h"
#include "report/report_layout.h"

enum class PreviewZoom { kWholePage, kPageWidth };

// Opens the preview window owned by owner, laid out on paper (the default
// printer's, or A4 where there is none). The diary that input points into
// must stay as it is while the window lives.
HWND OpenReportPreview(HINSTANCE instance, HWND owner, const ReportInput& input, const ReportPaper& paper);

// Opens the preview and keeps it until it is closed, the owner disabled meanwhile.
void RunReportPreview(HINSTANCE instance, HWND owner, const ReportInput& input, const ReportPaper& paper);

int PreviewPage(HWND preview);       // 0-based
int PreviewPageCount(HWND preview);
PreviewZoom PreviewZoomOf(HWND preview);
// Where the page is drawn in the window's client area.
RECT PreviewPageRect(HWND preview);

// What the preview's paint draws, into dc (the client area's size).
void PaintReportPreview(HWND preview, HDC dc);

#endif
