// A memory context that draws into a 32-bit bitmap which GetPixel reads back exactly.
#ifndef PELMO_TESTS_SUPPORT_DIB_CONTEXT_H
#define PELMO_TESTS_SUPPORT_DIB_CONTEXT_H

#include <windows.h>

#include <cstddef>

#include "corelib/win32/gdi_scope.h"

class DibContext {
public:
    DibContext(int width, int height) {
        void* bits = nullptr;
        dc_ = CreateCompatibleDC(nullptr);
        bitmap_ = CreateTopDownDibSection(dc_, width, height, &bits);
        bits_ = static_cast<const BYTE*>(bits);
        stride_ = width * 4;
        previous_ = SelectObject(dc_, bitmap_);
        RECT all = {0, 0, width, height};
        HBRUSH background = CreateSolidBrush(kBackground);
        FillRect(dc_, &all, background);
        DeleteObject(background);
    }
    ~DibContext() {
        SelectObject(dc_, previous_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }
    HDC dc() const { return dc_; }
    // What GetPixel answers, read from the bits: for reading many pixels
    // (GetPixel is a call into Wine's GDI each). After a GdiFlush.
    COLORREF Pixel(int x, int y) const {
        const BYTE* pixel = bits_ + static_cast<std::size_t>(y) * stride_ + x * 4;
        return RGB(pixel[2], pixel[1], pixel[0]);
    }
    static constexpr COLORREF kBackground = RGB(1, 2, 3);

private:
    HDC dc_;
    HBITMAP bitmap_;
    HGDIOBJ previous_;
    const BYTE* bits_ = nullptr;
    int stride_ = 0;  // bytes a row
};

#endif
