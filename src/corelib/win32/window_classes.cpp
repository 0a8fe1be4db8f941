#include "corelib/win32/window_classes.h"

#include "corelib/win32/calendar.h"
#include "corelib/win32/fields.h"
#include "corelib/win32/takku.h"

bool RegisterClassOnce(WNDCLASSA windowClass) {
    if (!windowClass.hCursor) windowClass.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));  // IDC_ARROW
    return RegisterClassA(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

// Each family of classes registers itself; a class that is already registered counts as success.
BOOL RegisterWindowsStandardClass(HINSTANCE instance) {
    bool ok = true;
    ok = RegisterTakkuClass(instance) && ok;
    ok = RegisterFieldClasses(instance) && ok;
    ok = RegisterCalendarClass(instance) && ok;
    return ok ? TRUE : FALSE;
}
