// The feedback of an input field that refuses what was typed or pasted, as
// Windows' own number fields give it: a beep and a balloon under the field
// that says why. The balloon goes with the next accepted key, when the field
// loses the focus or is destroyed, and after a few seconds.
#ifndef PELMO_CORELIB_WIN32_FIELD_BALLOON_H
#define PELMO_CORELIB_WIN32_FIELD_BALLOON_H

#include <windows.h>

#include <string>

// Beeps and shows text under field (nothing but the beep for an empty text).
void RefuseFieldInput(HWND field, const char* text);
// Takes the balloon down when it is field's (any field's when field is null).
void HideFieldBalloon(HWND field);
// The field the timer message belongs to calls this on WM_TIMER; true when
// the timer was the balloon's.
bool OnFieldBalloonTimer(HWND field, WPARAM timer);
// The balloon shown now: its field and its text. False when none is shown.
bool ShownFieldBalloon(HWND* field, std::string* text);

#endif
