// The main frame's toolbar: eight 40 x 40 pictures on 46 x 46 flat buttons,
// tool tips from the string table, shown or hidden as "Toolbar" says.
#ifndef PELMO_SHELL_TOOLBAR_H
#define PELMO_SHELL_TOOLBAR_H

#include <windows.h>

#include <string>

// Creates the toolbar (child IDW_TOOLBAR of frame), docked at the top.
HWND CreateMainToolbar(HINSTANCE instance, HWND frame);

// Hides the toolbar when "Toolbar" holds the number 0 (missing: shown) and
// sets the menu's check mark to match.
void ApplyStoredToolbarState(HWND frame, HWND toolbar);

// The menu's "ツールバー": shows the toolbar when "Toolbar" exists and is not
// 1, else hides it; stores the new state ("1" / "0") and the check mark.
void ToggleToolbar(HWND frame, HWND toolbar);

// The tool tip of command id: its string-table text after the line break,
// "" when there is none.
std::string ToolbarTipText(HINSTANCE instance, UINT id);

// Fills the tool tip request of a TTN_GETDISPINFOA notification.
void OnToolbarTip(HINSTANCE instance, NMHDR* header);

#endif
