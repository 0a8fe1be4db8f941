// The diary window's keyboard round: Tab and Shift+Tab take the focus from
// the record table to the calendar, the analysis selectors and the line
// graph's selectors in reading order and round again, skipping what is
// disabled; Esc brings it back to the record table. A choice made with the
// keys in a selector keeps the focus there (a choice made with the mouse hands
// it back to the table).
#ifndef PELMO_VIEW_DIARY_KEYS_H
#define PELMO_VIEW_DIARY_KEYS_H

#include <windows.h>

// For the message loop, before TranslateMessage: true when the message was
// handled here (a Tab or Esc moved the focus, or a key was dispatched to a
// selector) and must not be dispatched again.
bool TranslateDiaryKey(const MSG& message);

// True while a key is being handled by one of the six selectors.
bool SelectorChosenByKeys();

// Whether the person has moved round the window with the keys: from then on
// the record table frames its focused row, as Windows shows keyboard cues
// only to those who use the keyboard (a mouse user's table looks as before).
bool KeyboardCuesShown();

// The control of the diary window that last took the focus (noted as each
// takes it). When the person comes back to the main window (from another
// program or a dialog) it gets the focus again, as in a dialog; false when
// there is none to give back (the record table then takes it).
void NoteDiaryFocus(HWND window);
bool RestoreDiaryFocus();

#endif
