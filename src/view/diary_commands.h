// The diary window's commands: users, days, targets and input items, and the
// close after a restore. Each keeps the title, the record table, the calendar,
// the selectors and the charts in step with the diary.
#ifndef PELMO_VIEW_DIARY_COMMANDS_H
#define PELMO_VIEW_DIARY_COMMANDS_H

#include <windows.h>

// Runs command id; 0 for an id that is not a diary command.
LRESULT RunDiaryCommand(HWND window, UINT id);

// Writes the open user's diary; a failure is told. False when nothing was written.
bool SaveOpenUser(HWND window);
// Opens the user of users-table row `row` and the windows follow; what the
// load has to tell (a failure, a damaged file) is told first. False when the
// open user stayed as it was.
bool OpenUserOfRow(HWND window, int row);
// The open user's diary saved, the user of row `row` opened as "ユーザーを開く"
// opens one: the selectors, the month and year lists and the charts follow.
// False when the diary could not be saved or the user not opened.
bool SwitchToUserOfRow(HWND window, int row);

// Shown for a command that needs an open user when none is.
extern const char kNoUserText[];  // "ユーザーを開くか、新規作成してください。"

#endif
