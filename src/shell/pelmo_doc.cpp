#include "shell/pelmo_doc.h"

#include "corelib/read_ahead.h"
#include "shell/last_user.h"
#include "shell/main_frame.h"
#include "shell/start_checks.h"

HWND CPelmoDoc::OnNewDocument(HINSTANCE instance) {
    SettleDataFolderAtStart();  // before anything reads the users table or a diary
    ReadLastUserAhead();
    HWND frame = CMainFrame::Create(instance);
    EndReadAhead();  // taken by the load of the last user, or let go
    if (frame) CMainFrame::ActivateFrame(frame);
    return frame;
}
