// The BMI chart's arithmetic: where the panel beside the record table lies and
// which parts of the diary window repaint it, the height and weight origins,
// where a class curve, a band's fill and the marker fall, the label steps, and
// the five lines of figures.
#ifndef PELMO_CHARTS_BMI_CHART_LAYOUT_H
#define PELMO_CHARTS_BMI_CHART_LAYOUT_H

#include "charts/chart_box.h"
#include "charts/chart_font_size.h"
#include "evaluation/bmi.h"
#include "evaluation/trend.h"


// What the chart shows.
struct BmiChartFacts {
    bool userLoaded;
    double height;          // cm, the open user's
    double targetWeight;    // kg
    // The analysis is of the diary's days: a record is selected, or with the
    // blank line the latest day, or the calendar's month or year. False
    // without days: no marker, no figures, the weight axis from 0.
    bool recordSelected;
    AnalysisResult analysis;
    // The day analysed in place of the blank line, "YYYY/MM/DD", named in the
    // figures so that nobody takes it for today; "" for a selected record,
    // a month or a year.
    char namedDay[11];
    TrendFigures trend = {};  // the weight's trend on the analysed day (evaluation/period.h TrendDayOfAnalysis)
};

// The title's font for the diary window's text ascent: 9 × 18 up to an ascent
// of 18, else ascent × 8 / 18 wide and twice that high; on a screen of more
// dots per inch at least 9 × 18 grown with it, as the record table's font grows.
FontSize BmiTitleFontSize(int ascent, int dpi = kChartBaseDpi);
// The font of the labels and figures: 7 × 14 grown with the screen's dots per inch.
FontSize BmiBodyFontSize(int dpi = kChartBaseDpi);

// The panel's top row in the diary window: a + 5, or below the calendar
// (whose foot is calendarFoot) when the calendar would cover the title.
int BmiPanelTop(int ascent, int calendarFoot);
// The first row of the window below the title and its underline, where the
// analysis selectors may lie.
int BmiTitleFoot(int ascent, int calendarFoot, int dpi = kChartBaseDpi);

// The panel to the right of the record table.
struct BmiPanelLayout {
    int x, y;                // its place in the diary window: (X0 + 2, a + 5)
    int width, height;       // w and h; nothing is drawn unless both are positive
    int ascent;              // a
    FontSize titleFont;
    FontSize bodyFont;
    int titleHeight;         // T, the title font's height
    ChartBox area;           // the chart area, in the panel
    // Rows at the area's top that the analysis selectors cover: the weight's
    // unit and the figures go that much lower, where they can be read.
    int coveredRows;
    // What the diary window invalidates to repaint the chart and the title, in its own coordinates.
    ChartBox chartRepaint;
    ChartBox titleRepaint;
};
// For a diary window windowWidth wide whose record table is tableWidth (X0)
// wide and whose record list is listHeight high; the analysis selectors end at
// row selectorsFoot of the window (0: there are none), the calendar at row
// calendarFoot (0: none). The panel's foot stays where the list puts it.
BmiPanelLayout LayOutBmiPanel(int windowWidth, int tableWidth, int listHeight, int ascent, int selectorsFoot = 0,
                              int dpi = kChartBaseDpi, int calendarFoot = 0);

constexpr int kNoUserHeightOrigin = 110;

// K: the height rounded down to 10 cm, minus 40; 110 without a user.
int BmiHeightOrigin(bool userLoaded, double height);
// L: the weight rounded down to 10 kg, minus 40, not below 0; 0 without a shown record.
int BmiWeightOrigin(bool recordShown, double weight);

// The chart's scale: the area, both origins and the body font's "000" (R wide, P high).
struct BmiScale {
    ChartBox area;
    int heightOrigin;  // K, cm
    int weightOrigin;  // L, kg
    int digitsWidth;   // R
    int textHeight;    // P
};

constexpr int kBmiCurvePoints = 25;  // points after the first, 10 cm apart
constexpr int kBmiBandSeeds = 19;    // places tried, 10 cm apart, to fill the band below a curve

// The column of a curve's k-th point (k × 10 cm above K).
int BmiCurveColumn(const BmiScale& scale, int k);
// The row of the curve of `bmi` at `height` cm: the weight at that BMI in
// whole kg above L, raised by P + lift (2 for the points, 3 for the first).
int BmiCurveRow(const BmiScale& scale, double height, double bmi, int lift);
// Where the band below the curve of `bmi` is filled from, tried at k × 10 cm
// above K (k from 1): a little right of and below the curve's k-th point. False
// when that place is not inside the chart area.
bool BmiBandSeed(const BmiScale& scale, int k, double bmi, ChartPoint* seed);
// Where the band below the curve of `bmi` is filled from when none of the
// curve's points offers a place, because the curve leaves the area through its
// top before its first point (or runs above it all the way): at the area's
// left edge, a little below the curve there or at the area's top. False when
// that place is not inside the area (the curve there lies below it). The band
// is there only if no lower band has taken the place.
bool BmiBandEdgeSeed(const BmiScale& scale, double bmi, ChartPoint* seed);

// The centre of the marker for a height (cm) and a weight (kg).
ChartPoint BmiMarkerCentre(const BmiScale& scale, double height, double weight);

// Every second 5 cm (or 5 kg) step is labelled when the labels have room, else
// every fourth (or more): labels never come closer than a gap of a quarter of
// the text height (labelWidth: the widest height label, "000").
int HeightLabelStep(int threeBlanksWidth, int areaWidth, int labelWidth = 0);
int WeightLabelStep(int textHeight, int areaHeight);

constexpr int kBmiAxisSteps = 18;         // 5 cm or 5 kg each
constexpr int kBmiLastLabelledStep = 15;  // the last steps are left to the units
// The row of the weight axis's k-th step (5k kg above L).
int BmiWeightStepRow(const BmiScale& scale, int k);
// Whether the k-th weight step carries its label: a labelled step up to the
// 15th whose text stays clear of the "kg" unit, which sits coveredRows + 2
// below the area's top (in a low chart the upper labels would run into it),
// and of the origin's label, which stands above its tick.
bool BmiWeightLabelShown(const BmiScale& scale, int coveredRows, int k);
// Whether the "kg" unit (coveredRows + 2 below the area's top) stays clear of
// the origin's label and the height axis below it: not in a chart too low for both.
bool BmiWeightUnitShown(const BmiScale& scale, int coveredRows);

bool BmiMarkerShown(const BmiChartFacts& facts);
// The figures need a panel wider than 28 digits of the body font.
bool BmiFiguresShown(const BmiChartFacts& facts, int panelWidth, int width28Digits);

constexpr int kBmiFigureLines = 5;
// Where the figures are written: a box with a backing, so that they can be
// read over the bands, at the top left of the area below the rows the
// selectors cover, or at the bottom right above the height axis when the
// marker would lie under the top-left box. The lines come 5 pixels apart,
// closer in a low chart; those that still find no room are left out, the last first.
struct BmiFigureBox {
    ChartBox box;      // the backing, in the panel
    int textLeft;      // the lines' left edge
    int firstRow;      // the first line's top
    int lineStep;      // from one line's top to the next's
    int lines;         // how many lines are written
};
// textWidth: the widest line (drawn bold); lineCount: the lines there are;
// lineHeight: their font's height (0: the body font's, P). No line is written
// when the widest does not fit between the axis band and the area's right edge.
BmiFigureBox PlaceBmiFigures(const BmiScale& scale, int coveredRows, int textWidth, int lineCount,
                             bool markerShown, ChartPoint marker, int lineHeight = 0);
// The width the figures' widest line may take.
int BmiFiguresRoom(const BmiScale& scale);
constexpr int kBmiFigureSize = 64;
// Weight (followed by namedDay when it is given), BMI class, normal-weight
// range, appropriateness rate with the difference, and the distance to the
// target weight: an empty line when no target weight is set.
struct BmiFigures {
    char line[kBmiFigureLines][kBmiFigureSize];
};
BmiFigures FormatBmiFigures(const AnalysisResult& analysis, double targetWeight, const char* namedDay = "");

// The sixth line, below the figures: the trend weight, the weekly rate with
// its sign and the day the target weight is reached ("傾向 55.1kg　週 -0.3kg
// 目標 50.0kgは 2027/03/10ごろ"), or in words why there is no such day. In
// forms from the whole line down to the trend alone: a panel too narrow for
// one takes the next, shortened at a part's end, never inside a character.
constexpr int kBmiTrendForms = 4;
constexpr int kBmiTrendLineSize = 96;
struct BmiTrendLine {
    int forms;  // 0: no line, the analysed day has no trend
    char form[kBmiTrendForms][kBmiTrendLineSize];
};
BmiTrendLine FormatBmiTrendLine(const TrendFigures& trend, double targetWeight);
// The first form no wider than room (widths[i] is form i's width); -1 when none fits.
int BmiTrendFormThatFits(const BmiTrendLine& line, const int* widths, int room);

#endif
