// The frame's placement across runs: stored on every close request and at the
// end of the Windows session, restored when the frame is first shown; and the
// smallest size the frame may take.
#ifndef PELMO_SHELL_PERSISTENT_FRAME_H
#define PELMO_SHELL_PERSISTENT_FRAME_H

#include <windows.h>

struct CPersistentFrame {
    // The placement the stored values describe (missing ones: normal rectangle
    // 800 x 600 at (0, 0), maximized).
    static WINDOWPLACEMENT StoredPlacement();
    // Where a frame of this style stands once shown with the placement: its
    // normal rectangle, or the maximized one on the monitor of that rectangle.
    static RECT ShownRect(const WINDOWPLACEMENT& placement, DWORD style);
    // The style a frame is created with to be shown with the placement.
    static DWORD ShownStyle(const WINDOWPLACEMENT& placement, DWORD style);
    // Shows the frame for the first time: the stored placement and its show
    // state take the place of the show command the program was started with.
    static void ActivateFrame(HWND frame);
    // Stores the frame's placement: Zoom, Icon, PosX, PosY, Width, Height.
    static void StorePlacement(HWND frame);
};

constexpr int kMinimumFrameHeight = 480;
// The minimum tracking width for a record table of tableWidth pixels: 800, or
// wide enough for the table and the calendar beside it.
int MinimumFrameWidth(int tableWidth);

#endif
