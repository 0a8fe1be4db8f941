#include "shell_fixture.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

#include "corelib/dbf.h"
#include "corelib/registry.h"
#include "diary/diary_store.h"
#include "diary/input_items.h"
#include "diary/user_file.h"
#include "diary/users_table.h"
#include "resources/resource.h"
#include "shell/application.h"
#include "shell/pelmo_doc.h"
#include "shell/pelmo_view.h"

void PumpMessages(DWORD milliseconds) {
    DWORD start = GetTickCount();
    do {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) continue;
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        Sleep(5);
    } while (GetTickCount() - start < milliseconds);
}

namespace {

struct TitleSearch {
    const char* title;
    HWND found;
};

BOOL CALLBACK MatchTitle(HWND window, LPARAM data) {
    auto* search = reinterpret_cast<TitleSearch*>(data);
    if (WindowText(window) == search->title && IsWindowVisible(window)) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

std::string g_awaitedTitle;
std::function<void(HWND)> g_dialogAction;
UINT_PTR g_watch = 0;

void CALLBACK CheckForDialog(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND dialog = FindThreadWindow(g_awaitedTitle.c_str());
    if (!dialog) return;
    KillTimer(nullptr, timer);
    if (timer == g_watch) g_watch = 0;
    auto action = g_dialogAction;
    g_dialogAction = nullptr;
    if (action) action(dialog);
}

}  // namespace

HWND FindThreadWindow(const char* title) {
    TitleSearch search = {title, nullptr};
    EnumThreadWindows(GetCurrentThreadId(), MatchTitle, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

void WhenDialogAppears(const char* title, std::function<void(HWND dialog)> action) {
    g_awaitedTitle = title;
    g_dialogAction = std::move(action);
    if (g_watch) KillTimer(nullptr, g_watch);  // one dialog awaited at a time
    g_watch = SetTimer(nullptr, 0, 50, CheckForDialog);
}

std::string WindowText(HWND window) {
    char text[512] = {};
    GetWindowTextA(window, text, sizeof(text));
    return text;
}

std::string ClassOf(HWND window) {
    char name[128] = {};
    GetClassNameA(window, name, sizeof(name));
    return name;
}

bool TakeNewUserRequest() {
    HWND diary = CPelmoView::DiaryWindow();
    MSG message;
    bool found = false;
    while (diary && PeekMessageA(&message, diary, WM_COMMAND, WM_COMMAND, PM_REMOVE))
        found = found || (LOWORD(message.wParam) == ID_USER_NEW && message.lParam == 0);
    return found;
}

StartedFrame::StartedFrame() {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    InitializePelmoProcess(instance);
    frame_ = CPelmoDoc::OnNewDocument(instance);
    TakeNewUserRequest();
}

StartedFrame::~StartedFrame() {
    if (frame_ && IsWindow(frame_)) DestroyWindow(frame_);
    PumpMessages(0);
}

void PlaceNormal(HWND frame, RECT normal) {
    WINDOWPLACEMENT placement = {};
    placement.length = sizeof(placement);
    GetWindowPlacement(frame, &placement);
    placement.showCmd = SW_SHOWNORMAL;
    placement.flags = 0;
    placement.rcNormalPosition = normal;
    SetWindowPlacement(frame, &placement);
    PumpMessages(50);
}

std::string Setting(const char* name) {
    char text[256] = {};
    if (!GetRegistryValue(name, text, 255, kAreaSettings)) return "<missing>";
    return text;
}

void SetSetting(const char* name, const char* value) { SetRegistryValue(name, value, kAreaSettings); }

void RegisterStoredUser(long number, const char* name, const char* message, const std::vector<std::string>& dates) {
    ASSERT_TRUE(EnsureUsersTable());
    char row[kUsersRowLength + 1];
    FormatUsersRow(number, name, row);
    ASSERT_EQ(WriteDBFRecord(nullptr, kUsersTable, row, kUsersNumberField), 1);
    UserHeader header = {};
    header.formatMark = 'A';
    header.userNumber = static_cast<int32_t>(number);
    std::strcpy(header.name, name);
    std::strcpy(header.targetMessage, message);
    header.height = 160.0;
    header.targetWeight = 50.0;
    const std::uint32_t count = static_cast<std::uint32_t>(dates.size());
    auto* days = static_cast<DailyRecord*>(std::calloc(count + 1, sizeof(DailyRecord)));
    for (std::uint32_t i = 0; i < count; ++i) {
        std::memcpy(days[i].date, dates[i].c_str(), kDateLength);
        days[i].weight = 55.0;
    }
    AdoptUser(header, days, count, count + 1);
    SetUserOpen();
    ASSERT_TRUE(SaveUser().done);
    CloseUser();
    ASSERT_TRUE(WriteInputItems(number, kNewUserItems));
}
