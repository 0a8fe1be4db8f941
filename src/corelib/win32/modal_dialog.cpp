#include "corelib/win32/modal_dialog.h"

#include "corelib/win32/centre_on_owner.h"

namespace {
HWND g_calendar = nullptr;
int g_openDialogs = 0;
}  // namespace

INT_PTR CreateModalDialog(HINSTANCE instance, HWND owner, const char* name, DLGPROC procedure, LPARAM startValue) {
    ScopedCentring centred;
    return DialogBoxParamA(instance, name, owner, procedure, startValue);
}

void SetCalendarWindow(HWND calendar) {
    g_calendar = calendar;
    g_openDialogs = 0;
}

HWND CalendarWindow() { return g_calendar; }

// Dialogs can nest (the target dialog opens from the amend dialog): the
// calendar wakes only when the last of them closes.
void SetMonthlyCalendar(HWND, int flag) {
    if (flag == 0)
        ++g_openDialogs;
    else if (g_openDialogs > 0)
        --g_openDialogs;
    if (g_calendar && IsWindow(g_calendar)) EnableWindow(g_calendar, g_openDialogs == 0);
}

void EndModalDialog(HWND dialog, INT_PTR code) {
    SetMonthlyCalendar(dialog, 1);
    EndDialog(dialog, code);
}
