#include <windows.h>

#include "corelib/utility.h"

namespace {
// LoadStringA stops at the buffer's end; the string table's texts are far shorter.
char g_text[1024];
}

const char* GetRS(void* instance, unsigned id) {
    HINSTANCE module = instance ? static_cast<HINSTANCE>(instance) : GetModuleHandleA(nullptr);
    if (LoadStringA(module, id, g_text, sizeof(g_text)) <= 0) g_text[0] = '\0';
    return g_text;
}

void* GetTopParent(void* window) {
    HWND top = static_cast<HWND>(window);
    if (top == nullptr) return nullptr;
    // GetAncestor(GA_ROOT) walks parents only, never owners: a dialog's owner
    // is not its top-level parent.
    HWND root = GetAncestor(top, GA_ROOT);
    return root ? root : top;
}
