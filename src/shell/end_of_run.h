// The end of a run: the open user's diary is written when the exit is
// confirmed and when the Windows session ends, while every window still
// stands, so that a failure can be told and the program can run on with the
// days in memory. Only what is unsaved is written.
#ifndef PELMO_SHELL_END_OF_RUN_H
#define PELMO_SHELL_END_OF_RUN_H

#include <windows.h>

// After "終了": the diary, then the user to open at the next start. False
// when the diary could not be written (told): the program must not end.
bool PrepareExit(HWND frame);

// WM_QUERYENDSESSION: true when the session may end. A diary that could not
// be written is told, and the end of the session is refused.
bool AgreeToEndSession(HWND frame);

// WM_ENDSESSION when the session does end: the process may be ended without
// its windows being destroyed, so the last writes happen here, untold.
void EndSession();

#endif
