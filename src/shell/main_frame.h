// The main frame: the top-level window with menu 128 and the accelerators.
#ifndef PELMO_SHELL_MAIN_FRAME_H
#define PELMO_SHELL_MAIN_FRAME_H

#include <windows.h>

extern const char* const kMainFrameClass;  // "PelmoFrame"
extern const char* const kProductTitle;    // "ペルモ"

struct CMainFrame {
    // Registers the frame's class (once) and creates the frame, hidden.
    static HWND Create(HINSTANCE instance);
    static LRESULT CALLBACK Procedure(HWND frame, UINT message, WPARAM wParam, LPARAM lParam);
};

#endif
