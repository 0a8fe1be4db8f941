#include "backup/dialogs/progress_window.h"

#include <commctrl.h>

#include "backup/backup_run.h"
#include "corelib/msgbox.h"
#include "corelib/utility.h"
#include "corelib/win32/centre_on_owner.h"
#include "resources/resource.h"

namespace {

// Owned by the window that runs: as the run would ask without a progress window.
// "中断" stays live meanwhile: its quit message ends the box's own message loop,
// which posts it again. Taken here, it answers the box as Cancel; left in the
// queue it would close every later box at once (the run asking for ever) and
// at last end the program.
int Show(void* context, const Notice& notice) {
    int answer = ShowNotice(static_cast<ProgressWindow*>(context)->owner, notice);
    MSG quit;
    return PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) ? kIdCancel : answer;
}

void Advance(void* context) {
    auto* progress = static_cast<ProgressWindow*>(context);
    SendDlgItemMessageA(progress->dialog, IDC_BACKUP_PROGRESS, PBM_STEPIT, 0, 0);
}

// Empties the message queue. The quit message is the "中断" button's request
// (and is consumed); the end of the session asks the same.
bool StopRequested(void* context) {
    auto* progress = static_cast<ProgressWindow*>(context);
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT || message.message == WM_ENDSESSION) {
            if (ShowNotice(progress->owner, Notice{progress->stopQuestion, kStopCaption,
                                                   kMbYesNo | kMbIconQuestion | kMbDefButton2}) == kIdYes)
                return true;
            continue;
        }
        if (!IsDialogMessageA(progress->dialog, &message)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
    return false;
}

}  // namespace

INT_PTR CALLBACK ProgressDialogProc(HWND dialog, UINT message, WPARAM, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        SetFocus(GetDlgItem(dialog, IDCANCEL));
        return TRUE;
    case WM_COMMAND:
        PostQuitMessage(0);
        return TRUE;
    }
    return FALSE;
}

void OpenProgressWindow(ProgressWindow* progress, HWND window, const char* templateName, int count,
                        const char* stopQuestion) {
    progress->owner = window;
    progress->stopQuestion = stopQuestion;
    progress->topLevel = window ? static_cast<HWND>(GetTopParent(window)) : nullptr;
    // What the dialog that started the run covered is painted now: the run
    // keeps the thread until its first step, and its picture would stay.
    if (progress->topLevel) RedrawWindow(progress->topLevel, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    {
        ScopedCentring centred;
        progress->dialog = CreateDialogParamA(GetModuleHandleA(nullptr), templateName, window, ProgressDialogProc, 0);
    }
    HWND bar = GetDlgItem(progress->dialog, IDC_BACKUP_PROGRESS);
    SendMessageA(bar, PBM_SETRANGE32, 0, count);
    SendMessageA(bar, PBM_SETSTEP, 1, 0);
    SendMessageA(bar, PBM_SETPOS, 0, 0);
    if (progress->topLevel) EnableWindow(progress->topLevel, FALSE);
    if (progress->dialog) UpdateWindow(progress->dialog);
}

void CloseProgressWindow(ProgressWindow* progress) {
    if (progress->topLevel) EnableWindow(progress->topLevel, TRUE);
    if (progress->dialog) DestroyWindow(progress->dialog);
    progress->dialog = nullptr;
    progress->topLevel = nullptr;
}

RunWindow RunWindowOf(ProgressWindow* progress) {
    RunWindow window;
    window.context = progress;
    window.show = Show;
    window.advance = Advance;
    window.stopRequested = StopRequested;
    return window;
}
