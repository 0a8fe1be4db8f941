// A flood fill up to a border colour over a block of pixels, as GDI's
// ExtFloodFill with FLOODFILLBORDER fills: from the seed, every pixel inside
// the clip that is not of the border colour and is joined to the seed across
// a side (not only a corner).
#ifndef PELMO_CORELIB_FLOOD_FILL_H
#define PELMO_CORELIB_FLOOD_FILL_H

#include <cstdint>
#include <vector>

// Pixels [left, right) of row y.
struct PixelSpan {
    int y;
    int left;
    int right;
};

// pixels: width x height as 0x00RRGGBB (the top byte is not looked at), row
// by row from the top. clip: [left, right) x
// [top, bottom), within the block. The spans come row by row from the top,
// left to right; none when the seed is outside the clip or of the border colour.
std::vector<PixelSpan> FloodSpans(const std::uint32_t* pixels, int width, int height, int clipLeft, int clipTop,
                                  int clipRight, int clipBottom, int x, int y, std::uint32_t border);

#endif
