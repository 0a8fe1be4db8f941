// The search part of the open and delete dialogs: keyword, search button and
// the list of names with each line's users-table row as its item data.
#ifndef PELMO_DIARY_DIALOGS_USER_SEARCH_H
#define PELMO_DIARY_DIALOGS_USER_SEARCH_H

#include <windows.h>

#include <cstdint>
#include <string>

struct UserSearch {
    int listId;           // the list of names
    int actionId;         // "開く" or "削除", enabled with the view button
    std::uint16_t* area;  // result area of the search
    char* record;         // one row of the users table
};

// Allocates the areas; false when memory ran out.
bool BeginUserSearch(UserSearch* search);
void EndUserSearch(UserSearch* search);

// Trims the keyword, fills the list with the matching names (their 30 bytes
// as stored) and enables the buttons for a non-empty result.
void RunUserSearch(HWND dialog, UserSearch* search);

// The users-table row of list line `line`.
int RowOfLine(HWND dialog, const UserSearch& search, int line);
// The row of the selected line of a single-selection list, or -1.
int SelectedRow(HWND dialog, const UserSearch& search);
// The text of list line `line`, trimmed.
std::string LineName(HWND dialog, const UserSearch& search, int line);

#endif
