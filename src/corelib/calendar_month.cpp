#include "corelib/calendar_month.h"

#include <cstdio>
#include <cstring>

namespace {

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

bool ReadDigits(const char* text, int count, int* value) {
    int result = 0;
    for (int i = 0; i < count; ++i) {
        if (text[i] < '0' || text[i] > '9') return false;
        result = result * 10 + (text[i] - '0');
    }
    *value = result;
    return true;
}

}  // namespace

int DaysInMonth(int year, int month) {
    static const int kLengths[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) return 0;
    return month == 2 && IsLeapYear(year) ? 29 : kLengths[month - 1];
}

// Sakamoto's method.
int WeekdayOf(const CalendarDate& date) {
    static const int kOffsets[12] = {0, 3, 2, 5, 0, 3, 5, 1, 4, 6, 2, 4};
    int year = date.month < 3 ? date.year - 1 : date.year;
    return (year + year / 4 - year / 100 + year / 400 + kOffsets[(date.month - 1) % 12] + date.day) % 7;
}

bool IsValidDate(const CalendarDate& date) {
    return date.year >= kFirstCalendarYear && date.year <= kLastCalendarYear && date.day >= 1 &&
           date.day <= DaysInMonth(date.year, date.month);
}

bool ParseShownDate(const char* text, CalendarDate* date) {
    if (text == nullptr || std::strlen(text) != kShownDateSize - 1 || text[4] != '/' || text[7] != '/') return false;
    CalendarDate parsed;
    if (!ReadDigits(text, 4, &parsed.year) || !ReadDigits(text + 5, 2, &parsed.month) ||
        !ReadDigits(text + 8, 2, &parsed.day) || !IsValidDate(parsed))
        return false;
    *date = parsed;
    return true;
}

void FormatShownDate(const CalendarDate& date, char* out) {
    std::snprintf(out, kShownDateSize, "%4u/%02u/%02u", static_cast<unsigned>(date.year) % 10000u,
                  static_cast<unsigned>(date.month) % 100u, static_cast<unsigned>(date.day) % 100u);
}

CalendarDate AddMonths(const CalendarDate& date, int delta) {
    int index = date.year * 12 + (date.month - 1) + delta;
    CalendarDate moved = {index / 12, index % 12 + 1, date.day};
    if (index < 0 || moved.year < kFirstCalendarYear || moved.year > kLastCalendarYear) return date;
    int last = DaysInMonth(moved.year, moved.month);
    if (moved.day > last) moved.day = last;
    if (moved.day < 1) moved.day = 1;
    return moved;
}

int MonthGridCell(int year, int month, int day) { return WeekdayOf({year, month, 1}) + day - 1; }

int DayOfMonthGridCell(int year, int month, int cell) {
    int day = cell - WeekdayOf({year, month, 1}) + 1;
    return day >= 1 && day <= DaysInMonth(year, month) ? day : 0;
}

void MarkRecordDays(const char* dates, std::size_t count, std::size_t stride, int year, int month, bool marks[32]) {
    for (int d = 0; d < 32; ++d) marks[d] = false;
    if (dates == nullptr) return;
    for (std::size_t i = 0; i < count; ++i) {
        const char* date = dates + i * stride;
        int y, m, d;
        if (!ReadDigits(date, 4, &y) || !ReadDigits(date + 4, 2, &m) || !ReadDigits(date + 6, 2, &d)) continue;
        if (y == year && m == month && d >= 1 && d <= 31) marks[d] = true;
    }
}
