#include <windows.h>

#include "corelib/msgbox.h"

int PlatformMessageBox(void* owner, const char* text, const char* caption, unsigned type) {
    return MessageBoxA(static_cast<HWND>(owner), text, caption, type);
}
