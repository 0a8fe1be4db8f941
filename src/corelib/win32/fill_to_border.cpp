#include "corelib/win32/fill_to_border.h"

#include <cstdint>
#include <vector>

#include "corelib/flood_fill.h"
#include "corelib/win32/gdi_scope.h"

namespace {

// The part of the context's bitmap the clip lets through, in device pixels;
// false when the fill cannot be worked out here (no bitmap, a clip that is
// not one rectangle, a mapping other than one logical unit per pixel).
bool ClipOfBitmap(HDC dc, RECT* clip) {
    auto* bitmap = static_cast<HBITMAP>(GetCurrentObject(dc, OBJ_BITMAP));
    BITMAP info = {};
    if (!bitmap || !GetObjectA(bitmap, sizeof info, &info) || info.bmWidth <= 0 || info.bmHeight <= 0) return false;
    POINT viewport = {}, window = {};
    if (GetMapMode(dc) != MM_TEXT || !GetViewportOrgEx(dc, &viewport) || !GetWindowOrgEx(dc, &window) ||
        viewport.x || viewport.y || window.x || window.y)
        return false;
    RECT whole = {0, 0, info.bmWidth, info.bmHeight};
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    if (!region) return false;
    const int clipped = GetClipRgn(dc, region);
    int kind = SIMPLEREGION;
    if (clipped == 1) kind = GetRgnBox(region, clip);
    DeleteObject(region);
    if (clipped < 0 || kind != SIMPLEREGION) return false;
    if (clipped == 0) *clip = whole;
    return IntersectRect(clip, clip, &whole) != FALSE;
}

// The clip's pixels as 0x00RRGGBB, row by row from the top.
bool CopyPixels(HDC dc, const RECT& clip, std::vector<std::uint32_t>* pixels) {
    const int width = clip.right - clip.left, height = clip.bottom - clip.top;
    void* bits = nullptr;
    HBITMAP copy = CreateTopDownDibSection(dc, width, height, &bits);
    HDC copyDc = CreateCompatibleDC(dc);
    bool done = false;
    if (copy && copyDc && bits) {
        HGDIOBJ previous = SelectObject(copyDc, copy);
        done = BitBlt(copyDc, 0, 0, width, height, dc, clip.left, clip.top, SRCCOPY) != FALSE;
        SelectObject(copyDc, previous);
        GdiFlush();
        if (done) {
            const auto* from = static_cast<const std::uint32_t*>(bits);
            pixels->assign(from, from + static_cast<std::size_t>(width) * height);
        }
    }
    if (copyDc) DeleteDC(copyDc);
    if (copy) DeleteObject(copy);
    return done;
}

}  // namespace

bool FillToBorder(HDC dc, int x, int y, COLORREF border) {
    RECT clip;
    if (!ClipOfBitmap(dc, &clip)) return ExtFloodFill(dc, x, y, border, FLOODFILLBORDER) != FALSE;
    const COLORREF shown = GetNearestColor(dc, border);
    const std::uint32_t borderPixel = (std::uint32_t{GetRValue(shown)} << 16) |
                                      (std::uint32_t{GetGValue(shown)} << 8) | GetBValue(shown);
    // The spans in the bitmap's coordinates: read in place, or on a copy of the clip.
    std::vector<PixelSpan> spans;
    std::vector<std::uint32_t> copy;
    int width = 0, height = 0;
    if (const std::uint32_t* pixels = OffscreenCanvas::PixelsOf(dc, &width, &height)) {
        spans = FloodSpans(pixels, width, height, clip.left, clip.top, clip.right, clip.bottom, x, y, borderPixel);
    } else if (CopyPixels(dc, clip, &copy)) {
        width = clip.right - clip.left;
        height = clip.bottom - clip.top;
        spans = FloodSpans(copy.data(), width, height, 0, 0, width, height, x - clip.left, y - clip.top, borderPixel);
        for (PixelSpan& span : spans) span = {span.y + clip.top, span.left + clip.left, span.right + clip.left};
    } else {
        return ExtFloodFill(dc, x, y, border, FLOODFILLBORDER) != FALSE;
    }
    // A span the same as the one in the row above (the last there, the first
    // in its own row) joins it in one rectangle.
    for (std::size_t i = 0; i < spans.size();) {
        std::size_t j = i + 1;
        while (j < spans.size() && spans[j].y == spans[j - 1].y + 1 && spans[j].left == spans[i].left &&
               spans[j].right == spans[i].right)
            ++j;
        PatBlt(dc, spans[i].left, spans[i].y, spans[i].right - spans[i].left, static_cast<int>(j - i), PATCOPY);
        i = j;
    }
    return !spans.empty();
}
