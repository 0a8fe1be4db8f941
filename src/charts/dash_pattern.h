// Dashed and dotted lines drawn as pieces of a solid line: printers' drivers
// draw a wide pen's own dash style solid, so the pieces are cut here, the
// pattern running on across the corners of a polyline.
#ifndef PELMO_CHARTS_DASH_PATTERN_H
#define PELMO_CHARTS_DASH_PATTERN_H

#include <vector>

#include "charts/chart_box.h"

struct DashPattern {
    int on = 0;   // the length of a dash; 0: a solid line
    int off = 0;  // the gap after it
    bool Solid() const { return on <= 0 || off <= 0; }
};

// The pieces of the polyline that are drawn: the whole line when the pattern
// is solid; otherwise every dash, each a polyline of its own.
std::vector<std::vector<ChartPoint>> DashedPieces(const std::vector<ChartPoint>& line, DashPattern pattern);

#endif
