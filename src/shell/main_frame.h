// The main frame: menu 128, the toolbar, the view, the minimum size and the
// exit confirmation. CMainFrame builds on CPersistentFrame's placement.
#ifndef PELMO_SHELL_MAIN_FRAME_H
#define PELMO_SHELL_MAIN_FRAME_H

#include <windows.h>

#include "shell/persistent_frame.h"

extern const char* const kMainFrameClass;  // "PelmoFrame"

struct CMainFrame : CPersistentFrame {
    // Registers the frame's class (once) and creates the frame, hidden; its
    // creation creates the view (and with it the whole window tree), then the
    // toolbar. Null when the view could not be created.
    static HWND Create(HINSTANCE instance);
    static LRESULT CALLBACK Procedure(HWND frame, UINT message, WPARAM wParam, LPARAM lParam);

    static HWND Toolbar(HWND frame);
    static HWND View(HWND frame);
};

#endif
