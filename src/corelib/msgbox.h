// Message boxes through one replaceable function, so that tests can answer
// the questions the program asks and read the texts it shows.
#ifndef PELMO_CORELIB_MSGBOX_H
#define PELMO_CORELIB_MSGBOX_H

#include "corelib/notice.h"

// owner is a window handle (HWND) or null.
using MessageBoxFunction = int (*)(void* owner, const char* text, const char* caption, unsigned type);

int PelmoMessageBox(void* owner, const char* text, const char* caption, unsigned type);

// Shows the notice (nothing for an empty one, which answers kIdOk) and returns the answer.
int ShowNotice(void* owner, const Notice& notice);

// Replaces the function; null restores the platform's own message box.
// Returns the function that was in place.
MessageBoxFunction SetMessageBoxFunction(MessageBoxFunction function);

// The platform's message box (MessageBoxA on Windows; answers OK elsewhere).
int PlatformMessageBox(void* owner, const char* text, const char* caption, unsigned type);

#endif
