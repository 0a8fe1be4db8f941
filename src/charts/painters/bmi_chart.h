// The BMI chart, the panel to the right of the record table: height against
// weight, the bands of the BMI classes, the marker of the user's height and the
// analysed weight, and five lines of figures. It draws what it is handed.
#ifndef PELMO_CHARTS_PAINTERS_BMI_CHART_H
#define PELMO_CHARTS_PAINTERS_BMI_CHART_H

#include <windows.h>

#include "charts/bmi_chart_layout.h"

// Paints the panel off-screen, on the chart palette, and copies it to its
// place in dc (the diary window's). Nothing when the panel has no area.
void drawBmiChart(HDC dc, HPALETTE palette, const BmiPanelLayout& panel, const BmiChartFacts& facts);

// Paints the panel with its top-left corner at (0, 0) of dc, which may be any
// context: the off-screen bitmap, or a metafile that records the texts.
void paintBmiPanel(HDC dc, const BmiPanelLayout& panel, const BmiChartFacts& facts);

#endif
