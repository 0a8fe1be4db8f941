// Scoped GDI selections for every painter of the program: an object selected
// into a device context is deselected (the context's previous object put
// back) and, when the painter created it, deleted on every path out of the scope.
#ifndef PELMO_CORELIB_WIN32_GDI_SCOPE_H
#define PELMO_CORELIB_WIN32_GDI_SCOPE_H

#include <windows.h>

#include <cstdint>

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
    HBRUSH brush() const { return static_cast<HBRUSH>(object()); }
};
// A font the painter created, selected for one scope and then deleted.
struct ScopedFont : ScopedSelect {
    ScopedFont(HDC dc, HFONT font) : ScopedSelect(dc, font, true) {}
    HFONT font() const { return static_cast<HFONT>(object()); }
};

// Selects and realises a palette for one scope (as a background palette when
// asked); the palette itself belongs to the caller and is not deleted.
class ScopedPalette {
public:
    ScopedPalette(HDC dc, HPALETTE palette, bool background = false);
    ~ScopedPalette();
    ScopedPalette(const ScopedPalette&) = delete;
    ScopedPalette& operator=(const ScopedPalette&) = delete;

    bool ok() const { return previous_ != nullptr; }
    // What realising the palette mapped anew (RealizePalette's result).
    UINT realized() const { return realized_; }

private:
    HDC dc_;
    HPALETTE previous_;
    bool background_;
    UINT realized_ = 0;
};

// A GDI object the painter created and does not keep selected (a palette it
// selects through ScopedPalette, a brush it fills with): deleted with the scope.
class ScopedGdiObject {
public:
    explicit ScopedGdiObject(HGDIOBJ object) : object_(object) {}
    ~ScopedGdiObject() {
        if (object_ != nullptr) DeleteObject(object_);
    }
    ScopedGdiObject(const ScopedGdiObject&) = delete;
    ScopedGdiObject& operator=(const ScopedGdiObject&) = delete;

private:
    HGDIOBJ object_;
};

// Drawing limited to a rectangle for one scope; the context's clipping is
// put back as it was.
class ScopedClip {
public:
    ScopedClip(HDC dc, int left, int top, int right, int bottom);
    ~ScopedClip();
    ScopedClip(const ScopedClip&) = delete;
    ScopedClip& operator=(const ScopedClip&) = delete;

private:
    HDC dc_;
    int saved_;
};

// A 32-bit DIB section, rows from the top down, each pixel 0x00RRGGBB at *bits.
HBITMAP CreateTopDownDibSection(HDC dc, int width, int height, void** bits);

// Off-screen drawing (the charts, the calendar): a bitmap in the window's
// colours (a device bitmap on a palette screen, else a top-down 32-bit DIB section), in a memory context with the palette selected and
// realised (as a background palette when asked). Draw on dc(), then CopyTo()
// the window. The memory context and the bitmap are released when the canvas goes.
class OffscreenCanvas {
public:
    OffscreenCanvas(HDC windowDc, HPALETTE palette, int width, int height, bool backgroundPalette = false);
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
    // The pixels of the canvas whose memory context dc is, as 0x00RRGGBB from
    // the top row down, for reading in place; null for any other context and
    // on a palette screen.
    static const std::uint32_t* PixelsOf(HDC dc, int* width, int* height);

private:
    HDC windowDc_;
    HDC memoryDc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    std::uint32_t* pixels_ = nullptr;  // of a DIB section
    HPALETTE previousPalette_ = nullptr;
    bool backgroundPalette_;
    HGDIOBJ previousBitmap_ = nullptr;
    int width_;
    int height_;
};

#endif
