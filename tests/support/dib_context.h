// A memory context that draws into a 24-bit bitmap which GetPixel reads back exactly.
#ifndef PELMO_TESTS_SUPPORT_DIB_CONTEXT_H
#define PELMO_TESTS_SUPPORT_DIB_CONTEXT_H

#include <windows.h>

class DibContext {
public:
    DibContext(int width, int height) {
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 24;
        info.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        dc_ = CreateCompatibleDC(nullptr);
        bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
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
    static constexpr COLORREF kBackground = RGB(1, 2, 3);

private:
    HDC dc_;
    HBITMAP bitmap_;
    HGDIOBJ previous_;
};

#endif
