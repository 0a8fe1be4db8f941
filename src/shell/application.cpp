#include "shell/application.h"

#include <commctrl.h>

#include "corelib/files.h"
#include "corelib/folders.h"
#include "corelib/win32/bmp_draw.h"
#include "corelib/win32/help.h"
#include "resources/resource.h"
#include "shell/about_dialog.h"
#include "shell/help_file.h"
#include "shell/main_frame.h"
#include "shell/pelmo_doc.h"
#include "shell/single_run.h"
#include "view/diary_keys.h"

int RunMessageLoop(HWND frame, HACCEL accelerators) {
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (accelerators && TranslateAcceleratorA(frame, accelerators, &message)) continue;
        if (TranslateDiaryKey(message)) continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}

bool CPelmoApp::OnCommand(HWND frame, UINT id) {
    switch (id) {
    case ID_APP_ABOUT:
        RunAboutDialog(reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(frame, GWLP_HINSTANCE)), frame);
        return true;
    case ID_APP_EXIT:
        PostMessageA(frame, WM_CLOSE, 0, 0);
        return true;
    }
    return false;
}

void InitializePelmoProcess(HINSTANCE instance) {
    // A data folder removed since the last run is made again, as at the first
    // run: without it no user could be registered and no backup restored.
    MakeFolderPath(DataFolder());
    RegisterBmpDrawClass(instance);
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_WIN95_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
}

// The show command the program was started with gives way to the stored placement.
int RunPelmoApplication(HINSTANCE instance, int) {
    HANDLE claim = nullptr;
    if (!ClaimDataFolder(DataFolder(), &claim)) {
        ShowRunningPelmo();
        return 0;
    }
    InitializePelmoProcess(instance);
    InstallHelpFile(instance);  // at the first run, and after the program was updated
    if (RunsUnderWine()) InstallHelpPages(instance);
    HWND frame = CPelmoDoc::OnNewDocument(instance);
    int exitCode = 1;
    if (frame) {
        HACCEL accelerators = LoadAcceleratorsA(instance, MAKEINTRESOURCEA(IDR_MAINFRAME));
        exitCode = RunMessageLoop(frame, accelerators);
    }
    ReleaseDataFolder(claim);
    return exitCode;
}
