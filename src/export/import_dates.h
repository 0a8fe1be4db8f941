// The dates of an imported table, in the forms spreadsheets and apps write
// them: 2024/05/01, 2024-05-01, 20240501, 2024年5月1日, 令和6年5月1日, R6.5.1
// (also 平成 and 昭和, and full-width digits), each with or without a time. A
// time with a UTC offset or "Z" is turned into the local date and time first.
#ifndef PELMO_EXPORT_IMPORT_DATES_H
#define PELMO_EXPORT_IMPORT_DATES_H

#include <string>

// The offset of local time from UTC, in minutes, at utcSeconds (seconds since
// 1970-01-01 UTC). The program's is the system's time zone; tests pin one.
using LocalOffsetFunction = long (*)(long long utcSeconds);
long SystemLocalOffset(long long utcSeconds);

enum class DateReading {
    kRead,
    kNotADate,     // no date of a form above
    kOutOfRange,   // a real date, but before 1900 or after 2099
    kNoSuchDay,    // month 13, February 30, ...
};

struct ImportDate {
    char key[8];          // YYYYMMDD, local
    int minuteOfDay = -1; // local time of day in minutes; -1 without a time
};

// folded: a cell of FoldCell. timeCell: a separate time column's folded cell,
// or "" (a time in the date cell wins).
DateReading ReadImportDate(const std::string& folded, const std::string& timeCell, LocalOffsetFunction localOffset,
                           ImportDate* date);

#endif
