#include "charts/chart_dates.h"

#include <cstdio>
#include <cstring>

namespace {

constexpr int kMonthSlots[12] = {-1, 32, 60, 91, 121, 152, 182, 213, 244, 274, 305, 335};

}  // namespace

uint32_t periodStartIndex(const DailyRecord* records, uint32_t count, CalendarDate end, int n) {
    if (records == nullptr) return 0;
    CalendarDate start = StepBackDays(end, n - 1);
    char key[16] = {};
    std::snprintf(key, sizeof key, "%d%02d%02d", start.year, start.month, start.day);
    for (uint32_t i = 0; i < count; ++i)
        // memcmp compares as unsigned bytes, the order the records are kept in.
        if (std::memcmp(records[i].date, key, kDateLength) > 0) return i;
    return 0;
}

int MonthSlotEntry(int year, int month) {
    if (month < 1 || month > 12) return -1;
    int entry = kMonthSlots[month - 1];
    return (month >= 3 && IsLeapYear(year)) ? entry + 1 : entry;
}
