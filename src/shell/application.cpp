#include "shell/application.h"

#include <commctrl.h>

#include "resources/resource.h"
#include "shell/main_frame.h"

int RunMessageLoop(HWND frame, HACCEL accelerators) {
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (accelerators && TranslateAcceleratorA(frame, accelerators, &message)) continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}

int RunPelmoApplication(HINSTANCE instance, int showCommand) {
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_WIN95_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);

    HWND frame = CMainFrame::Create(instance);
    if (!frame) return 1;
    ShowWindow(frame, showCommand);
    UpdateWindow(frame);
    HACCEL accelerators = LoadAcceleratorsA(instance, MAKEINTRESOURCEA(IDR_MAINFRAME));
    return RunMessageLoop(frame, accelerators);
}
