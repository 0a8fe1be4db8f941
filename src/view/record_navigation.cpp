#include "view/record_navigation.h"

#include <cstring>

#include "corelib/dates.h"

namespace {

constexpr int kFirstColumnStart = 2;
constexpr int kColumnGap = 3;

// A month is a month of a year: January 2006 and January 2007 are different months.
bool SameMonth(const DailyRecord& a, const DailyRecord& b) {
    return std::memcmp(a.date, b.date, kMonthKeyLength) == 0;
}

NavigationStep MoveTo(const DailyRecord* records, long line) {
    return NavigationStep{line, static_cast<long>(DateNumber(records[line]))};
}

constexpr NavigationStep kNoMove = {-1, 0};

}  // namespace

RecordColumns ComputeColumns(int ascent, const std::size_t (&titleLengths)[kRecordTableColumns],
                             const int (&neededWidths)[kRecordTableColumns]) {
    const int h = ascent / 2;
    int widths[kRecordTableColumns];
    for (int i = 0; i < kRecordTableColumns; ++i) {
        const int byAscent = static_cast<int>(titleLengths[i]) * h;
        widths[i] = neededWidths[i] > byAscent ? neededWidths[i] : byAscent;
    }
    RecordColumns columns = {};
    columns.start[0] = kFirstColumnStart;
    for (int i = 0; i + 1 < kRecordTableColumns; ++i)
        columns.start[i + 1] = columns.start[i] + kColumnGap + widths[i];
    columns.width = columns.start[kRecordTableColumns - 1] + kColumnGap + widths[kRecordTableColumns - 1];
    return columns;
}

RecordColumns ComputeColumns(int ascent, const std::size_t (&titleLengths)[kRecordTableColumns]) {
    const int none[kRecordTableColumns] = {};
    return ComputeColumns(ascent, titleLengths, none);
}

unsigned long DateNumber(const DailyRecord& record) {
    unsigned long number = 0;
    for (std::size_t i = 0; i < kDateLength; ++i) {
        const char c = record.date[i];
        number = number * 10 + (c >= '0' && c <= '9' ? static_cast<unsigned long>(c - '0') : 0);
    }
    return number;
}

NavigationStep NavigateRecords(const DailyRecord* records, std::uint32_t count, long selection, int code,
                               long line, const char* calendarText) {
    const long n = static_cast<long>(count) + 1;  // the records and the blank line
    const long s = selection;
    switch (code) {
    case 0:  // next record
        if (s < 0 || s + 2 >= n) return kNoMove;
        return MoveTo(records, s + 1);
    case 1:  // previous record
        if (s < 1 || s >= n) return kNoMove;
        return MoveTo(records, s - 1);
    case 2: {  // next month: the first record of a later month, else the last record
        if (s < 0 || s + 2 >= n) return kNoMove;
        long next = s + 1;
        while (next < static_cast<long>(count) - 1 && SameMonth(records[next], records[s])) ++next;
        return MoveTo(records, next);
    }
    case 3: {  // previous month: the first record of the month of record s - 1
        if (s < 1 || s >= n) return kNoMove;
        long first = s - 1;
        while (first > 0 && SameMonth(records[first - 1], records[s - 1])) --first;
        return MoveTo(records, first);
    }
    case 4:  // a line of the list
        if (line < 0 || line >= n) return kNoMove;
        return NavigationStep{line, 1};
    case 5: {  // the calendar's date, else the blank line
        char key[kDateLength] = {};
        long found = static_cast<long>(count);
        if (DateKeyOfShownDate(calendarText, key))
            for (std::uint32_t i = 0; i < count; ++i)
                if (std::memcmp(records[i].date, key, kDateLength) == 0) {
                    found = static_cast<long>(i);
                    break;
                }
        return NavigationStep{found, 1};
    }
    default:
        return kNoMove;
    }
}

void ShownDateOfLine(const DailyRecord* records, std::uint32_t count, long selection, const CalendarDate& today,
                     char* out) {
    if (selection >= 0 && static_cast<std::uint32_t>(selection) < count)
        ShownDateOfKey(records[selection].date, out);
    else
        FormatShownDate(today, out);
}
