#include "corelib/flood_fill.h"

#include <algorithm>

namespace {

// The byte above red, green and blue is no part of the colour.
constexpr std::uint32_t kColourBits = 0x00FFFFFF;

struct Fill {
    const std::uint32_t* pixels;
    int width;
    int left, top, right, bottom;
    std::uint32_t border;
    std::vector<std::uint8_t> taken;  // per pixel of the clip
    std::vector<PixelSpan> spans;
    std::vector<PixelSpan> pending;  // spans whose rows above and below are still to be looked at

    bool Open(int x, int y) const {
        return (pixels[static_cast<std::size_t>(y) * width + x] & kColourBits) != border &&
               !taken[static_cast<std::size_t>(y - top) * (right - left) + (x - left)];
    }
    // Takes the run through (x, y) as far as it goes either way.
    void TakeRun(int x, int y) {
        int from = x, to = x + 1;
        while (from > left && Open(from - 1, y)) --from;
        while (to < right && Open(to, y)) ++to;
        std::fill_n(taken.begin() + static_cast<std::ptrdiff_t>(y - top) * (right - left) + (from - left), to - from, 1);
        spans.push_back({y, from, to});
        pending.push_back({y, from, to});
    }
    // Every run of row y that touches [from, to).
    void Follow(int y, int from, int to) {
        if (y < top || y >= bottom) return;
        for (int x = from; x < to; ++x)
            if (Open(x, y)) TakeRun(x, y);
    }
};

}  // namespace

std::vector<PixelSpan> FloodSpans(const std::uint32_t* pixels, int width, int height, int clipLeft, int clipTop,
                                  int clipRight, int clipBottom, int x, int y, std::uint32_t border) {
    Fill fill{pixels, width, std::max(clipLeft, 0), std::max(clipTop, 0), std::min(clipRight, width),
              std::min(clipBottom, height), border & kColourBits, {}, {}, {}};
    if (x < fill.left || x >= fill.right || y < fill.top || y >= fill.bottom) return {};
    fill.taken.assign(static_cast<std::size_t>(fill.right - fill.left) * (fill.bottom - fill.top), 0);
    if (!fill.Open(x, y)) return {};
    fill.TakeRun(x, y);
    while (!fill.pending.empty()) {
        const PixelSpan run = fill.pending.back();
        fill.pending.pop_back();
        fill.Follow(run.y - 1, run.left, run.right);
        fill.Follow(run.y + 1, run.left, run.right);
    }
    std::sort(fill.spans.begin(), fill.spans.end(),
              [](const PixelSpan& a, const PixelSpan& b) { return a.y != b.y ? a.y < b.y : a.left < b.left; });
    return fill.spans;
}
