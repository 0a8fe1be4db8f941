// Modal dialogs and the calendar's pause while one is open.
#ifndef PELMO_CORELIB_WIN32_MODAL_DIALOG_H
#define PELMO_CORELIB_WIN32_MODAL_DIALOG_H

#include <windows.h>

// Runs the dialog template `name` owned by `owner`; `startValue` reaches the
// procedure as the lParam of WM_INITDIALOG. Returns the end code (-1 when the
// template cannot be created).
INT_PTR CreateModalDialog(HINSTANCE instance, HWND owner, const char* name, DLGPROC procedure, LPARAM startValue);

// The calendar of the diary window, which takes no input while a modal dialog
// is open. Null while there is none.
void SetCalendarWindow(HWND calendar);
HWND CalendarWindow();

// Dialogs call this with 0 as they open and with 1 before they close.
void SetMonthlyCalendar(HWND dialog, int flag);

// Ends a modal dialog that paused the calendar: wakes it, then ends with code.
void EndModalDialog(HWND dialog, INT_PTR code);

#endif
