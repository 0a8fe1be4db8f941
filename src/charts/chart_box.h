// A rectangle of a chart in pixels: left and top inside, right and bottom
// outside, as a RECT is; and a point. Portable, for the charts' arithmetic.
#ifndef PELMO_CHARTS_CHART_BOX_H
#define PELMO_CHARTS_CHART_BOX_H

struct ChartBox {
    int left, top, right, bottom;
};

struct ChartPoint {
    int x, y;
};

#endif
