#include "shell/shell_classes.h"

#include "appearance/mascot_window.h"
#include "corelib/win32/window_classes.h"
#include "view/diary_window.h"

namespace {

WNDCLASSA ClassOf(HINSTANCE instance, const char* name, WNDPROC procedure, int brush) {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconA(nullptr, MAKEINTRESOURCEA(32512));    // IDI_APPLICATION
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(brush));
    windowClass.lpszClassName = name;
    return windowClass;
}

}  // namespace

bool RegisterPelmoWindowClasses(HINSTANCE instance) {
    WNDCLASSA diary = ClassOf(instance, kDiaryWindowClass, DiaryWindowProcedure, LTGRAY_BRUSH);
    if (!RegisterClassOnce(diary)) return false;

    RegisterWindowsStandardClass(instance);

    WNDCLASSA mascot = ClassOf(instance, kMascotClass, MascotWindowProcedure, WHITE_BRUSH);
    mascot.style = CS_HREDRAW | CS_VREDRAW | CS_GLOBALCLASS;
    mascot.cbWndExtra = kMascotWindowBytes;
    RegisterClassOnce(mascot);
    return true;
}
