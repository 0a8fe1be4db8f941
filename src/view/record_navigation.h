// The arithmetic of the record table, free of windows: the column starts and
// table width, the calendar's navigation requests and the date a line shows.
#ifndef PELMO_VIEW_RECORD_NAVIGATION_H
#define PELMO_VIEW_RECORD_NAVIGATION_H

#include <cstddef>
#include <cstdint>

#include "charts/record_row.h"
#include "corelib/dates.h"
#include "diary/records.h"

struct RecordColumns {
    int start[kRecordTableColumns];  // c0..c6
    int width;                 // W0 = c6 + 3 + the last column's width
};

// Column i is (byte length of title i) * h wide, h = ascent / 2, unless the
// fonts really present need more: then it is neededWidths[i] wide.
// c(i+1) = c(i) + 3 + the width of column i, from c0 = 2.
RecordColumns ComputeColumns(int ascent, const std::size_t (&titleLengths)[kRecordTableColumns],
                             const int (&neededWidths)[kRecordTableColumns]);
RecordColumns ComputeColumns(int ascent, const std::size_t (&titleLengths)[kRecordTableColumns]);

// The decimal value of a record's 8 date characters (20070105).
unsigned long DateNumber(const DailyRecord& record);

struct NavigationStep {
    long line;     // the new selection; -1 when nothing moves
    long result;   // what the calendar is answered
};

// Request `code` (0..5) with the selection s among lines = count + 1 lines.
// line: the line of request 4. calendarText: "YYYY/MM/DD" of request 5.
NavigationStep NavigateRecords(const DailyRecord* records, std::uint32_t count, long selection, int code,
                               long line, const char* calendarText);

// The date a line shows: the record's date as "YYYY/MM/DD", or today's for
// the blank line and no selection. out: kShownDateSize bytes.
void ShownDateOfLine(const DailyRecord* records, std::uint32_t count, long selection, const CalendarDate& today,
                     char* out);

#endif
