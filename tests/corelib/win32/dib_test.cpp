// Bitmap resources drawn with their own palette; the BmpDraw window.
#include <gtest/gtest.h>
#include <windows.h>

#include "corelib/win32/bmp_draw.h"
#include "corelib/win32/dib.h"

namespace {

HINSTANCE Instance() { return GetModuleHandleA(nullptr); }

TEST(Dib, PaletteOfAnEightBitPictureIsItsColourTable) {
    HPALETTE palette = SetDIBPalette(Instance(), "IDB_END1");
    ASSERT_NE(palette, nullptr);
    EXPECT_EQ(GetPaletteEntries(palette, 0, 0, nullptr), 256u);
    DeleteObject(palette);
    EXPECT_EQ(SetDIBPalette(Instance(), "IDB_NOTHING"), nullptr);
    EXPECT_EQ(SetDIBPalette(Instance(), ""), nullptr);
}

TEST(Dib, SizesOfThePictures) {
    SIZE size = {};
    ASSERT_TRUE(DIBSize(Instance(), "IDB_OPNING", &size));
    EXPECT_EQ(size.cx, 450);
    EXPECT_EQ(size.cy, 450);
    ASSERT_TRUE(DIBSize(Instance(), "IDB_END2", &size));
    EXPECT_EQ(size.cx, 242);
    EXPECT_EQ(size.cy, 244);
    ASSERT_TRUE(DIBSize(Instance(), MAKEINTRESOURCEA(128), &size));
    EXPECT_EQ(size.cx, 320);
    EXPECT_EQ(size.cy, 40);
}

// Drawn into a memory bitmap, stretched to half size: the picture arrives, the
// rest of the bitmap stays as it was.
TEST(Dib, PutDIBDrawsThePictureStretchedIntoTheGivenRectangle) {
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP target = CreateCompatibleBitmap(screen, 300, 300);
    HGDIOBJ old = SelectObject(memory, target);
    RECT all = {0, 0, 300, 300};
    HBRUSH black = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    FillRect(memory, &all, black);
    EXPECT_TRUE(PutDIB(Instance(), nullptr, memory, "IDB_OPNING", 10, 10, 0, 0, 225, 225));
    EXPECT_NE(GetPixel(memory, 20, 20), RGB(0, 0, 0));
    EXPECT_NE(GetPixel(memory, 230, 230), RGB(0, 0, 0));
    EXPECT_EQ(GetPixel(memory, 240, 240), RGB(0, 0, 0));
    EXPECT_FALSE(PutDIB(Instance(), nullptr, memory, "IDB_NOTHING", 0, 0, 0, 0, 10, 10));
    SelectObject(memory, old);
    DeleteObject(target);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
}

TEST(BmpDraw, ClassExistsOnceRegisteredAndShowsItsText) {
    ASSERT_TRUE(RegisterBmpDrawClass(Instance()));
    EXPECT_TRUE(RegisterBmpDrawClass(Instance()));  // a second registration is harmless
    HWND picture = CreateWindowExA(0, kBmpDrawClass, "IDB_ABOUT", WS_POPUP | WS_VISIBLE, 0, 0, 96, 96, nullptr,
                                   nullptr, Instance(), nullptr);
    ASSERT_NE(picture, nullptr);
    UpdateWindow(picture);
    RECT pending;
    EXPECT_FALSE(GetUpdateRect(picture, &pending, FALSE));
    DestroyWindow(picture);
}

}  // namespace
