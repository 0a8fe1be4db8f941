#include "charts/chart_dates.h"

#include <cstdio>
#include <cstring>

namespace {

constexpr int kMonthSlots[12] = {-1, 32, 60, 91, 121, 152, 182, 213, 244, 274, 305, 335};

// The first record for which `below` is false, by halving: the records are in
// date order, so `below` holds for a leading run of them.
template <typename Below>
uint32_t FirstNotBelow(const DailyRecord* records, uint32_t count, Below below) {
    if (records == nullptr) return count;
    uint32_t low = 0, high = count;
    while (low < high) {
        const uint32_t middle = low + (high - low) / 2;
        if (below(records[middle])) low = middle + 1;
        else high = middle;
    }
    return low;
}

}  // namespace

uint32_t FirstRecordFrom(const DailyRecord* records, uint32_t count, const char* prefix, std::size_t length) {
    // memcmp compares as unsigned bytes, the order the records are kept in.
    return FirstNotBelow(records, count,
                         [&](const DailyRecord& r) { return std::memcmp(r.date, prefix, length) < 0; });
}

uint32_t FirstRecordAfter(const DailyRecord* records, uint32_t count, const char* prefix, std::size_t length) {
    return FirstNotBelow(records, count,
                         [&](const DailyRecord& r) { return std::memcmp(r.date, prefix, length) <= 0; });
}

void DateKeyOf(const CalendarDate& date, char* key8) {
    char text[40];
    std::snprintf(text, sizeof text, "%04d%02d%02d", date.year, date.month, date.day);
    std::memcpy(key8, text, kDateLength);
}

uint32_t periodStartIndex(const DailyRecord* records, uint32_t count, CalendarDate end, int n) {
    if (records == nullptr) return 0;
    char key[kDateLength];
    DateKeyOf(StepBackDays(end, n - 1), key);
    const uint32_t first = FirstRecordAfter(records, count, key, kDateLength);
    return first < count ? first : 0;
}

int MonthSlotEntry(int year, int month) {
    if (month < 1 || month > 12) return -1;
    int entry = kMonthSlots[month - 1];
    return (month >= 3 && IsLeapYear(year)) ? entry + 1 : entry;
}
