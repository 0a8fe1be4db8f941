// Dialogs and message boxes open centred on the window that owns them (the
// main window, or the dialog they open from), not on the desktop; kept on the
// owner's screen.
#ifndef PELMO_CORELIB_WIN32_CENTRE_ON_OWNER_H
#define PELMO_CORELIB_WIN32_CENTRE_ON_OWNER_H

#include <windows.h>

// Moves window so that its centre is its owner's, inside the work area of the
// owner's screen. A window without a shown owner stays where it is.
void CentreOnOwner(HWND window);

// While one lives, every dialog box (message boxes too) that this thread
// creates is centred on its owner as it is created and again as it is first
// shown, after it has laid itself out.
class ScopedCentring {
public:
    ScopedCentring();
    ~ScopedCentring();
    ScopedCentring(const ScopedCentring&) = delete;
    ScopedCentring& operator=(const ScopedCentring&) = delete;
};

#endif
