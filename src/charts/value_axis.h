// The arithmetic of a graph's value axis: the span an item's values take over
// the plot's height, the lines visited from the top, which of them carry a
// label and how far apart the labels must be for the label font.
#ifndef PELMO_CHARTS_VALUE_AXIS_H
#define PELMO_CHARTS_VALUE_AXIS_H

enum LabelRule : int {
    kLabelWholeNumbers = 0,     // 64, 63, ...
    kLabelWholeAndHalf = 1,     // 36.5, 36, ...
    kLabelMultiples = 2,        // of labelMultiple (kcal, steps)
};

struct ValueAxisLayout {
    bool usable;           // false for item codes outside 1..9 or a plot without height
    double topValue;       // the value at the plot's top row
    double bottomValue;    // the value at the plot's bottom row
    double scale;          // s: pixels per 0.1 (decimal items) or per 1 (kcal, steps)
    double startValue;     // the first line's value
    double firstRow;       // y0: the first line's row below the plot's top
    double valueStep;      // the value between two lines
    double stepPixels;     // the rows between two lines
    LabelRule labelRule;
    double labelMultiple;  // for kLabelMultiples: 50, 100 or 1000
    double labelPixels;    // the rows between two label values
    int labelFontHeight;   // h
    int labelEvery;        // n: every n-th label value gets a label
    bool limitByHalfFont;  // lines stop half a label above the bottom (kcal and steps)
    bool tickRowAbove;     // kcal: a label's tick stands one row higher
    bool singleLabel;      // steps: the label is drawn once, two pixels further from the plot
};

// The layout of item's axis for the period's largest and smallest value (values
// above 0 only), a plot plotHeight rows high and the graph font height.
ValueAxisLayout LayoutValueAxis(int item, double largest, double smallest, int plotHeight, int fontHeight);

// The right-hand axis takes its largest value with 5 % room, truncated to a whole number.
double RightAxisLargest(double largest);

// Whether a line's value is a label value under the layout's rule.
bool IsLabelValue(const ValueAxisLayout& layout, double value);

struct AxisLabel {
    double value;
    double row;  // below the plot's top; the pixel row is its truncation
};

// The labels to draw, top first: labelled lines whose row leaves room for half
// the label font above. Writes at most capacity labels and returns their number.
// The first one is the axis's anchor.
int ValueAxisLabels(const ValueAxisLayout& layout, int plotHeight, AxisLabel* labels, int capacity);

enum class AxisSide { kLeft, kRight };

// The printf format of a label: the left side pads to the axis band's width.
const char* AxisLabelFormat(int item, AxisSide side);

// The pixel row of a label's tick, the label's row being `row` below the plot's top.
int LabelTickRow(const ValueAxisLayout& layout, int plotTop, double row);

#endif
