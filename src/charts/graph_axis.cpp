#include "charts/graph_axis.h"

#include <cmath>
#include <cstdio>
#include <utility>

#include "charts/chart_dates.h"

namespace {

constexpr int kYearSlotRoom = 10;   // the year graph has days + 10 slots
constexpr int kDaysEdgeRoom = 10;   // the N-day graph leaves 10 pixels of its plot free
constexpr int kThirtyDays = 30;
constexpr int kLongestDatedPeriod = 120;  // up to 120 days the labels are dates

constexpr int kLabelSpacing = 2;    // pixels kept free between two labels

void AddMark(HorizontalAxis* axis, int slot, const char* label, int tickHeight, bool monthStart = false) {
    AxisMark mark = {};
    mark.slot = slot;
    std::snprintf(mark.label, sizeof mark.label, "%s", label);
    mark.tickHeight = tickHeight;
    mark.monthStart = monthStart;
    axis->marks.push_back(mark);
}

void LayOutMonth(const GraphPeriod& period, int plotWidth, HorizontalAxis* axis) {
    const int days = DaysInMonth(period.year, period.month);
    if (days <= 0) return;
    axis->shown = true;
    axis->slots = days;
    axis->pixelsPerSlot = static_cast<double>(plotWidth) / days;
    for (int k = 0; k < days; ++k) {
        char label[12];
        std::snprintf(label, sizeof label, "%d", k + 1);
        AddMark(axis, k, label, kShortTick);
    }
    const CalendarDate& now = period.current;
    if (period.hasCurrent && now.year == period.year && now.month == period.month) axis->currentSlot = now.day - 1;
}

void LayOutYear(const GraphPeriod& period, int plotWidth, HorizontalAxis* axis) {
    const int days = IsLeapYear(period.year) ? 366 : 365;
    axis->shown = true;
    axis->slots = days + 2;  // slots 0 .. days + 1
    axis->pixelsPerSlot = static_cast<double>(plotWidth) / (days + kYearSlotRoom);
    axis->tickShift = kLabelShift;
    axis->currentShift = kLabelShift;
    for (int month = 1; month <= 12; ++month) {
        char label[12];
        std::snprintf(label, sizeof label, "%d月", month);
        AddMark(axis, MonthSlotEntry(period.year, month) + 1, label, kShortTick);
    }
    const CalendarDate& now = period.current;
    if (period.hasCurrent && now.year == period.year)
        axis->currentSlot = now.day + MonthSlotEntry(now.year, now.month);
}

// 30 days: a date on every second slot and a month's first day on the others;
// up to 120 days: the 1st and the 15th; longer: the months alone.
void MarkDay(int days, int slot, const CalendarDate& date, HorizontalAxis* axis) {
    char label[12] = "";
    int tick = 0;
    bool monthStart = false;
    if (days == kThirtyDays) {
        if (slot % 2 == 0) {
            std::snprintf(label, sizeof label, "%02d/%02d", date.month, date.day);
        } else if (date.day == 1) {
            std::snprintf(label, sizeof label, "%2d月", date.month);
            monthStart = true;
        }
        tick = kShortTick;
    } else if (days <= kLongestDatedPeriod) {
        const bool dated = date.day == 1 || date.day == 15;
        if (dated) std::snprintf(label, sizeof label, "%02d/%02d", date.month, date.day);
        tick = dated ? kLongTick : kShortTick;
    } else if (date.day == 1) {
        std::snprintf(label, sizeof label, "%2d月", date.month);
        tick = kLongTick;
    }
    if (label[0] || tick) AddMark(axis, slot, label, tick, monthStart);
}

void LayOutDays(const GraphPeriod& period, int plotWidth, HorizontalAxis* axis) {
    const int days = period.days;
    if (days <= 0 || plotWidth <= kDaysEdgeRoom) return;
    axis->shown = true;
    axis->slots = days;
    axis->pixelsPerSlot = static_cast<double>(plotWidth - kDaysEdgeRoom) / days;
    CalendarDate date = period.start;
    for (int k = 0; k < days; ++k, date = advanceDate(date, 1)) {
        MarkDay(days, k, date, axis);
        const CalendarDate& now = period.current;
        if (period.hasCurrent && date.year == now.year && date.month == now.month && date.day == now.day)
            axis->currentSlot = k;
    }
}

}  // namespace

HorizontalAxis LayOutHorizontalAxis(const GraphPeriod& period, int plotWidth) {
    HorizontalAxis axis;
    if (plotWidth <= 0) return axis;
    switch (period.kind) {
    case GraphPeriodKind::kMonth: LayOutMonth(period, plotWidth, &axis); break;
    case GraphPeriodKind::kYear: LayOutYear(period, plotWidth, &axis); break;
    case GraphPeriodKind::kDays: LayOutDays(period, plotWidth, &axis); break;
    case GraphPeriodKind::kNone: break;
    }
    return axis;
}

int SlotX(const HorizontalAxis& axis, int slot) { return static_cast<int>(std::trunc(slot * axis.pixelsPerSlot)); }

std::vector<bool> LabelsWithRoom(const HorizontalAxis& axis, const std::vector<int>& labelWidths) {
    const size_t count = axis.marks.size();
    std::vector<bool> drawn(count, false);
    std::vector<std::pair<int, int>> placed;  // [left, right) of each label drawn
    auto place = [&](size_t i) {
        if (!axis.marks[i].label[0] || i >= labelWidths.size()) return;
        const int left = SlotX(axis, axis.marks[i].slot) + kLabelShift - labelWidths[i] / 2;
        const int right = left + labelWidths[i];
        for (const auto& other : placed)
            if (left < other.second + kLabelSpacing && other.first < right + kLabelSpacing) return;
        placed.emplace_back(left, right);
        drawn[i] = true;
    };
    for (size_t i = 0; i < count; ++i)
        if (axis.marks[i].monthStart) place(i);
    for (size_t i = 0; i < count; ++i)
        if (!axis.marks[i].monthStart) place(i);
    return drawn;
}
