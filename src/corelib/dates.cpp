#include "corelib/dates.h"

#include <cstdio>
#include <cstring>

#include "corelib/utility.h"

namespace {

constexpr int kMonthLengths[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
constexpr int kFirstNumberedYear = 2000;  // day 1 is its January 1st
constexpr int kLastYear = 9999;           // the date field holds four digits

bool IsMonth(int month) { return month >= 1 && month <= 12; }

int YearLength(int year) { return IsLeapYear(year) ? 366 : 365; }

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

bool ReadDateKey(const char* key8, CalendarDate* date) {
    return ReadDigits(key8, 4, &date->year) && ReadDigits(key8 + 4, 2, &date->month) &&
           ReadDigits(key8 + 6, 2, &date->day);
}

bool IsLeapYear(int year, LeapRule rule) {
    if (rule == LeapRule::kGregorian) return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return year % 4 == 0;
}

int DaysInMonth(int year, int month, LeapRule rule) {
    if (!IsMonth(month)) return 0;
    return month == 2 && IsLeapYear(year, rule) ? 29 : kMonthLengths[month - 1];
}

CalendarDate AddDays(CalendarDate date, int days, LeapRule rule) {
    if (!IsMonth(date.month)) return date;
    for (; days > 0; --days) {
        if (++date.day <= DaysInMonth(date.year, date.month, rule)) continue;
        date.day = 1;
        if (++date.month > 12) {
            date.month = 1;
            ++date.year;
        }
    }
    for (; days < 0; ++days) {
        if (date.day > 1) {
            --date.day;
            continue;
        }
        if (--date.month < 1) {
            date.month = 12;
            --date.year;
        }
        date.day = DaysInMonth(date.year, date.month, rule);
    }
    return date;
}

CalendarDate advanceDate(CalendarDate date, int n) { return n > 0 ? AddDays(date, n) : date; }

CalendarDate StepBackDays(CalendarDate date, int n) { return n > 0 ? AddDays(date, -n) : date; }

CalendarDate AddMonths(const CalendarDate& date, int delta) {
    int index = date.year * 12 + (date.month - 1) + delta;
    CalendarDate moved = {index / 12, index % 12 + 1, date.day};
    if (index < 0 || moved.year < kFirstCalendarYear || moved.year > kLastCalendarYear) return date;
    int last = DaysInMonth(moved.year, moved.month, LeapRule::kGregorian);
    if (moved.day > last) moved.day = last;
    if (moved.day < 1) moved.day = 1;
    return moved;
}

// Sakamoto's method.
int WeekdayOf(const CalendarDate& date) {
    static const int kOffsets[12] = {0, 3, 2, 5, 0, 3, 5, 1, 4, 6, 2, 4};
    int year = date.month < 3 ? date.year - 1 : date.year;
    return (year + year / 4 - year / 100 + year / 400 + kOffsets[(date.month - 1) % 12] + date.day) % 7;
}

bool IsValidDate(const CalendarDate& date) {
    return date.year >= kFirstCalendarYear && date.year <= kLastCalendarYear && date.day >= 1 &&
           date.day <= DaysInMonth(date.year, date.month, LeapRule::kGregorian);
}

// From the clock, never through the packed date, whose years end with 2027.
CalendarDate Today() {
    CalendarDate today{};
    LocalDate(&today.year, &today.month, &today.day);
    return today;
}

long DayNumberOfDate(const char* date) {
    if (date == nullptr) return 0;
    char key[kDateKeyLength];
    // A record's date field has no terminator: the shown form is tested by its slash first.
    const char* digits = date;
    if (date[0] != '\0' && date[1] != '\0' && date[2] != '\0' && date[3] != '\0' && date[4] == '/') {
        if (!DateKeyOfShownDate(date, key)) return 0;
        digits = key;
    }
    CalendarDate read;
    if (!ReadDateKey(digits, &read) || read.year < kFirstNumberedYear || !IsMonth(read.month)) return 0;
    long n = 0;
    for (int y = kFirstNumberedYear; y < read.year; ++y) n += YearLength(y);
    for (int m = 1; m < read.month; ++m) n += DaysInMonth(read.year, m);
    return n + read.day;
}

void DateOfDayNumber(long n, char* out) {
    int year = kFirstNumberedYear, month = 1;
    long rest = n < 0 ? 0 : n;
    while (rest >= YearLength(year) && year < kLastYear) {
        rest -= YearLength(year);
        ++year;
    }
    while (month <= 12 && rest >= DaysInMonth(year, month)) {
        rest -= DaysInMonth(year, month);
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
        day = DaysInMonth(year, month);
    } else {
        day = static_cast<int>(rest);
    }
    std::snprintf(out, kShownDateSize, "%4d/%02d/%02d", year, month, day);
}

bool ParseShownDate(const char* text, CalendarDate* date) {
    char key[kDateKeyLength];
    CalendarDate parsed;
    if (!DateKeyOfShownDate(text, key) || !ReadDateKey(key, &parsed) || !IsValidDate(parsed)) return false;
    *date = parsed;
    return true;
}

void FormatShownDate(const CalendarDate& date, char* out) {
    std::snprintf(out, kShownDateSize, "%4u/%02u/%02u", static_cast<unsigned>(date.year) % 10000u,
                  static_cast<unsigned>(date.month) % 100u, static_cast<unsigned>(date.day) % 100u);
}

bool DateKeyOfShownDate(const char* shown, char* key8) {
    if (!shown || std::strlen(shown) != kShownDateSize - 1 || shown[4] != '/' || shown[7] != '/') return false;
    const int digits[kDateKeyLength] = {0, 1, 2, 3, 5, 6, 8, 9};
    for (std::size_t i = 0; i < kDateKeyLength; ++i) {
        const char c = shown[digits[i]];
        if (c < '0' || c > '9') return false;
        key8[i] = c;
    }
    return true;
}

void ShownDateOfKey(const char* key8, char* out) {
    std::snprintf(out, kShownDateSize, "%.4s/%.2s/%.2s", key8, key8 + 4, key8 + 6);
}
