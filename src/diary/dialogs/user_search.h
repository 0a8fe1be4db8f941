// The dialogs that find users by name, to open one ("IDD_SEARCHDIALOG") or
// delete some ("IDD_DELETEDIALOG"): a keyword, the search button, the list of
// names with each line's users-table row as its item data, the action button
// ("開く" or "削除", enabled with the view button when a search finds users),
// the view button, cancel and help. One procedure serves both; what differs
// is in UserSearchDialog.
#ifndef PELMO_DIARY_DIALOGS_USER_SEARCH_H
#define PELMO_DIARY_DIALOGS_USER_SEARCH_H

#include <windows.h>

#include <string>

struct UserSearchDialog {
    const char* templateName;
    int listId;                 // the list of names
    int actionId;               // "開く" or "削除"
    const char* helpTopic;
    bool pausesCalendar;        // the open dialog pauses the calendar while it is open, the delete dialog does not
    void (*act)(HWND dialog);   // the action button and a double-click in the list
    void (*view)(HWND dialog);  // "内容表示"
};

// Runs the dialog; the search areas are allocated as it opens (and a search
// with the empty keyword lists every user) and freed on every way out.
INT_PTR RunUserSearchDialog(HWND window, const UserSearchDialog& kind);
// Ends the dialog with code after freeing the search areas; closeIme: the
// keyword field's IME is closed too.
void EndUserSearchDialog(HWND dialog, INT_PTR code, bool closeIme);

// The users-table row of list line `line`.
int RowOfLine(HWND dialog, int line);
// The row of the selected line of a single-selection list, or -1.
int SelectedRow(HWND dialog);
// The text of list line `line`, trimmed.
std::string LineName(HWND dialog, int line);
// The list of names.
HWND NameList(HWND dialog);

#endif
