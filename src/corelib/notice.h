// What an operation has to tell the person: the text, caption and kind of the
// message box that the window which ran it shows. The portable core returns
// notices and never shows them; the windows show them with ShowNotice
// (corelib/msgbox.h).
#ifndef PELMO_CORELIB_NOTICE_H
#define PELMO_CORELIB_NOTICE_H

#include <string>

// The values of the Win32 message-box flags and answers, usable without windows.h.
enum : unsigned {
    kMbOk = 0x0,
    kMbOkCancel = 0x1,
    kMbYesNo = 0x4,
    kMbIconQuestion = 0x20,
    kMbIconInformation = 0x40,
    kMbIconExclamation = 0x30,
    kMbDefButton2 = 0x100,
};
enum : int { kIdOk = 1, kIdCancel = 2, kIdYes = 6, kIdNo = 7 };

struct Notice {
    std::string text;  // empty: nothing to tell
    std::string caption;
    unsigned type = kMbOk;

    bool empty() const { return text.empty(); }
};

#endif
