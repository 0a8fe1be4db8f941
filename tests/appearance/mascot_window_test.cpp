// The exit dialog's mascot: the frames it flips through and when it repaints.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "appearance/mascot_window.h"
#include "shell/shell_classes.h"

namespace {

int g_paints = 0;
WNDPROC g_mascotProcedure = nullptr;

LRESULT CALLBACK CountPaints(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PAINT) ++g_paints;
    return CallWindowProcA(g_mascotProcedure, window, message, wParam, lParam);
}

std::string TextOf(HWND window) {
    char text[64] = {};
    GetWindowTextA(window, text, sizeof(text));
    return text;
}

void Tick(HWND mascot) { SendMessageA(mascot, WM_TIMER, kMascotTimer, 0); }

class MascotWindow : public ::testing::Test {
protected:
    void SetUp() override {
        HINSTANCE instance = GetModuleHandleA(nullptr);
        RegisterPelmoWindowClasses(instance);
        parent_ = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 300, 300, nullptr, nullptr,
                                  instance, nullptr);
    }
    void TearDown() override { DestroyWindow(parent_); }

    HWND Create(const char* text) {
        HWND mascot = CreateWindowExA(0, kMascotClass, text, WS_CHILD | WS_VISIBLE, 8, 8, 242, 244, parent_, nullptr,
                                      GetModuleHandleA(nullptr), nullptr);
        g_mascotProcedure = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrA(mascot, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(CountPaints)));
        UpdateWindow(mascot);
        g_paints = 0;
        return mascot;
    }
    HWND parent_ = nullptr;
};

TEST_F(MascotWindow, FirstTickShowsTheSecondFrameAndTheNextOneTheFirst) {
    HWND mascot = Create(kMascotFirstFrame);
    ASSERT_NE(mascot, nullptr);
    EXPECT_NE(GetWindowLongPtrA(mascot, 0), 0);  // the palette of the first picture
    Tick(mascot);
    EXPECT_EQ(TextOf(mascot), "IDB_END2");
    EXPECT_EQ(g_paints, 1);
    Tick(mascot);
    EXPECT_EQ(TextOf(mascot), "IDB_END1");
    EXPECT_EQ(g_paints, 2);
    Tick(mascot);
    EXPECT_EQ(TextOf(mascot), "IDB_END2");
    DestroyWindow(mascot);
}

TEST_F(MascotWindow, SettingTheSameTextAgainDoesNotRepaint) {
    HWND mascot = Create(kMascotFirstFrame);
    SetWindowTextA(mascot, "IDB_END1");
    EXPECT_EQ(g_paints, 0);
    SetWindowTextA(mascot, "");
    EXPECT_EQ(g_paints, 0);
    EXPECT_EQ(TextOf(mascot), "");
    SetWindowTextA(mascot, "IDB_END2");
    EXPECT_EQ(g_paints, 1);
    DestroyWindow(mascot);
}

TEST_F(MascotWindow, EmptyTextKeepsNoPaletteUntilTheFirstTickGivesItAPicture) {
    HWND mascot = Create("");
    EXPECT_EQ(GetWindowLongPtrA(mascot, 0), 0);
    // Without a picture the window is still validated: no endless paint requests.
    InvalidateRect(mascot, nullptr, TRUE);
    UpdateWindow(mascot);
    RECT pending;
    EXPECT_FALSE(GetUpdateRect(mascot, &pending, FALSE));
    Tick(mascot);
    EXPECT_EQ(TextOf(mascot), "IDB_END2");
    DestroyWindow(mascot);
}

TEST_F(MascotWindow, TimerFlipsTheFramesEveryHalfSecond) {
    HWND mascot = Create(kMascotFirstFrame);
    // A timer never fires early, but a busy machine may deliver it late, and
    // the loop below may see a flip late too: so the flips are measured from
    // the start, where each late sight only adds, never from each other.
    std::vector<DWORD> flips;
    std::string shown = TextOf(mascot);
    const DWORD start = GetTickCount();
    while (flips.size() < 2 && GetTickCount() - start < 10000) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
        if (TextOf(mascot) != shown) {
            shown = TextOf(mascot);
            flips.push_back(GetTickCount());
        }
        Sleep(10);
    }
    ASSERT_EQ(flips.size(), 2u) << "the frames flip by themselves";
    EXPECT_GE(flips[0] - start, 450u);
    EXPECT_GE(flips[1] - start, 900u);
    EXPECT_EQ(shown, kMascotFirstFrame);
    DestroyWindow(mascot);
}

}  // namespace
