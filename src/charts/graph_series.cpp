#include "charts/graph_series.h"

#include <cmath>
#include <cstring>

#include "charts/chart_dates.h"
#include "charts/chart_items.h"

namespace {

void Add(GraphSeries* series, int slot, double value) {
    if (!(value > 0)) return;
    if (series->points.empty() || value > series->largest) series->largest = value;
    if (series->points.empty() || value < series->smallest) series->smallest = value;
    series->points.push_back({slot, value});
}

// Month and year: every record of the period, in the slot of its day.
void CollectDated(const GraphPeriod& period, const DailyRecord* records, int item, const UserHeader& header,
                  const InputItemFlags& flags, GraphSeries* series) {
    for (uint32_t i = period.first; i < period.end; ++i) {
        CalendarDate date;
        if (!ReadDateKey(records[i].date, &date)) continue;
        const int slot = period.kind == GraphPeriodKind::kMonth
                             ? date.day - 1
                             : date.day + MonthSlotEntry(date.year, date.month) + 1;
        Add(series, slot, itemValue(records[i], item, header, flags));
    }
}

// N days: a cursor walks the records from the period's first one; each slot
// whose date the cursor's record carries takes its value.
void CollectDays(const GraphPeriod& period, const DailyRecord* records, int item, const UserHeader& header,
                 const InputItemFlags& flags, GraphSeries* series) {
    uint32_t cursor = period.first;
    CalendarDate date = period.start;
    for (int k = 0; k < period.days && cursor < period.end; ++k, date = advanceDate(date, 1)) {
        char key[kDateLength];
        DateKeyOf(date, key);
        if (std::memcmp(records[cursor].date, key, kDateLength) != 0) continue;
        Add(series, k, itemValue(records[cursor], item, header, flags));
        ++cursor;
    }
}

}  // namespace

GraphSeries CollectSeries(const GraphPeriod& period, const DailyRecord* records, int item, const UserHeader& header,
                          const InputItemFlags& flags) {
    GraphSeries series;
    if (records == nullptr || valueScale(item) == 0) return series;
    switch (period.kind) {
    case GraphPeriodKind::kMonth:
    case GraphPeriodKind::kYear: CollectDated(period, records, item, header, flags, &series); break;
    case GraphPeriodKind::kDays: CollectDays(period, records, item, header, flags, &series); break;
    case GraphPeriodKind::kNone: break;
    }
    return series;
}

int SeriesRow(double scale, double anchorValue, int anchorRow, double value, int scaleOfItem) {
    const double row = scale * (anchorValue - value) * scaleOfItem + anchorRow;
    // Garbled values must not turn into undefined integer conversions.
    if (!(row > -1e6)) return -1000000;
    if (!(row < 1e6)) return 1000000;
    return static_cast<int>(std::trunc(row));
}
