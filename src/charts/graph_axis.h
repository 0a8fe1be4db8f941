// The line graph's horizontal axis: its slots (one per day, or per day of the
// year with room between the months), the labels and ticks below the plot and
// the slot of the calendar's date.
#ifndef PELMO_CHARTS_GRAPH_AXIS_H
#define PELMO_CHARTS_GRAPH_AXIS_H

#include <vector>

#include "charts/graph_period.h"

// Below the plot's bottom row, the heights ticks start at.
constexpr int kShortTick = 5;
constexpr int kLongTick = 9;
// Labels are centred this far right of their slot's x; ticks and points sit 12 right.
constexpr int kLabelShift = 13;
constexpr int kPointShift = 12;

struct AxisMark {
    int slot;
    char label[12];   // "" for a tick without label
    int tickHeight;   // the tick starts this far above the plot's bottom; 0: no tick
    bool monthStart;  // a month's name between two dates: it wins where labels crowd
};

struct HorizontalAxis {
    bool shown = false;          // false: no period, no axis and no series
    int slots = 0;
    double pixelsPerSlot = 0;
    int tickShift = kPointShift; // the year graph's ticks stand under their labels
    int currentSlot = -1;        // the dotted line of the calendar's date; -1: none
    int currentShift = kPointShift;
    std::vector<AxisMark> marks;
};

// The axis of a period over a plot `plotWidth` pixels wide (o). A month has a
// slot per day; a year its days + 10 slots, a day D of month m in slot
// D + MonthSlotEntry + 1; N days N slots from the period's start date.
HorizontalAxis LayOutHorizontalAxis(const GraphPeriod& period, int plotWidth);

// X(K) = trunc(K × pixels per slot), from the plot's left edge.
int SlotX(const HorizontalAxis& axis, int slot);

// Which labels are drawn when mark i's label is labelWidths[i] pixels wide: in
// a narrow plot the labels would run into each other (a month's name squeezed
// between two dates), so a label that would touch one already placed is left
// out, the months' names placed first. Ticks are not affected.
std::vector<bool> LabelsWithRoom(const HorizontalAxis& axis, const std::vector<int>& labelWidths);

#endif
