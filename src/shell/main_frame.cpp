#include "shell/main_frame.h"

#include <commctrl.h>

#include <string>

#include "corelib/win32/window_classes.h"
#include "resources/resource.h"
#include "shell/application.h"
#include "shell/end_of_run.h"
#include "shell/exit_dialog.h"
#include "shell/pelmo_view.h"
#include "shell/splash.h"
#include "shell/toolbar.h"
#include "view/diary_paint.h"
#include "view/diary_state.h"

const char* const kMainFrameClass = "PelmoFrame";

namespace {

HINSTANCE FrameInstance(HWND frame) { return reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(frame, GWLP_HINSTANCE)); }

bool RegisterFrameClass(HINSTANCE instance) {
    WNDCLASSA frameClass = {};
    frameClass.style = CS_HREDRAW | CS_VREDRAW;
    frameClass.lpfnWndProc = CMainFrame::Procedure;
    frameClass.hInstance = instance;
    frameClass.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDR_MAINFRAME));
    frameClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    frameClass.lpszClassName = kMainFrameClass;
    return RegisterClassOnce(frameClass);
}

// The view first (it builds the window tree), then the toolbar.
bool OnCreate(HWND frame) {
    HINSTANCE instance = FrameInstance(frame);
    if (!CPelmoView::Create(instance, frame)) return false;
    HWND toolbar = CreateMainToolbar(instance, frame);
    if (toolbar) ApplyStoredToolbarState(frame, toolbar);
    return true;
}

// The toolbar docks at the top; the view takes the rest of the client area.
void LayOut(HWND frame) {
    RECT client;
    GetClientRect(frame, &client);
    int top = 0;
    HWND toolbar = CMainFrame::Toolbar(frame);
    // The toolbar's own shown state: the frame may still be hidden.
    if (toolbar && (GetWindowLongPtrA(toolbar, GWL_STYLE) & WS_VISIBLE)) {
        SendMessageA(toolbar, TB_AUTOSIZE, 0, 0);
        RECT bar;
        GetWindowRect(toolbar, &bar);
        top = bar.bottom - bar.top;
    }
    if (HWND view = CMainFrame::View(frame)) MoveWindow(view, 0, top, client.right, client.bottom - top, TRUE);
}

void OnCommand(HWND frame, UINT id) {
    if (id == ID_VIEW_TOOLBAR) {
        if (HWND toolbar = CMainFrame::Toolbar(frame)) ToggleToolbar(frame, toolbar);
        return;
    }
    if (CPelmoView::OnCommand(CMainFrame::View(frame), id)) return;
    CPelmoApp::OnCommand(frame, id);
}

LRESULT OnNotify(HWND frame, NMHDR* header) {
    if (header->code == TTN_GETDISPINFOA) {
        OnToolbarTip(FrameInstance(frame), header);
    } else if (header->code == TTN_GETDISPINFOW) {
        // The tool tips of the common controls may ask in UTF-16 even here.
        auto* request = reinterpret_cast<NMTTDISPINFOW*>(header);
        std::string tip = ToolbarTipText(FrameInstance(frame), static_cast<UINT>(header->idFrom));
        int length = MultiByteToWideChar(932, 0, tip.c_str(), -1, request->szText, 80);
        if (length == 0) request->szText[0] = L'\0';
        request->lpszText = request->szText;
        request->hinst = nullptr;
    }
    return 0;
}

void OnGetMinMaxInfo(MINMAXINFO* info) {
    info->ptMinTrackSize.x = MinimumFrameWidth(g_diary.tableWidth);
    info->ptMinTrackSize.y = kMinimumFrameHeight;
}

// A modal dialog of the program (or the backup's progress) disables the
// frame. A close request from outside it (the taskbar, another program) then
// only brings that dialog to the front: what is entered there stays.
bool BringOpenDialogForward(HWND frame) {
    if (IsWindowEnabled(frame)) return false;
    HWND popup = GetLastActivePopup(frame);
    if (popup && popup != frame) SetForegroundWindow(popup);
    return true;
}

// The placement is stored before the question, whatever the answer. The
// diary is written before anything is destroyed: if that fails, the program runs on.
void OnClose(HWND frame) {
    if (BringOpenDialogForward(frame)) return;
    CMainFrame::StorePlacement(frame);
    if (RunExitDialog(FrameInstance(frame), frame) == kExitCancelled) return;
    if (PrepareExit(frame)) DestroyWindow(frame);
}

// The Windows session ends: the process may be ended without its windows
// being destroyed, so the placement is stored here as on "終了", then the
// diary and the user for the next start.
void OnEndSession(HWND frame) {
    CMainFrame::StorePlacement(frame);
    EndSession();
}

// The toolbar does not own the image list it was given.
void OnDestroy(HWND frame) {
    if (HWND toolbar = CMainFrame::Toolbar(frame)) {
        auto images = reinterpret_cast<HIMAGELIST>(SendMessageA(toolbar, TB_SETIMAGELIST, 0, 0));
        if (images) ImageList_Destroy(images);
    }
    PostQuitMessage(0);
}

}  // namespace

HWND CMainFrame::Toolbar(HWND frame) { return GetDlgItem(frame, IDW_TOOLBAR); }
HWND CMainFrame::View(HWND frame) { return GetDlgItem(frame, IDW_VIEW); }

HWND CMainFrame::Create(HINSTANCE instance) {
    if (!RegisterFrameClass(instance)) return nullptr;
    HMENU menu = LoadMenuA(instance, MAKEINTRESOURCEA(IDR_MAINFRAME));
    char title[64] = {};
    LoadStringA(instance, IDR_MAINFRAME, title, sizeof(title));
    // Built at the size it is shown at, so that its tree is laid out once:
    // under Wine every move of a drop-down list costs several server calls.
    const WINDOWPLACEMENT placement = StoredPlacement();
    const DWORD style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
    const RECT place = ShownRect(placement, style);
    HWND frame = CreateWindowExA(0, kMainFrameClass, title, ShownStyle(placement, style), place.left, place.top,
                                 place.right - place.left, place.bottom - place.top, nullptr, menu, instance, nullptr);
    if (!frame && menu) DestroyMenu(menu);
    return frame;
}

LRESULT CALLBACK CMainFrame::Procedure(HWND frame, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        return OnCreate(frame) ? 0 : -1;
    case WM_SIZE:
        LayOut(frame);
        if (wParam == SIZE_MINIMIZED && SplashWindow()) GiveWayToDiary(CPelmoView::DiaryWindow());
        return 0;
    case WM_COMMAND:
        OnCommand(frame, LOWORD(wParam));
        return 0;
    case WM_NOTIFY:
        return OnNotify(frame, reinterpret_cast<NMHDR*>(lParam));
    case WM_GETMINMAXINFO:
        OnGetMinMaxInfo(reinterpret_cast<MINMAXINFO*>(lParam));
        return 0;
    case WM_SETFOCUS:
        if (HWND view = View(frame)) SetFocus(view);
        return 0;
    case WM_CLOSE:
        OnClose(frame);
        return 0;
    case WM_QUERYENDSESSION:
        return AgreeToEndSession(frame) ? TRUE : FALSE;
    case WM_ENDSESSION:
        if (wParam) OnEndSession(frame);
        return 0;
    case WM_DESTROY:
        OnDestroy(frame);
        return 0;
    }
    return DefWindowProcA(frame, message, wParam, lParam);
}
