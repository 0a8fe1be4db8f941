// The input method editor of a window: on for text fields, off for number fields.
#ifndef PELMO_CORELIB_WIN32_IME_H
#define PELMO_CORELIB_WIN32_IME_H

#include <windows.h>

// The conversion-mode bits the program combines: keep the current code-input
// bit and ask for roman full-width hiragana, (GetImeMode(w) & kImeKeepMask) | kImeTextMode.
constexpr DWORD kImeKeepMask = 0x20;
constexpr DWORD kImeTextMode = 0x14;

// Non-zero on success; a window without an input context (no IME installed) counts as success.
BOOL OpenIme(HWND window);
BOOL CloseIme(HWND window);
// The conversion mode of the window's input context (0 without one).
DWORD GetImeMode(HWND window);
BOOL SetImeMode(HWND window, DWORD mode);

// Opens the IME of a text field and sets the mode the program uses for text.
void OpenImeForText(HWND field);

#endif
