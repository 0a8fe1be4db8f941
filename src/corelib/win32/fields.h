// The input fields of the program's dialogs: NumEdit (numbers to a format),
// StrEdit (text to a byte limit) and ComboBox2 (a drop-down list).
//
// The two edits pass the keys that move between fields up to their dialog
// instead of acting on them: Enter, Up and Down arrive at the parent as
// WM_COMMAND(MAKEWPARAM(field id, kFieldKey*), field window). The combo box
// passes Enter alone: its arrows change the choice, as in any drop-down list,
// and while its list is dropped down it keeps Enter too.
#ifndef PELMO_CORELIB_WIN32_FIELDS_H
#define PELMO_CORELIB_WIN32_FIELDS_H

#include <windows.h>

#include <cstddef>
#include <string>

#define PELMO_NUMEDIT_CLASS "NumEdit"
#define PELMO_STREDIT_CLASS "StrEdit"
#define PELMO_COMBOBOX2_CLASS "ComboBox2"

// NumEdit: wParam is the packed format (digits << 16 | decimals, e.g. 0x30001).
constexpr UINT kNumEditSetFormat = WM_USER + 100;
// NumEdit: returns the packed format.
constexpr UINT kNumEditGetFormat = WM_USER + 101;
// StrEdit takes its limit in bytes through EM_LIMITTEXT. It takes a
// double-byte character however it arrives (WM_CHAR lead and trail byte,
// WM_IME_CHAR, WM_UNICHAR, a Unicode WM_CHAR) and inserts it whole or not at
// all: a character that would pass the limit is refused, a paste is cut
// before it. Text that arrives any other way (EM_REPLACESEL, WM_SETTEXT, an
// input method's result) is held to the limit as well.

// Notification codes (HIWORD of wParam); far from every EN_ and CBN_ code.
constexpr WORD kFieldKeyEnter = 0x7F01;
constexpr WORD kFieldKeyDown = 0x7F02;
constexpr WORD kFieldKeyUp = 0x7F03;

// A window's text in UTF-16, whatever its length.
std::wstring WideWindowText(HWND field);

// Holds a plain edit's text to `limit` Shift-JIS bytes after a change (call it
// on EN_CHANGE): what the change put in is cut, never half a character, so
// that the text fits, and the caret follows what was kept. The edit's own
// limit counts characters under Wine, not bytes. `before` is the text before
// the change and becomes the text after it. True when something was cut.
bool HoldTextToByteLimit(HWND field, std::wstring& before, std::size_t limit);

// Registers the three classes; true when all exist afterwards.
bool RegisterFieldClasses(HINSTANCE instance);

#endif
