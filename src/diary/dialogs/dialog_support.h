// Small pieces the diary's dialogs share: field texts, spin buttons, the
// error box that returns the focus, key order, help.
#ifndef PELMO_DIARY_DIALOGS_DIALOG_SUPPORT_H
#define PELMO_DIARY_DIALOGS_DIALOG_SUPPORT_H

#include <windows.h>

#include <string>

// The module whose resources hold the dialog templates.
HINSTANCE DialogInstance();

// The field's text; Trimmed: without blanks at either end (ideographic space too).
std::string FieldText(HWND dialog, int id);
std::string TrimmedFieldText(HWND dialog, int id);
void SetFieldText(HWND dialog, int id, const char* text);
// Writes value with one decimal ("%.1lf").
void SetFieldTenths(HWND dialog, int id, double value);

// Number fields read as numbers; an empty field reads as 0.
double FieldDouble(HWND dialog, int id);
long FieldLong(HWND dialog, int id);

// Spin buttons: range, position.
void SetSpin(HWND dialog, int spinId, int low, int high, int position);
void SetSpinPosition(HWND dialog, int spinId, int position);

// An input error: the text in a box with the caption and the information icon,
// then the focus back on the field (when it exists).
void ShowFieldError(HWND dialog, int fieldId, const char* text, const char* caption);

// Puts the focus on a field and selects its text, as Tab does.
void FocusField(HWND dialog, int id);

// The string-table text id, copied (GetRS keeps only one text at a time).
std::string ResourceText(unsigned id);

// Field order for the keys the fields pass up (corelib/fields.h): Enter and
// Down go to the next field of order, Up to the previous one.
enum class KeyMove { kNone, kFocus, kConfirm };
struct KeyStep {
    KeyMove move;
    int field;  // the field to focus for kFocus
};
// From field `id` on `key`: Enter or Down past the last field confirms;
// Up on the first field does nothing. A field not in order does nothing.
KeyStep StepInOrder(const int* order, int count, int id, WORD key);
// True for the notification codes of Enter, Down and Up that the fields pass up.
bool IsFieldKey(WORD code);
// Moves the focus by key through order, or runs confirm past its last field.
void MoveByKey(HWND dialog, const int* order, int count, int id, WORD key, void (*confirm)(HWND dialog));

// WM_VSCROLL from a spin button: when its thumb was released (the position is
// final), onSpin gets the spin's id and position. Answers the message (TRUE).
INT_PTR OnSpinThumb(HWND dialog, WPARAM wParam, LPARAM lParam, void (*onSpin)(HWND dialog, int spinId, int position));

// Shows the help topic of a dialog.
void ShowDialogHelp(HWND dialog, const char* topic);

#endif
