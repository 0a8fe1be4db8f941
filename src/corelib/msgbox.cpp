#include "corelib/msgbox.h"

namespace {
MessageBoxFunction g_messageBox = nullptr;
}

int PelmoMessageBox(void* owner, const char* text, const char* caption, unsigned type) {
    MessageBoxFunction function = g_messageBox ? g_messageBox : PlatformMessageBox;
    return function(owner, text, caption, type);
}

MessageBoxFunction SetMessageBoxFunction(MessageBoxFunction function) {
    MessageBoxFunction previous = g_messageBox;
    g_messageBox = function;
    return previous;
}

int ShowNotice(void* owner, const Notice& notice) {
    if (notice.empty()) return kIdOk;
    return PelmoMessageBox(owner, notice.text.c_str(), notice.caption.c_str(), notice.type);
}
