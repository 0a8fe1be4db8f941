// The view: fills the frame below the toolbar, builds the window tree of the
// diary at start-up, passes the diary commands on and remembers the open user.
#ifndef PELMO_SHELL_PELMO_VIEW_H
#define PELMO_SHELL_PELMO_VIEW_H

#include <windows.h>

extern const char* const kViewClass;  // "PelmoView"

// The container is this much taller than the view's client area; its bottom
// strip lies outside the view.
constexpr int kContainerOverhang = 27;

struct CPelmoView {
    // Creates the view as child IDW_VIEW of frame; its creation builds the
    // splash, the window classes, the container, the diary window and the
    // calendar, and restores the last user. Null when the view failed.
    static HWND Create(HINSTANCE instance, HWND frame);
    static LRESULT CALLBACK Procedure(HWND view, UINT message, WPARAM wParam, LPARAM lParam);
    // Runs command id if it is one of the view's; false when it is not.
    static bool OnCommand(HWND view, UINT id);

    // The view keeps these two handles of its own (null before creation).
    static HWND Container();
    static HWND DiaryWindow();
};

#endif
