#include "shell/pelmo_doc.h"

#include "shell/main_frame.h"

HWND CPelmoDoc::OnNewDocument(HINSTANCE instance) {
    HWND frame = CMainFrame::Create(instance);
    if (frame) CMainFrame::ActivateFrame(frame);
    return frame;
}
