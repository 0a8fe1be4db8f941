#include "charts/dash_pattern.h"

#include <cmath>

namespace {

ChartPoint Between(const ChartPoint& a, const ChartPoint& b, double fraction) {
    return ChartPoint{static_cast<int>(std::lround(a.x + (b.x - a.x) * fraction)),
                      static_cast<int>(std::lround(a.y + (b.y - a.y) * fraction))};
}

}  // namespace

std::vector<std::vector<ChartPoint>> DashedPieces(const std::vector<ChartPoint>& line, DashPattern pattern) {
    std::vector<std::vector<ChartPoint>> pieces;
    if (line.size() < 2) return pieces;
    if (pattern.Solid()) {
        pieces.push_back(line);
        return pieces;
    }
    bool drawing = true;
    double left = pattern.on;  // of the current dash or gap
    std::vector<ChartPoint> piece = {line[0]};
    for (std::size_t i = 1; i < line.size(); ++i) {
        const ChartPoint& a = line[i - 1];
        const ChartPoint& b = line[i];
        const double length = std::hypot(b.x - a.x, b.y - a.y);
        double at = 0;  // along this segment
        while (length - at > left) {
            at += left;
            const ChartPoint cut = Between(a, b, at / length);
            if (drawing) {
                piece.push_back(cut);
                pieces.push_back(piece);
                piece.clear();
            } else {
                piece = {cut};
            }
            drawing = !drawing;
            left = drawing ? pattern.on : pattern.off;
        }
        left -= length - at;
        if (drawing) piece.push_back(b);
    }
    if (drawing && piece.size() > 1) pieces.push_back(piece);
    return pieces;
}
