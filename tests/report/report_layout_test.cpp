// The printed report's arithmetic: how the days fall on pages at the
// printers' resolutions and papers, texts cut to their column, the periods
// that can be printed and the dates the table shows.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "charts/chart_dates.h"
#include "evaluation/test_records.h"
#include "report/report_content.h"
#include "report/report_layout.h"
#include "report/report_period.h"

namespace {

ReportPaper LetterLandscape(int dpi) {
    ReportPaper paper = A4Paper(dpi);
    paper.paperWidth = 11 * dpi;
    paper.paperHeight = dpi * 17 / 2;
    paper.offsetX = paper.offsetY = dpi / 4;
    paper.printableWidth = paper.paperWidth - dpi / 2;
    paper.printableHeight = paper.paperHeight - dpi / 2;
    return paper;
}

// A printer that reaches no nearer than 20 mm to the top: the margin follows it.
ReportPaper DeepTopEdge(int dpi) {
    ReportPaper paper = A4Paper(dpi);
    paper.offsetY = MillimetresToPixels(20, dpi);
    paper.printableHeight = paper.paperHeight - paper.offsetY - MillimetresToPixels(4.2, dpi);
    return paper;
}

TEST(ReportPages, EveryDayOnceInOrderWithinThePageAndTheHeaderOnEveryPage) {
    struct Case {
        const char* name;
        ReportPaper paper;
        int rows;
        int pages;           // expected
        int firstPageRows;   // expected
    } cases[] = {
        {"A4 600 dpi, one day", A4Paper(600), 1, 1, 1},
        {"A4 600 dpi, a month", A4Paper(600), 31, 2, 31},    // the summary goes over
        {"A4 600 dpi, page one full", A4Paper(600), 32, 2, 32},
        {"A4 600 dpi, one day over", A4Paper(600), 33, 2, 32},
        {"A4 600 dpi, a year", A4Paper(600), 365, 8, 32},
        {"A4 300 dpi, a year", A4Paper(300), 365, 8, 31},    // rows a pixel taller, rounded
        {"A4 1200 dpi, a year", A4Paper(1200), 365, 8, 32},
        {"A4 1200 dpi, leap year", A4Paper(1200), 366, 8, 32},
        {"Letter landscape 600 dpi, a month", LetterLandscape(600), 31, 2, 19},
        {"deep top edge, a month", DeepTopEdge(600), 31, 2, 31},
        {"no days", A4Paper(600), 0, 1, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const ReportMetrics m = ReportMetricsOf(c.paper);
        const std::vector<ReportPagePlan> pages = PlanReportPages(m, c.rows);
        ASSERT_EQ(static_cast<int>(pages.size()), c.pages);
        EXPECT_EQ(pages[0].endRow - pages[0].firstRow, c.firstPageRows);
        EXPECT_TRUE(pages[0].titleBlock && pages[0].graph);
        int next = 0;
        const int bottom = m.content.bottom - m.footerHeight;
        for (std::size_t p = 0; p < pages.size(); ++p) {
            const ReportPagePlan& page = pages[p];
            if (p > 0) {
                EXPECT_FALSE(page.titleBlock || page.graph);
            }
            if (page.HasRows()) {
                EXPECT_EQ(page.firstRow, next);
                next = page.endRow;
                EXPECT_GE(page.tableTop, m.content.top);
                EXPECT_LE(page.tableTop + m.headerHeight + (page.endRow - page.firstRow) * m.rowHeight, bottom);
                // A page the table continues on is filled: one more row would not fit.
                if (p + 1 < pages.size() && pages[p + 1].HasRows()) {
                    EXPECT_GT(page.tableTop + m.headerHeight + (page.endRow - page.firstRow + 1) * m.rowHeight,
                              bottom);
                }
            }
            EXPECT_EQ(page.summary, p + 1 == pages.size());
        }
        EXPECT_EQ(next, c.rows);
        EXPECT_LE(pages.back().summaryTop + m.summaryHeight, bottom);
        // The margins are inside the paper and the columns run left to right.
        EXPECT_GE(m.content.left, 0);
        EXPECT_LE(m.content.right, c.paper.printableWidth);
        for (int i = 0; i < kReportColumns; ++i) EXPECT_LT(m.columnLeft[i], m.columnLeft[i + 1]);
    }
}

TEST(ReportPages, SizesComeFromThePrintersResolution) {
    for (int dpi : {300, 600, 1200}) {
        SCOPED_TRACE(dpi);
        const ReportMetrics m = ReportMetricsOf(A4Paper(dpi));
        EXPECT_EQ(m.textHeight, PointsToPixels(9, dpi));  // 9 pt on paper whatever the printer
        EXPECT_NEAR(m.content.left + A4Paper(dpi).offsetX, MillimetresToPixels(15, dpi), 1);
        EXPECT_NEAR(m.penWidth, 0.2 * dpi / 25.4, 1);
    }
    EXPECT_EQ(MillimetresToPixels(210, 600), 4961);
    EXPECT_EQ(PointsToPixels(72, 300), 300);
}

// One unit a byte: half-width characters 1, full-width (two bytes) 2, "…" 2.
int ByteWidth(const char* text) { return static_cast<int>(std::strlen(text)); }

TEST(ReportTexts, DiaryCutToItsLineWithAnEllipsis) {
    struct Case {
        const char* text;
        int width;
        const char* expected;
    } cases[] = {
        {"", 10, ""},
        {"walk", 10, "walk"},
        {"0123456789", 10, "0123456789"},                 // exactly fits
        {"0123456789A", 10, "01234567…"},                 // cut, the ellipsis fits in
        {"あいうえおかきくけこ", 10, "あいうえ…"},
        {"あいうえお", 9, "あいう…"},                       // never half a character
        {"first line\r\nsecond", 20, "first line…"},      // more lines: marked
        {"first line\r\n\r\n", 20, "first line"},          // blank lines after it are nothing
        {"ab\ncd", 3, "a…"},
        {"abcdef", 2, "…"},
        {"abcdef", 1, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(FitToWidth(c.text, c.width, ByteWidth), c.expected);
    }
}

TEST(ReportPeriod, WhatCanBePrintedAndWhichGraphItGets) {
    std::vector<DailyRecord> records;
    for (CalendarDate d = {2004, 12, 20}; !(d.year == 2006 && d.month == 1 && d.day == 10); d = advanceDate(d, 1)) {
        char key[kDateLength];
        DateKeyOf(d, key);
        records.push_back(DayRecord(key, 60));
    }
    const uint32_t count = static_cast<uint32_t>(records.size());
    struct Case {
        ReportPeriod period;
        PeriodCheck check;
        GraphPeriodKind kind;
        unsigned days;  // records in the period
    } cases[] = {
        {MonthPeriod(2005, 2), PeriodCheck::kFine, GraphPeriodKind::kMonth, 28},
        {YearPeriod(2005), PeriodCheck::kFine, GraphPeriodKind::kYear, 365},
        {{{2004, 12, 25}, {2005, 1, 5}}, PeriodCheck::kFine, GraphPeriodKind::kDays, 12},
        {{{2005, 3, 1}, {2005, 3, 1}}, PeriodCheck::kFine, GraphPeriodKind::kDays, 1},
        {{{2005, 3, 2}, {2005, 3, 1}}, PeriodCheck::kReversed, GraphPeriodKind::kNone, 0},
        {{{2004, 1, 1}, {2005, 1, 1}}, PeriodCheck::kTooLong, GraphPeriodKind::kDays, 13},
        {{{2004, 1, 1}, {2004, 12, 31}}, PeriodCheck::kFine, GraphPeriodKind::kYear, 12},  // 366 days
        {MonthPeriod(2007, 1), PeriodCheck::kNoDays, GraphPeriodKind::kMonth, 0},
        {{{2005, 2, 30}, {2005, 3, 1}}, PeriodCheck::kBadFrom, GraphPeriodKind::kDays, 0},
        {{{2005, 2, 1}, {2005, 13, 1}}, PeriodCheck::kBadTo, GraphPeriodKind::kNone, 0},
        {{{1999, 12, 31}, {2000, 1, 1}}, PeriodCheck::kBadFrom, GraphPeriodKind::kDays, 0},
    };
    for (const Case& c : cases) {
        char shown[64];
        FormatPeriod(c.period, shown, sizeof shown);
        SCOPED_TRACE(shown);
        EXPECT_EQ(CheckReportPeriod(c.period, records.data(), count), c.check);
        if (c.check == PeriodCheck::kFine || c.check == PeriodCheck::kNoDays || c.check == PeriodCheck::kTooLong) {
            EXPECT_EQ(RecordsOfPeriod(c.period, records.data(), count).Count(), c.days);
            EXPECT_EQ(GraphPeriodOfReport(c.period, records.data(), count).kind, c.kind);
        }
        EXPECT_EQ(std::string(PeriodCheckMessage(c.check)).empty(), c.check == PeriodCheck::kFine);
    }
}

TEST(ReportContent, RowsSummaryAndTheYearWhereItChanges) {
    std::vector<DailyRecord> records = {DayRecord("20051230", 70.0), DayRecord("20051231", 0),
                                        DayRecord("20060101", 69.0), DayRecord("20060102", 68.5)};
    std::strcpy(records[2].diary, "正月");
    UserHeader header = HeaderOfHeight(170);
    std::strcpy(header.name, "山田花子");
    header.targetWeight = 65;
    const InputItemFlags flags = {};
    ReportInput input;
    input.records = records.data();
    input.count = 4;
    input.header = &header;
    input.flags = &flags;
    input.period = {{2005, 12, 30}, {2006, 1, 2}};
    input.printedOn = {2006, 1, 5};
    const ReportContent content = BuildReportContent(input);
    ASSERT_EQ(content.rows.size(), 4u);
    EXPECT_EQ(content.rows[2].diary, "正月");
    const char* expectedDates[] = {"2005/12/30", "12/31", "2006/01/01", "01/02"};
    for (int i = 0; i < 4; ++i) EXPECT_EQ(RowDateText(content.rows, i, false), expectedDates[i]);
    EXPECT_EQ(RowDateText(content.rows, 3, true), "2006/01/02");  // a page's first row
    EXPECT_NE(content.details[0].find("山田花子"), std::string::npos);
    EXPECT_NE(content.details[0].find("2005/12/30～2006/01/02"), std::string::npos);
    EXPECT_NE(content.details[1].find("2006/01/05"), std::string::npos);
    ASSERT_EQ(content.summary.size(), static_cast<std::size_t>(kSummaryLines));
    // The day weighed 0 is no weight: three days average 69.2, 70.0 to 68.5 is -1.5.
    EXPECT_NE(content.summary[0].find("69.2kg（3日の平均"), std::string::npos) << content.summary[0];
    EXPECT_NE(content.summary[1].find("-1.5kg"), std::string::npos) << content.summary[1];
    EXPECT_NE(content.summary[3].find("57.9kg～69.3kg"), std::string::npos) << content.summary[3];
    EXPECT_NE(content.summary[4].find("65.0kg"), std::string::npos) << content.summary[4];
    EXPECT_EQ(content.leftItem, 1);  // no item chosen in the diary window: the weight
}

}  // namespace
