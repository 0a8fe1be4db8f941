// The diary window (class "Weight"): the working surface inside the main frame.
// Its state is process-wide (view/diary_state.h): one diary window per run.
#ifndef PELMO_VIEW_DIARY_WINDOW_H
#define PELMO_VIEW_DIARY_WINDOW_H

#include <windows.h>

extern const char* const kDiaryWindowClass;  // "Weight"

LRESULT CALLBACK DiaryWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

#endif
