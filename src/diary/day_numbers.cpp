#include "diary/day_numbers.h"

#include <cstdio>

namespace {

constexpr int kFirstYear = 2000;
constexpr int kLastYear = 9999;  // the date field holds four digits
const int kMonthDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

bool IsLeap(int year) { return year % 4 == 0; }
int YearLength(int year) { return IsLeap(year) ? 366 : 365; }
int MonthLength(int year, int month) { return month == 2 && IsLeap(year) ? 29 : kMonthDays[month - 1]; }

// Reads the 8 digits of YYYYMMDD, passing over '/' separators. Stops at the
// eighth digit, so a record's unterminated date field is never read past.
bool ReadDateDigits(const char* date, int digits[8]) {
    int found = 0;
    for (const char* p = date; found < 8; ++p) {
        if (*p >= '0' && *p <= '9')
            digits[found++] = *p - '0';
        else if (*p != '/')
            return false;
    }
    return true;
}

}  // namespace

long DayNumberOfDate(const char* date) {
    int d[8];
    if (date == nullptr || !ReadDateDigits(date, d)) return 0;
    int year = d[0] * 1000 + d[1] * 100 + d[2] * 10 + d[3];
    int month = d[4] * 10 + d[5];
    int day = d[6] * 10 + d[7];
    if (year < kFirstYear || month < 1 || month > 12) return 0;
    long n = 0;
    for (int y = kFirstYear; y < year; ++y) n += YearLength(y);
    for (int m = 1; m < month; ++m) n += MonthLength(year, m);
    return n + day;
}

void DateOfDayNumber(long n, char* out) {
    int year = kFirstYear, month = 1;
    long rest = n < 0 ? 0 : n;
    while (rest >= YearLength(year) && year < kLastYear) {
        rest -= YearLength(year);
        ++year;
    }
    while (month <= 12 && rest >= MonthLength(year, month)) {
        rest -= MonthLength(year, month);
        ++month;
    }
    int day;
    if (n <= 0) {
        day = 1;
    } else if (month > 12) {  // past the last day the field can hold
        month = 12;
        day = 31;
    } else if (rest == 0) {  // the last day of the month before
        if (--month == 0) {
            month = 12;
            --year;
        }
        day = MonthLength(year, month);
    } else {
        day = static_cast<int>(rest);
    }
    std::snprintf(out, kShownDateSize, "%4d/%02d/%02d", year, month, day);
}
