#include "corelib/win32/gdi_scope.h"

#include <algorithm>
#include <vector>

namespace {

bool IsSelected(HGDIOBJ previous) { return previous != nullptr && previous != HGDI_ERROR; }

}  // namespace

ScopedSelect::ScopedSelect(HDC dc, HGDIOBJ object, bool owned)
    : dc_(dc), object_(object), previous_(nullptr), owned_(owned) {
    if (dc_ == nullptr || object_ == nullptr) return;
    HGDIOBJ previous = SelectObject(dc_, object_);
    if (IsSelected(previous)) previous_ = previous;
}

ScopedSelect::~ScopedSelect() {
    // An object still selected into a context cannot be deleted: put the old one back first.
    if (previous_ != nullptr) SelectObject(dc_, previous_);
    if (owned_ && object_ != nullptr) DeleteObject(object_);
}

ScopedPalette::ScopedPalette(HDC dc, HPALETTE palette, bool background)
    : dc_(dc), previous_(nullptr), background_(background) {
    if (dc_ == nullptr || palette == nullptr) return;
    previous_ = SelectPalette(dc_, palette, background_ ? TRUE : FALSE);
    if (previous_ != nullptr) realized_ = RealizePalette(dc_);
}

ScopedPalette::~ScopedPalette() {
    if (previous_ != nullptr) SelectPalette(dc_, previous_, background_ ? TRUE : FALSE);
}

ScopedClip::ScopedClip(HDC dc, int left, int top, int right, int bottom) : dc_(dc), saved_(dc ? SaveDC(dc) : 0) {
    if (saved_ != 0) IntersectClipRect(dc_, left, top, right, bottom);
}

ScopedClip::~ScopedClip() {
    if (saved_ != 0) RestoreDC(dc_, saved_);
}

HBITMAP CreateTopDownDibSection(HDC dc, int width, int height, void** bits) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    *bits = nullptr;
    return CreateDIBSection(dc, &info, DIB_RGB_COLORS, bits, nullptr, 0);
}

namespace {

// The canvases drawn on now whose pixels can be read in place.
std::vector<const OffscreenCanvas*> g_canvases;

}  // namespace

const std::uint32_t* OffscreenCanvas::PixelsOf(HDC dc, int* width, int* height) {
    for (const OffscreenCanvas* canvas : g_canvases) {
        if (canvas->memoryDc_ != dc) continue;
        *width = canvas->width_;
        *height = canvas->height_;
        GdiFlush();
        return canvas->pixels_;
    }
    return nullptr;
}

OffscreenCanvas::OffscreenCanvas(HDC windowDc, HPALETTE palette, int width, int height, bool backgroundPalette)
    : windowDc_(windowDc), backgroundPalette_(backgroundPalette), width_(width), height_(height) {
    if (windowDc_ == nullptr || width <= 0 || height <= 0) return;
    if (GetDeviceCaps(windowDc_, RASTERCAPS) & RC_PALETTE) {
        BITMAPINFOHEADER header = {};
        header.biSize = sizeof header;
        header.biWidth = width;
        header.biHeight = height;
        header.biPlanes = 1;
        header.biBitCount = 24;
        header.biCompression = BI_RGB;
        // No initial bits: a device bitmap of palette indices, as the screen has.
        bitmap_ = CreateDIBitmap(windowDc_, &header, 0, nullptr, nullptr, DIB_RGB_COLORS);
    } else {
        // True colour: pixels the flood fill of the BMI chart reads in place.
        void* bits = nullptr;
        bitmap_ = CreateTopDownDibSection(windowDc_, width, height, &bits);
        pixels_ = static_cast<std::uint32_t*>(bits);
    }
    memoryDc_ = CreateCompatibleDC(windowDc_);
    if (bitmap_ == nullptr || memoryDc_ == nullptr) return;
    if (palette != nullptr) {
        previousPalette_ = SelectPalette(memoryDc_, palette, backgroundPalette_ ? TRUE : FALSE);
        RealizePalette(memoryDc_);
    }
    HGDIOBJ previous = SelectObject(memoryDc_, bitmap_);
    if (IsSelected(previous)) previousBitmap_ = previous;
    if (previousBitmap_ && pixels_) g_canvases.push_back(this);
}

OffscreenCanvas::~OffscreenCanvas() {
    g_canvases.erase(std::remove(g_canvases.begin(), g_canvases.end(), this), g_canvases.end());
    if (memoryDc_ != nullptr) {
        if (previousBitmap_ != nullptr) SelectObject(memoryDc_, previousBitmap_);
        if (previousPalette_ != nullptr) SelectPalette(memoryDc_, previousPalette_, backgroundPalette_ ? TRUE : FALSE);
        DeleteDC(memoryDc_);
    }
    if (bitmap_ != nullptr) DeleteObject(bitmap_);
}

bool OffscreenCanvas::CopyTo(int x, int y) const {
    if (!ok()) return false;
    return BitBlt(windowDc_, x, y, width_, height_, memoryDc_, 0, 0, SRCCOPY) != FALSE;
}
