#include "corelib/win32/ime.h"

#include <imm.h>

namespace {

// Every Imm call needs a context that must be released on every path.
template <typename Action>
BOOL WithContext(HWND window, Action action) {
    HIMC context = ImmGetContext(window);
    if (!context) return TRUE;
    BOOL ok = action(context);
    ImmReleaseContext(window, context);
    return ok;
}

}  // namespace

BOOL OpenIme(HWND window) {
    return WithContext(window, [](HIMC context) { return ImmSetOpenStatus(context, TRUE); });
}

BOOL CloseIme(HWND window) {
    return WithContext(window, [](HIMC context) { return ImmSetOpenStatus(context, FALSE); });
}

DWORD GetImeMode(HWND window) {
    DWORD conversion = 0;
    WithContext(window, [&conversion](HIMC context) {
        DWORD sentence = 0;
        return ImmGetConversionStatus(context, &conversion, &sentence);
    });
    return conversion;
}

BOOL SetImeMode(HWND window, DWORD mode) {
    return WithContext(window, [mode](HIMC context) {
        DWORD conversion = 0, sentence = 0;
        ImmGetConversionStatus(context, &conversion, &sentence);
        return ImmSetConversionStatus(context, mode, sentence);
    });
}

void OpenImeForText(HWND field) {
    OpenIme(field);
    SetImeMode(field, (GetImeMode(field) & kImeKeepMask) | kImeTextMode);
}
