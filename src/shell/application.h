// The application: start-up, the message loop, the About command.
#ifndef PELMO_SHELL_APPLICATION_H
#define PELMO_SHELL_APPLICATION_H

#include <windows.h>

struct CPelmoApp {
    // The frame's commands that neither the frame nor the view handle:
    // "ペルモについて" and "ペルモの終了". False for any other id.
    static bool OnCommand(HWND frame, UINT id);
};

// Makes the classes that exist from the program's start (BmpDraw) and the
// common controls available. The first thing a run does.
void InitializePelmoProcess(HINSTANCE instance);

// Runs the program until its main frame is gone; returns the exit code.
int RunPelmoApplication(HINSTANCE instance, int showCommand);

// Pumps messages until WM_QUIT, passing keys through the frame's accelerators.
int RunMessageLoop(HWND frame, HACCEL accelerators);

#endif
