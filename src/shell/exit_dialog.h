// "ペルモの終了": the exit confirmation with the mascot.
#ifndef PELMO_SHELL_EXIT_DIALOG_H
#define PELMO_SHELL_EXIT_DIALOG_H

#include <windows.h>

constexpr INT_PTR kExitConfirmed = 6;  // "終了"
constexpr INT_PTR kExitCancelled = 7;  // "キャンセル", Esc or the close box

// Runs "IDD_PLEND" owned by frame; kExitConfirmed or kExitCancelled.
INT_PTR RunExitDialog(HINSTANCE instance, HWND frame);

#endif
