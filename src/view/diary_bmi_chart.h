// The BMI chart in the diary window: the panel's place and what it shows are
// gathered from the window, the record list and the analysis; each paint keeps
// the rectangles that repaint the chart and its title.
#ifndef PELMO_VIEW_DIARY_BMI_CHART_H
#define PELMO_VIEW_DIARY_BMI_CHART_H

#include <windows.h>

#include "charts/bmi_chart_layout.h"

BmiPanelLayout BmiPanelOf(HWND window);
BmiChartFacts BmiChartFactsOf();

// Draws the chart at the panel's place (BmiPanelOf) on the diary window's paint
// context and keeps its repaint rectangles in g_diary (bmiChartArea, bmiTitleArea).
void PaintBmiChart(HDC dc, const BmiPanelLayout& panel);

#endif
