// The span fill against the plainest fill there is, one pixel at a time, over
// random pictures of border lines, clips and seeds.
#include "corelib/flood_fill.h"

#include <gtest/gtest.h>

#include <random>
#include <set>
#include <utility>
#include <vector>

namespace {

using Pixels = std::set<std::pair<int, int>>;  // (y, x)

Pixels PixelByPixel(const std::vector<std::uint32_t>& pixels, int width, int left, int top, int right, int bottom,
                    int x, int y, std::uint32_t border) {
    Pixels filled;
    auto open = [&](int px, int py) {
        return px >= left && px < right && py >= top && py < bottom &&
               pixels[static_cast<std::size_t>(py) * width + px] != border && !filled.count({py, px});
    };
    std::vector<std::pair<int, int>> stack;
    if (open(x, y)) stack.push_back({x, y});
    while (!stack.empty()) {
        auto [px, py] = stack.back();
        stack.pop_back();
        if (!open(px, py)) continue;
        filled.insert({py, px});
        for (auto [dx, dy] : {std::pair<int, int>{1, 0}, {-1, 0}, {0, 1}, {0, -1}}) stack.push_back({px + dx, py + dy});
    }
    return filled;
}

TEST(FloodSpans, CoverWhatAPixelByPixelFillCoversRowByRow) {
    std::mt19937 random(20261208);
    constexpr std::uint32_t kBorder = 0x00C8C8C8;
    for (int round = 0; round < 300; ++round) {
        const int width = 1 + static_cast<int>(random() % 40), height = 1 + static_cast<int>(random() % 30);
        std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * height, 0x00FFFFFF);
        // Border lines across the picture, and some pixels of other colours.
        const int lines = static_cast<int>(random() % 6);
        for (int line = 0; line < lines; ++line) {
            const int x0 = static_cast<int>(random() % width), y0 = static_cast<int>(random() % height);
            const int x1 = static_cast<int>(random() % width), y1 = static_cast<int>(random() % height);
            for (int step = 0; step <= 64; ++step)
                pixels[static_cast<std::size_t>(y0 + (y1 - y0) * step / 64) * width + x0 + (x1 - x0) * step / 64] =
                    kBorder;
        }
        for (int i = 0; i < width * height / 8; ++i) pixels[random() % pixels.size()] = 0x00000080 + (random() % 3);
        const int left = static_cast<int>(random() % width) - 2, top = static_cast<int>(random() % height) - 2;
        const int right = left + 3 + static_cast<int>(random() % width);
        const int bottom = top + 3 + static_cast<int>(random() % height);
        const int x = static_cast<int>(random() % (width + 2)) - 1, y = static_cast<int>(random() % (height + 2)) - 1;
        SCOPED_TRACE(round);

        const std::vector<PixelSpan> spans =
            FloodSpans(pixels.data(), width, height, left, top, right, bottom, x, y, kBorder);
        Pixels covered;
        for (std::size_t i = 0; i < spans.size(); ++i) {
            if (i > 0) {
                const bool inOrder = spans[i - 1].y < spans[i].y ||
                                     (spans[i - 1].y == spans[i].y && spans[i - 1].right < spans[i].left);
                EXPECT_TRUE(inOrder) << "spans out of order or touching at " << i;
            }
            EXPECT_LT(spans[i].left, spans[i].right);
            for (int px = spans[i].left; px < spans[i].right; ++px) covered.insert({spans[i].y, px});
        }
        const int clipLeft = std::max(left, 0), clipTop = std::max(top, 0);
        const int clipRight = std::min(right, width), clipBottom = std::min(bottom, height);
        EXPECT_EQ(covered,
                  PixelByPixel(pixels, width, clipLeft, clipTop, clipRight, clipBottom, x, y, kBorder));
    }
}

}  // namespace
