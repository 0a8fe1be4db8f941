// The quantities a graph can plot (chart items 0..9): how a value is taken
// from a day's record, its target, its scale on the value axes and its texts.
#ifndef PELMO_CHARTS_CHART_ITEMS_H
#define PELMO_CHARTS_CHART_ITEMS_H

#include "diary/records.h"

enum ChartItem : int {
    kChartNone = 0,
    kChartWeight = 1,
    kChartBodyFat = 2,
    kChartIntake = 3,
    kChartExercise = 4,
    kChartTemperature = 5,
    kChartCondition = 6,
    kChartSleep = 7,
    kChartSteps = 8,
    kChartEvaluation = 9,
    kChartItemCount = 10,
};

// The item's value on the day; 0 for item 0 and codes outside 1..9. A value of
// 0 or below means "not entered": graphs neither plot it nor scale by it.
// Item 9 (evaluation) needs the user's targets and input items.
double itemValue(const DailyRecord& record, int item, const UserHeader& header, const InputItemFlags& flags);

// The user's target for the item; 0 where the item has none (no target line).
double itemTarget(const UserHeader& header, int item);

// Plotted values are multiplied by this: 10 for the decimal items, 1 for kcal and steps; 0 for none.
int valueScale(int item);

// Whether the user records what the item shows: none and weight always; the
// others with their input item; evaluation with intake, exercise or sleep.
bool ChartItemAvailable(int item, const InputItemFlags& flags);

// The item's name in the graph selectors, "" outside 0..9.
const char* ChartItemName(int item);
// The unit shown above a value axis; "" for item 0 (no series) and outside 1..9.
const char* ChartItemUnit(int item);

#endif
