#include "shell/pelmo_view.h"

#include "appearance/color_dialog.h"
#include "backup/dialogs/backup_dialogs.h"
#include "corelib/dates.h"
#include "corelib/win32/calendar.h"
#include "corelib/win32/help.h"
#include "corelib/win32/modal_dialog.h"
#include "corelib/win32/takku.h"
#include "corelib/win32/window_classes.h"
#include "corelib/msgbox.h"
#include "diary/diary_store.h"
#include "diary/users_table_repair.h"
#include "report/printing/report_command.h"
#include "resources/resource.h"
#include "shell/start_checks.h"
#include "shell/food_cache_start.h"
#include "shell/last_user.h"
#include "shell/shell_classes.h"
#include "shell/splash.h"
#include "shell/web_launcher.h"
#include "view/diary_commands.h"
#include "view/diary_keys.h"
#include "view/diary_links.h"
#include "view/diary_state.h"
#include "view/diary_window.h"
#include "view/record_list.h"

const char* const kViewClass = "PelmoView";

namespace {

struct ViewWindows {
    HINSTANCE instance = nullptr;
    HWND container = nullptr;
    HWND diary = nullptr;
};
ViewWindows g_view;

bool RegisterViewClass(HINSTANCE instance) {
    WNDCLASSA viewClass = {};
    viewClass.lpfnWndProc = CPelmoView::Procedure;
    viewClass.hInstance = instance;
    viewClass.lpszClassName = kViewClass;
    return RegisterClassOnce(viewClass);
}

HWND CreateChild(const char* className, const char* text, HWND parent, int id) {
    return CreateWindowExA(0, className, text, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 0, 0, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), g_view.instance, nullptr);
}

// The container is 27 pixels taller than the view; the diary window sits 2
// pixels in and leaves a strip at the container's right and bottom.
void PlaceChildren(int width, int height) {
    int containerHeight = height + kContainerOverhang;
    if (g_view.container) MoveWindow(g_view.container, 0, 0, width, containerHeight, TRUE);
    if (g_view.diary) MoveWindow(g_view.diary, 2, 2, width - 8, containerHeight - 35, TRUE);
}

HWND CreateCalendar(HWND diary) {
    char text[kShownDateSize];
    FormatShownDate(Today(), text);
    HWND calendar = CreateChild(kCalendarWindowClass, text, diary, IDW_CALENDAR);
    g_diary.calendar = calendar;
    SetCalendarWindow(calendar);
    TellCalendarPalette();
    TellCalendarDates(DiaryRecords(), 0);  // no user yet
    return calendar;
}

// Start-up below the frame, in this order: no user open, the splash, the
// food-category cache, the window classes, the container, the diary window
// with its calendar, and the last user (or the request for a new one).
bool OnCreate(HWND view) {
    CloseUser();
    CreateSplashWindow(g_view.instance, view);
    PrepareFoodCategories(g_view.instance, view);
    RegisterPelmoWindowClasses(g_view.instance);
    RECT client;
    GetClientRect(view, &client);
    g_view.container = CreateChild(kTakkuClass, "", view, IDW_CONTAINER);
    g_view.diary = g_view.container ? CreateChild(kDiaryWindowClass, "", g_view.container, IDW_DIARY) : nullptr;
    PlaceChildren(client.right, client.bottom);
    if (!g_view.diary) return true;  // without "Weight" the program runs on with an empty view
    CreateCalendar(g_view.diary);
    // An interrupted restore is finished and the users table mended before the last user is looked up in it.
    TellStartChecks(g_view.diary);
    if (!RestoreLastUser(g_view.diary)) PostMessageA(g_view.diary, WM_COMMAND, ID_USER_NEW, 0);
    return true;
}

void OnSize(int width, int height) {
    PlaceChildren(width, height);
    FitTableToScrollBar();
    g_diary.paintedOnce = false;
}

void OnSetFocus() {
    if (RestoreDiaryFocus()) return;
    HWND list = g_view.diary ? GetDlgItem(g_view.diary, kRecordListId) : nullptr;
    if (list) SetFocus(list);
}

void OnDestroy() {
    RememberOpenUser();
    g_view.container = nullptr;
    g_view.diary = nullptr;
}

void Forward(UINT id) {
    if (g_view.diary) PostMessageA(g_view.diary, WM_COMMAND, id, 0);
}

// The open user's diary is written first, so that the backup holds it.
void Backup(HWND view) {
    if (!BackupDialog(view)) return;
    if (IsUserOpen() && g_view.diary) SaveOpenUser(g_view.diary);
    RunBackup(view);
}

// Once data files were replaced the open user is let go without saving, or
// its diary in memory would overwrite the restored one; at once, before the
// end of the restore is told (the session may end meanwhile). A restore that
// changed nothing keeps the user open with what was not yet saved.
void LetUserGoAfterRestore() {
    if (g_view.diary) SendMessageA(g_view.diary, WM_COMMAND, ID_DATA_RESTORE, 0);
}

// After a restore the user who was open is opened again from the restored
// files; one that is not in them is named and the open dialog offered. The
// restored users table is settled first, as at a start.
void Restore(HWND view) {
    if (!RestoreDialog(view)) return;
    const std::string openUser = OpenUserListedName();
    if (!RunRestore(view, LetUserGoAfterRestore) || !g_view.diary) return;
    ShowNotice(g_view.diary, SettleUsersTable().notice);
    if (!openUser.empty() && !ReopenUser(g_view.diary, openUser)) Forward(ID_USER_OPEN);
}

}  // namespace

HWND CPelmoView::Create(HINSTANCE instance, HWND frame) {
    if (!RegisterViewClass(instance)) return nullptr;
    g_view.instance = instance;
    return CreateWindowExA(0, kViewClass, "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 0, 0, frame,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDW_VIEW)), instance, nullptr);
}

HWND CPelmoView::Container() { return g_view.container; }
HWND CPelmoView::DiaryWindow() { return g_view.diary; }

bool CPelmoView::OnCommand(HWND view, UINT id) {
    switch (id) {
    case ID_USER_NEW:
    case ID_USER_OPEN:
    case ID_USER_AMEND:
    case ID_USER_DELETE:
    case ID_DAY_NEW:
    case ID_DAY_EDIT:
    case ID_DAY_DELETE:
    case ID_RECORDS_COPY:
    case ID_SET_TARGET:
    case ID_SET_ITEMS:
    case ID_VIEW_TREND:
    case ID_CSV_EXPORT:
    case ID_CSV_IMPORT:
    case ID_TABLE_PASTE:
    case ID_IMPORT_UNDO:
        Forward(id);
        return true;
    case ID_DATA_BACKUP:
        Backup(view);
        return true;
    case ID_DATA_RESTORE:
        Restore(view);
        return true;
    case ID_SET_COLOR:
        ColorSchemeDialog(g_view.instance, view);
        return true;
    case ID_HELP_CONTENTS:
        OpenHelpTopic(view, kHelpWelcome);
        return true;
    case ID_HELP_WEBPAGE:
        LaunchWebPage(view, kMakerWebPage);
        return true;
    case ID_RECORDS_PRINT:
    case ID_REPORT_PREVIEW:
        return RunReportCommand(g_view.instance, view, id);
    }
    return false;
}

LRESULT CALLBACK CPelmoView::Procedure(HWND view, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        return OnCreate(view) ? 0 : -1;
    case WM_SIZE:
        OnSize(LOWORD(lParam), HIWORD(lParam));
        return 0;
    case WM_SETFOCUS:
        OnSetFocus();
        return 0;
    case WM_ERASEBKGND:
        return 1;  // the container covers the view
    case WM_COMMAND:
        return OnCommand(view, LOWORD(wParam)) ? 0 : DefWindowProcA(view, message, wParam, lParam);
    case WM_DESTROY:
        OnDestroy();
        return 0;
    }
    return DefWindowProcA(view, message, wParam, lParam);
}
