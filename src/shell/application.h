// The application: start-up, the message loop and the end of the run.
#ifndef PELMO_SHELL_APPLICATION_H
#define PELMO_SHELL_APPLICATION_H

#include <windows.h>

// Runs the program until its main frame is gone; returns the exit code.
int RunPelmoApplication(HINSTANCE instance, int showCommand);

// Pumps messages until WM_QUIT, passing keys through the frame's accelerators.
int RunMessageLoop(HWND frame, HACCEL accelerators);

#endif
