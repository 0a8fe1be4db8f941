// Message boxes through one replaceable function, so that tests can answer
// the questions the program asks and read the texts it shows.
#ifndef PELMO_CORELIB_MSGBOX_H
#define PELMO_CORELIB_MSGBOX_H

// The values of the Win32 message-box flags and answers, usable without windows.h.
enum : unsigned {
    kMbOk = 0x0,
    kMbOkCancel = 0x1,
    kMbYesNo = 0x4,
    kMbIconQuestion = 0x20,
    kMbIconInformation = 0x40,
    kMbIconExclamation = 0x30,
    kMbDefButton2 = 0x100,
};
enum : int { kIdOk = 1, kIdCancel = 2, kIdYes = 6, kIdNo = 7 };

// owner is a window handle (HWND) or null.
using MessageBoxFunction = int (*)(void* owner, const char* text, const char* caption, unsigned type);

int PelmoMessageBox(void* owner, const char* text, const char* caption, unsigned type);

// Replaces the function; null restores the platform's own message box.
// Returns the function that was in place.
MessageBoxFunction SetMessageBoxFunction(MessageBoxFunction function);

// The platform's message box (MessageBoxA on Windows; answers OK elsewhere).
int PlatformMessageBox(void* owner, const char* text, const char* caption, unsigned type);

#endif
