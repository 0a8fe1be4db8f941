// The document of the single-document shell: one per run, holding nothing and
// never modified or saved (the diary lives in the diary store,
// diary/diary_store.h). Opening the run's new document creates the main frame,
// and with it the view and the whole window tree.
#ifndef PELMO_SHELL_PELMO_DOC_H
#define PELMO_SHELL_PELMO_DOC_H

#include <windows.h>

struct CPelmoDoc {
    // Creates the frame and shows it with its stored placement. Null when the
    // frame could not be made.
    static HWND OnNewDocument(HINSTANCE instance);
};

#endif
