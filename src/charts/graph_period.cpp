#include "charts/graph_period.h"

#include <cstring>

#include "charts/chart_dates.h"

namespace {

constexpr int kDaysPerPeriodStep = 30;

bool DigitsAt(const char* text, std::size_t length) {
    for (std::size_t i = 0; i < length; ++i)
        if (text[i] < '0' || text[i] > '9') return false;
    return true;
}

int NumberAt(const char* text, std::size_t length) {
    int number = 0;
    for (std::size_t i = 0; i < length; ++i) number = number * 10 + (text[i] - '0');
    return number;
}

// "YYYY" or "YYYYMM" exactly; the key's year and month (0 for a year key).
bool ReadPeriodKey(const char* key, std::size_t length, int* year, int* month) {
    if (key == nullptr || std::strlen(key) != length || !DigitsAt(key, length)) return false;
    *year = NumberAt(key, kYearKeyLength);
    *month = length == kMonthKeyLength ? NumberAt(key + kYearKeyLength, 2) : 0;
    return length != kMonthKeyLength || (*month >= 1 && *month <= 12);
}

// The records whose date begins with the key: a run, since they are in date order.
void RangeOfPrefix(const DailyRecord* records, uint32_t count, const char* key, std::size_t length,
                   GraphPeriod* period) {
    period->first = FirstRecordFrom(records, count, key, length);
    period->end = FirstRecordAfter(records, count, key, length);
    if (period->end < period->first) period->end = period->first;
}

bool FindDaysPeriod(int days, const DailyRecord* records, uint32_t count, GraphPeriod* period) {
    if (!period->hasCurrent) return false;
    period->days = days;
    const CalendarDate windowStart = StepBackDays(period->current, days - 1);
    char key[kDateLength];
    DateKeyOf(windowStart, key);
    const uint32_t first = FirstRecordAfter(records, count, key, kDateLength);
    CalendarDate start = windowStart;
    if (first < count && !ReadDateKey(records[first].date, &start)) return false;
    period->start = start;
    period->first = first;
    char endKey[kDateLength];
    DateKeyOf(advanceDate(start, days - 1), endKey);
    period->end = FirstRecordAfter(records, count, endKey, kDateLength);
    if (period->end < period->first) period->end = period->first;
    return true;
}

}  // namespace

int GraphPeriodDays(int period) {
    if (period < kGraphPeriodFirstDays || period > kGraphPeriodLastDays) return 0;
    return kDaysPerPeriodStep * (period - 1);
}

GraphPeriod FindGraphPeriod(int period, const char* key, const char* calendarText, const DailyRecord* records,
                            uint32_t count) {
    GraphPeriod found;
    if (records == nullptr) count = 0;
    found.hasCurrent = calendarText != nullptr && ParseShownDate(calendarText, &found.current);
    bool usable = false;
    if (period == kGraphPeriodMonthly) {
        usable = ReadPeriodKey(key, kMonthKeyLength, &found.year, &found.month);
        if (usable) RangeOfPrefix(records, count, key, kMonthKeyLength, &found);
        found.kind = GraphPeriodKind::kMonth;
    } else if (period == kGraphPeriodYearly) {
        usable = ReadPeriodKey(key, kYearKeyLength, &found.year, &found.month);
        if (usable) RangeOfPrefix(records, count, key, kYearKeyLength, &found);
        found.kind = GraphPeriodKind::kYear;
    } else if (int days = GraphPeriodDays(period)) {
        usable = FindDaysPeriod(days, records, count, &found);
        found.kind = GraphPeriodKind::kDays;
    }
    if (!usable) {
        const bool hasCurrent = found.hasCurrent;
        const CalendarDate current = found.current;
        found = GraphPeriod{};
        found.hasCurrent = hasCurrent;
        found.current = current;
    }
    return found;
}
