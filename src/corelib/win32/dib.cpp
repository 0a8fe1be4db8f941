#include "corelib/win32/dib.h"

#include <vector>

namespace {

// A bitmap resource stays mapped for the life of its module: nothing to free.
const BITMAPINFO* FindDIB(HINSTANCE instance, const char* name) {
    if (!name || (!IS_INTRESOURCE(name) && !*name)) return nullptr;
    HRSRC resource = FindResourceA(instance, name, reinterpret_cast<LPCSTR>(RT_BITMAP));
    if (!resource) return nullptr;
    HGLOBAL loaded = LoadResource(instance, resource);
    if (!loaded) return nullptr;
    const auto* info = static_cast<const BITMAPINFO*>(LockResource(loaded));
    if (!info || SizeofResource(instance, resource) < sizeof(BITMAPINFOHEADER)) return nullptr;
    if (info->bmiHeader.biSize < sizeof(BITMAPINFOHEADER)) return nullptr;  // old OS/2 headers: not ours
    return info;
}

DWORD ColourCount(const BITMAPINFOHEADER& header) {
    if (header.biClrUsed) return header.biClrUsed;
    return header.biBitCount <= 8 ? (1u << header.biBitCount) : 0;
}

const void* PixelBits(const BITMAPINFO* info) {
    const BITMAPINFOHEADER& header = info->bmiHeader;
    DWORD masks = header.biCompression == BI_BITFIELDS ? 3 * sizeof(DWORD) : 0;
    return reinterpret_cast<const BYTE*>(info) + header.biSize + masks + ColourCount(header) * sizeof(RGBQUAD);
}

}  // namespace

bool DIBSize(HINSTANCE instance, const char* name, SIZE* size) {
    const BITMAPINFO* info = FindDIB(instance, name);
    if (!info) return false;
    size->cx = info->bmiHeader.biWidth;
    size->cy = info->bmiHeader.biHeight < 0 ? -info->bmiHeader.biHeight : info->bmiHeader.biHeight;
    return true;
}

HPALETTE SetDIBPalette(HINSTANCE instance, const char* name) {
    const BITMAPINFO* info = FindDIB(instance, name);
    if (!info) return nullptr;
    DWORD colours = ColourCount(info->bmiHeader);
    if (colours == 0 || colours > 256) {
        HDC screen = GetDC(nullptr);
        HPALETTE halftone = CreateHalftonePalette(screen);
        ReleaseDC(nullptr, screen);
        return halftone;
    }
    std::vector<BYTE> storage(sizeof(LOGPALETTE) + colours * sizeof(PALETTEENTRY));
    auto* palette = reinterpret_cast<LOGPALETTE*>(storage.data());
    palette->palVersion = 0x300;
    palette->palNumEntries = static_cast<WORD>(colours);
    for (DWORD i = 0; i < colours; ++i) {
        const RGBQUAD& quad = info->bmiColors[i];
        palette->palPalEntry[i] = {quad.rgbRed, quad.rgbGreen, quad.rgbBlue, 0};
    }
    return CreatePalette(palette);
}

BOOL PutDIB(HINSTANCE instance, HWND window, HDC dc, const char* name, int x, int y, int sourceX, int sourceY,
            int height, int width) {
    const BITMAPINFO* info = FindDIB(instance, name);
    if (!info) return FALSE;
    SIZE size = {};
    DIBSize(instance, name, &size);
    int sourceWidth = size.cx - sourceX;
    int sourceHeight = size.cy - sourceY;
    if (sourceWidth <= 0 || sourceHeight <= 0) return FALSE;
    if (width <= 0) width = sourceWidth;
    if (height <= 0) height = sourceHeight;

    HDC target = dc ? dc : GetDC(window);
    if (!target) return FALSE;
    bool stretched = width != sourceWidth || height != sourceHeight;
    int oldMode = SetStretchBltMode(target, stretched ? HALFTONE : COLORONCOLOR);
    POINT oldOrigin;
    SetBrushOrgEx(target, 0, 0, &oldOrigin);  // HALFTONE needs it after the mode is set
    // StretchDIBits counts source rows from the bottom of a bottom-up bitmap.
    int sourceBottom = info->bmiHeader.biHeight > 0 ? 0 : sourceY;
    int drawn = StretchDIBits(target, x, y, width, height, sourceX, sourceBottom, sourceWidth, sourceHeight,
                              PixelBits(info), info, DIB_RGB_COLORS, SRCCOPY);
    SetBrushOrgEx(target, oldOrigin.x, oldOrigin.y, nullptr);
    SetStretchBltMode(target, oldMode);
    if (!dc) ReleaseDC(window, target);
    return drawn > 0 ? TRUE : FALSE;
}
