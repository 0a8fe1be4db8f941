#include "shell/main_frame.h"

#include "resources/resource.h"

const char* const kMainFrameClass = "PelmoFrame";
const char* const kProductTitle = "ペルモ";

namespace {

bool RegisterFrameClass(HINSTANCE instance) {
    WNDCLASSEXA frameClass = {};
    if (GetClassInfoExA(instance, kMainFrameClass, &frameClass)) return true;
    frameClass.cbSize = sizeof(frameClass);
    frameClass.style = CS_HREDRAW | CS_VREDRAW;
    frameClass.lpfnWndProc = CMainFrame::Procedure;
    frameClass.hInstance = instance;
    frameClass.hIcon = LoadIconA(nullptr, MAKEINTRESOURCEA(32512));  // IDI_APPLICATION
    frameClass.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));  // IDC_ARROW
    frameClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    frameClass.lpszClassName = kMainFrameClass;
    return RegisterClassExA(&frameClass) != 0;
}

void OnDestroy() { PostQuitMessage(0); }

}  // namespace

HWND CMainFrame::Create(HINSTANCE instance) {
    if (!RegisterFrameClass(instance)) return nullptr;
    HMENU menu = LoadMenuA(instance, MAKEINTRESOURCEA(IDR_MAINFRAME));
    return CreateWindowExA(0, kMainFrameClass, kProductTitle, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                           CW_USEDEFAULT, CW_USEDEFAULT, 800, 600, nullptr, menu, instance, nullptr);
}

LRESULT CALLBACK CMainFrame::Procedure(HWND frame, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_DESTROY:
        OnDestroy();
        return 0;
    }
    return DefWindowProcA(frame, message, wParam, lParam);
}
