#include "corelib/calendar_month.h"

int MonthGridCell(int year, int month, int day) { return WeekdayOf({year, month, 1}) + day - 1; }

int DayOfMonthGridCell(int year, int month, int cell) {
    int day = cell - WeekdayOf({year, month, 1}) + 1;
    return day >= 1 && day <= DaysInMonth(year, month, LeapRule::kGregorian) ? day : 0;
}

void MarkRecordDays(const char* dates, std::size_t count, std::size_t stride, int year, int month, bool marks[32]) {
    for (int d = 0; d < 32; ++d) marks[d] = false;
    if (dates == nullptr) return;
    for (std::size_t i = 0; i < count; ++i) {
        CalendarDate date;
        if (!ReadDateKey(dates + i * stride, &date)) continue;
        if (date.year == year && date.month == month && date.day >= 1 && date.day <= 31) marks[date.day] = true;
    }
}
