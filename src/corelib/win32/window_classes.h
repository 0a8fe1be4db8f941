// The utility library's window classes.
#ifndef PELMO_CORELIB_WIN32_WINDOW_CLASSES_H
#define PELMO_CORELIB_WIN32_WINDOW_CLASSES_H

#include <windows.h>

// Registers TAKKU, PLCalendar, NumEdit, StrEdit, TimeEdit and ComboBox2.
BOOL RegisterWindowsStandardClass(HINSTANCE instance);

// Registers a window class; one that is already registered counts as success.
// A class without a cursor gets the arrow.
bool RegisterClassOnce(WNDCLASSA windowClass);

#endif
