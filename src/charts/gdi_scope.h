// Scoped GDI selections for the chart painters: every object selected into a
// device context is deselected (the context's previous object put back) and,
// when the painter created it, deleted on every path out of the scope.
#ifndef PELMO_CHARTS_GDI_SCOPE_H
#define PELMO_CHARTS_GDI_SCOPE_H

#include <windows.h>

// Selects a pen, brush, font or bitmap for one scope.
class ScopedSelect {
public:
    // owned: the object is deleted once it is deselected (also when the selection failed).
    ScopedSelect(HDC dc, HGDIOBJ object, bool owned);
    ~ScopedSelect();
    ScopedSelect(const ScopedSelect&) = delete;
    ScopedSelect& operator=(const ScopedSelect&) = delete;

    bool ok() const { return previous_ != nullptr; }
    HGDIOBJ object() const { return object_; }

private:
    HDC dc_;
    HGDIOBJ object_;
    HGDIOBJ previous_;
    bool owned_;
};

// A one-use solid pen or brush, selected for one scope and then deleted.
struct ScopedPen : ScopedSelect {
    ScopedPen(HDC dc, int style, int width, COLORREF color) : ScopedSelect(dc, CreatePen(style, width, color), true) {}
};
struct ScopedBrush : ScopedSelect {
    ScopedBrush(HDC dc, COLORREF color) : ScopedSelect(dc, CreateSolidBrush(color), true) {}
};

// Selects and realises a palette (foreground) for one scope; the palette itself
// belongs to the caller and is not deleted.
class ScopedPalette {
public:
    ScopedPalette(HDC dc, HPALETTE palette);
    ~ScopedPalette();
    ScopedPalette(const ScopedPalette&) = delete;
    ScopedPalette& operator=(const ScopedPalette&) = delete;

    bool ok() const { return previous_ != nullptr; }

private:
    HDC dc_;
    HPALETTE previous_;
};

// The off-screen drawing of the BMI chart and the graph: a 24-bit bitmap
// compatible with the window's device context, in a memory context with the
// chart palette selected and realised. Draw on dc(), then CopyTo() the window.
// The memory context and the bitmap are released when the canvas goes.
class OffscreenCanvas {
public:
    OffscreenCanvas(HDC windowDc, HPALETTE palette, int width, int height);
    ~OffscreenCanvas();
    OffscreenCanvas(const OffscreenCanvas&) = delete;
    OffscreenCanvas& operator=(const OffscreenCanvas&) = delete;

    bool ok() const { return previousBitmap_ != nullptr; }
    HDC dc() const { return memoryDc_; }
    HBITMAP bitmap() const { return bitmap_; }
    int width() const { return width_; }
    int height() const { return height_; }
    // A plain source copy of the whole canvas to (x, y) of the window's context.
    bool CopyTo(int x, int y) const;

private:
    HDC windowDc_;
    HDC memoryDc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HPALETTE previousPalette_ = nullptr;
    HGDIOBJ previousBitmap_ = nullptr;
    int width_;
    int height_;
};

#endif
