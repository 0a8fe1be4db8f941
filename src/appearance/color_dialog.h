// "IDD_SET_COLOR": the person picks one of the twenty colour schemes of the
// diary window with a scroll bar, sees it in a preview picture and stores it
// in "SYSCOLOR". The diary window builds its palette at creation, so the new
// scheme shows from the next start on.
#ifndef PELMO_APPEARANCE_COLOR_DIALOG_H
#define PELMO_APPEARANCE_COLOR_DIALOG_H

#include <windows.h>

#include <string>

// The preview bitmap of scheme s: "IDB_COLOR<s + 1>".
std::string ColorPreviewName(int scheme);

// Runs the dialog owned by owner; 1 when a scheme was stored, 0 when cancelled.
INT_PTR ColorSchemeDialog(HINSTANCE instance, HWND owner);

#endif
