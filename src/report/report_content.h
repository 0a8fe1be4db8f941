// What a printed report says, free of windows: the title block, the table's
// rows and the summary of the period, as texts.
#ifndef PELMO_REPORT_REPORT_CONTENT_H
#define PELMO_REPORT_REPORT_CONTENT_H

#include <cstdint>
#include <string>
#include <vector>

#include "charts/record_row.h"
#include "diary/records.h"
#include "evaluation/trend.h"
#include "report/report_layout.h"
#include "report/report_period.h"

struct ReportInput {
    const DailyRecord* records = nullptr;
    uint32_t count = 0;
    const UserHeader* header = nullptr;
    const InputItemFlags* flags = nullptr;
    ReportPeriod period = {};
    int leftItem = 0;       // the line graph's items as the diary window shows them
    int rightItem = 0;
    CalendarDate printedOn = {};
};

struct ReportRow {
    char key[kDateLength];   // the record's date
    RecordRowTexts cells;    // weight, body fat, BMI, class and the differences
    std::string diary;       // the diary text (a damaged file may lack its NUL)
};

struct ReportContent {
    std::string title;                  // the report's heading
    std::vector<std::string> details;   // the title block's lines below it
    std::string columnTitles[kReportColumns];
    std::string columnUnits[kReportColumns];
    std::vector<ReportRow> rows;
    std::string summaryTitle;
    std::vector<std::string> summary;   // kSummaryLines lines
    GraphPeriod graphPeriod;
    TrendSeries weightTrend;            // of the whole diary
    int leftItem = 0, rightItem = 0;
};

// The content of the report of input's period; rows in date order.
ReportContent BuildReportContent(const ReportInput& input);

// The date cell of row i: "YYYY/MM/DD" on the first row of a page and where
// the year changes from the row before, "MM/DD" otherwise.
std::string RowDateText(const std::vector<ReportRow>& rows, int i, bool firstOnPage);

#endif
