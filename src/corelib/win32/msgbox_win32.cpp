#include <windows.h>

#include "corelib/msgbox.h"
#include "corelib/win32/centre_on_owner.h"

int PlatformMessageBox(void* owner, const char* text, const char* caption, unsigned type) {
    ScopedCentring centred;
    return MessageBoxA(static_cast<HWND>(owner), text, caption, type);
}
