#include "corelib/msgbox.h"

// Without a screen nobody can answer: the first button stands.
int PlatformMessageBox(void*, const char*, const char*, unsigned type) {
    return (type & 0xF) == kMbYesNo ? kIdYes : kIdOk;
}
