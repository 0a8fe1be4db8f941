#include "charts/chart_dates.h"

#include <cstdio>
#include <cstring>

namespace {

constexpr int kDaysPerMonth[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
constexpr int kMonthSlots[12] = {-1, 32, 60, 91, 121, 152, 182, 213, 244, 274, 305, 335};

bool IsValidMonth(int month) { return month >= 1 && month <= 12; }

bool IsDigits(const char* text, int length) {
    for (int i = 0; i < length; ++i)
        if (text[i] < '0' || text[i] > '9') return false;
    return true;
}

int Number(const char* text, int length) {
    int value = 0;
    for (int i = 0; i < length; ++i) value = value * 10 + (text[i] - '0');
    return value;
}

}  // namespace

bool IsDiaryLeapYear(int year) { return year % 4 == 0; }

int DiaryDaysInMonth(int year, int month) {
    if (!IsValidMonth(month)) return 0;
    if (month == 2 && IsDiaryLeapYear(year)) return 29;
    return kDaysPerMonth[month - 1];
}

ChartDate advanceDate(ChartDate date, int n) {
    if (!IsValidMonth(date.month)) return date;
    for (int i = 0; i < n; ++i) {
        if (++date.day <= DiaryDaysInMonth(date.year, date.month)) continue;
        date.day = 1;
        if (++date.month > 12) {
            date.month = 1;
            ++date.year;
        }
    }
    return date;
}

ChartDate StepBackDays(ChartDate date, int n) {
    if (!IsValidMonth(date.month)) return date;
    for (int i = 0; i < n; ++i) {
        if (date.day > 1) {
            --date.day;
            continue;
        }
        if (--date.month < 1) {
            date.month = 12;
            --date.year;
        }
        date.day = DiaryDaysInMonth(date.year, date.month);
    }
    return date;
}

uint32_t periodStartIndex(const DailyRecord* records, uint32_t count, ChartDate end, int n) {
    if (records == nullptr) return 0;
    ChartDate start = StepBackDays(end, n - 1);
    char key[16] = {};
    std::snprintf(key, sizeof key, "%d%02d%02d", start.year, start.month, start.day);
    for (uint32_t i = 0; i < count; ++i)
        // memcmp compares as unsigned bytes, the order the records are kept in.
        if (std::memcmp(records[i].date, key, kDateLength) > 0) return i;
    return 0;
}

int MonthSlotEntry(int year, int month) {
    if (!IsValidMonth(month)) return -1;
    int entry = kMonthSlots[month - 1];
    return (month >= 3 && IsDiaryLeapYear(year)) ? entry + 1 : entry;
}

bool ParseCalendarText(const char* text, ChartDate* date) {
    if (text == nullptr || std::strlen(text) < 10) return false;
    if (!IsDigits(text, 4) || !IsDigits(text + 5, 2) || !IsDigits(text + 8, 2)) return false;
    date->year = Number(text, 4);
    date->month = Number(text + 5, 2);
    date->day = Number(text + 8, 2);
    return true;
}
