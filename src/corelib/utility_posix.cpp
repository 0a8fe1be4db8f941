// Native stand-ins of the Win32 helpers of utility.h.
#include "corelib/utility.h"

#include "corelib/sjis.h"
#include "resources/texts.h"

namespace {
char g_text[1024];
}

const char* GetRS(void*, unsigned id) {
    SjisCopy(g_text, sizeof(g_text), PelmoText(id));
    return g_text;
}

void* GetTopParent(void* window) { return window; }
