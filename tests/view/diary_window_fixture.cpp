#include "diary_window_fixture.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "corelib/dbf.h"
#include "corelib/files.h"
#include "corelib/msgbox.h"
#include "corelib/win32/bmp_draw.h"
#include "corelib/win32/calendar.h"
#include "corelib/win32/modal_dialog.h"
#include "corelib/win32/takku.h"
#include "corelib/win32/window_classes.h"
#include "diary/diary_store.h"
#include "diary/input_items.h"
#include "diary/users_table.h"
#include "resources/resource.h"
#include "view/diary_links.h"
#include "view/diary_state.h"
#include "view/diary_window.h"
#include "view/record_list.h"

std::vector<ShownBox> DiaryWindowTest::boxes;
int DiaryWindowTest::boxAnswer = kIdOk;
int DiaryWindowTest::dialogsCancelled = 0;
void (*DiaryWindowTest::beforeAnswer)(HWND) = nullptr;
WPARAM DiaryWindowTest::dialogAnswer = IDCANCEL;

namespace {

const char kFrameClass[] = "DiaryWindowTestFrame";
HHOOK g_cbtHook = nullptr;

int RememberBox(void*, const char* text, const char* caption, unsigned type) {
    DiaryWindowTest::boxes.push_back({text ? text : "", caption ? caption : "", type});
    return DiaryWindowTest::boxAnswer;
}

// A dialog box is being activated: it is answered with Cancel once its loop runs.
LRESULT CALLBACK CancelHook(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE) {
        HWND window = reinterpret_cast<HWND>(wParam);
        char className[16] = "";
        GetClassNameA(window, className, sizeof className);
        if (std::strcmp(className, "#32770") == 0) {
            if (DiaryWindowTest::beforeAnswer) DiaryWindowTest::beforeAnswer(window);
            PostMessageA(window, WM_COMMAND, DiaryWindowTest::dialogAnswer, 0);
            ++DiaryWindowTest::dialogsCancelled;
        }
    }
    return CallNextHookEx(g_cbtHook, code, wParam, lParam);
}

void RegisterClasses(HINSTANCE instance) {
    RegisterBmpDrawClass(instance);
    RegisterWindowsStandardClass(instance);
    RegisterTakkuClass(instance);
    WNDCLASSA existing;
    if (!GetClassInfoA(instance, kDiaryWindowClass, &existing)) {
        WNDCLASSA diary = {};
        diary.lpfnWndProc = DiaryWindowProcedure;
        diary.hInstance = instance;
        diary.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));
        diary.hbrBackground = static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH));
        diary.lpszClassName = kDiaryWindowClass;
        RegisterClassA(&diary);
    }
    if (!GetClassInfoA(instance, kFrameClass, &existing)) {
        WNDCLASSA frame = {};
        frame.lpfnWndProc = DefWindowProcA;
        frame.hInstance = instance;
        frame.lpszClassName = kFrameClass;
        RegisterClassA(&frame);
    }
}

}  // namespace

void DiaryWindowTest::SetUp() {
    sandbox_ = std::make_unique<Sandbox>();
    boxes.clear();
    boxAnswer = kIdOk;
    dialogsCancelled = 0;
    beforeAnswer = nullptr;
    dialogAnswer = IDCANCEL;
    SetMessageBoxFunction(RememberBox);
    RegisterClasses(GetModuleHandleA(nullptr));
}

void DiaryWindowTest::CreateWindows(bool pump) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    frame_ = CreateWindowA(kFrameClass, "ペルモ", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_VISIBLE, 0, 0, 1000, 720,
                           nullptr, nullptr, instance, nullptr);
    ASSERT_NE(frame_, nullptr);
    container_ = CreateWindowA(kTakkuClass, "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 980, 680, frame_,
                               reinterpret_cast<HMENU>(3), instance, nullptr);
    ASSERT_NE(container_, nullptr);
    diary_ = CreateWindowA(kDiaryWindowClass, "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 2, 2, 972, 645, container_,
                           reinterpret_cast<HMENU>(4), instance, nullptr);
    ASSERT_NE(diary_, nullptr);
    calendar_ = CreateWindowA(kCalendarWindowClass, "2026/12/07", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, diary_,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDW_CALENDAR)), instance, nullptr);
    ASSERT_NE(calendar_, nullptr);
    g_diary.calendar = calendar_;
    SetCalendarWindow(calendar_);
    TellCalendarPalette();
    TellCalendarDates(DiaryRecords(), 0);
    SendMessageA(diary_, WM_SIZE, 0, MAKELPARAM(972, 645));
    if (pump) Pump();
}

void DiaryWindowTest::TearDown() {
    CancelDialogs(false);
    if (frame_) DestroyWindow(frame_);
    Pump();
    SetCalendarWindow(nullptr);
    CloseUser();
    SetMessageBoxFunction(nullptr);
    sandbox_.reset();
}

void DiaryWindowTest::OpenUser(const std::vector<const char*>& dates, const char* name, const char* message) {
    UserHeader header = {};
    header.formatMark = 'A';
    header.userNumber = 1;
    std::strncpy(header.name, name, sizeof header.name - 1);
    header.age = 30;
    header.height = 160.0;
    header.targetWeight = 52.0;
    std::strncpy(header.targetMessage, message, sizeof header.targetMessage - 1);
    const std::uint32_t count = static_cast<std::uint32_t>(dates.size());
    DailyRecord* block = static_cast<DailyRecord*>(std::calloc(count + 1, sizeof(DailyRecord)));
    for (std::uint32_t i = 0; i < count; ++i) {
        std::memcpy(block[i].date, dates[i], kDateLength);
        block[i].weight = 55.0 + i;
    }
    AdoptUser(header, block, count, count + 1);
    SetUserOpen();
    RefillRecordList(count + 1);
    TellCalendarRecords();
    Pump();
}

namespace {
std::string g_registeredName;

void FillRegistrationDialogs(HWND dialog) {
    char title[64] = "";
    GetWindowTextA(dialog, title, sizeof title);
    if (std::strcmp(title, "新規作成") == 0) {
        SetDlgItemTextA(dialog, IDC_USER_NAME, g_registeredName.c_str());
        SetDlgItemTextA(dialog, IDC_USER_AGE, "30");
        SetDlgItemTextA(dialog, IDC_USER_HEIGHT, "160.0");
        PostMessageA(dialog, WM_COMMAND, IDC_USER_REGISTER, 0);
    } else if (std::strcmp(title, "目標を決める") == 0) {
        SetDlgItemTextA(dialog, IDC_TARGET_WEIGHT, "50.0");
        SetDlgItemTextA(dialog, IDC_TARGET_BODYFAT, "20.0");
        SetDlgItemTextA(dialog, IDC_TARGET_MESSAGE, "毎日");
        PostMessageA(dialog, WM_COMMAND, IDC_TARGET_REGISTER, 0);
    }
}
}  // namespace

void DiaryWindowTest::RegisterUserThroughDialogs(const char* name) {
    g_registeredName = name;
    boxAnswer = kIdYes;
    beforeAnswer = FillRegistrationDialogs;
    CancelDialogs(true);
    Command(ID_USER_NEW);
    CancelDialogs(false);
    beforeAnswer = nullptr;
}

void DiaryWindowTest::OpenUserOfDays(int count) {
    std::vector<std::string> dates;
    for (int i = 0; i < count; ++i) dates.push_back(std::to_string(20070101 + i / 28 * 100 + i % 28));
    std::vector<const char*> pointers;
    for (const std::string& date : dates) pointers.push_back(date.c_str());
    OpenUser(pointers);
}

int DiaryWindowTest::SaveUserOnDisk(long number, const char* name, const char* message,
                                    const std::vector<const char*>& dates) {
    // As a registration: the table stands before the file (a file without a
    // row would be listed again when the table is first made).
    if (!EnsureUsersTable()) return -1;
    UserHeader header = {};
    header.formatMark = 'A';
    header.userNumber = static_cast<std::int32_t>(number);
    std::strcpy(header.name, name);
    header.height = 160.0;
    std::strcpy(header.targetMessage, message);
    header.recordCount = static_cast<std::uint32_t>(dates.size());
    std::string bytes(reinterpret_cast<const char*>(&header), sizeof header);
    for (const char* date : dates) {
        DailyRecord day = {};
        std::memcpy(day.date, date, kDateLength);
        day.weight = 55.0;
        bytes.append(reinterpret_cast<const char*>(&day), sizeof day);
    }
    char file[16];
    std::snprintf(file, sizeof file, "%ld.DAT", number);
    FilePart part = {bytes.data(), bytes.size()};
    if (!WriteFileAtomically(file, &part, 1) || !WriteInputItems(number, kNewUserItems)) return -1;
    char row[kUsersRowLength + 1];
    FormatUsersRow(number, name, row);
    if (!WriteDBFRecord(nullptr, kUsersTable, row, kUsersNameField)) return -1;
    DbfInfo info = {};
    GetDBFInfo(kUsersTable, &info);
    return static_cast<int>(info.rowCount) - 1;
}

void DiaryWindowTest::Restart() {
    if (frame_) DestroyWindow(frame_);
    frame_ = nullptr;
    Pump();
    SetCalendarWindow(nullptr);
    CloseUser();
    CreateWindows();
}

void DiaryWindowTest::Pump() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

std::string DiaryWindowTest::MainTitle() const {
    char text[256] = "";
    GetWindowTextA(frame_, text, sizeof text);
    return text;
}

std::string DiaryWindowTest::CalendarText() const {
    char text[64] = "";
    GetWindowTextA(calendar_, text, sizeof text);
    return text;
}

int DiaryWindowTest::ListCount() const {
    return static_cast<int>(SendMessageA(g_diary.recordList, LB_GETCOUNT, 0, 0));
}

int DiaryWindowTest::ListSelection() const {
    return static_cast<int>(SendMessageA(g_diary.recordList, LB_GETCURSEL, 0, 0));
}

void DiaryWindowTest::SelectLine(int line) {
    SendMessageA(g_diary.recordList, LB_SETCURSEL, static_cast<WPARAM>(line), 0);
    ResyncRecordList();
}

POINT DiaryWindowTest::ChildPosition(HWND child) const {
    RECT rect;
    GetWindowRect(child, &rect);
    POINT corner = {rect.left, rect.top};
    ScreenToClient(diary_, &corner);
    return corner;
}

LRESULT DiaryWindowTest::Command(unsigned id) {
    LRESULT result = SendMessageA(diary_, WM_COMMAND, id, 0);
    Pump();
    return result;
}

void DiaryWindowTest::CancelDialogs(bool on) {
    if (on && !g_cbtHook) g_cbtHook = SetWindowsHookExA(WH_CBT, CancelHook, nullptr, GetCurrentThreadId());
    if (!on && g_cbtHook) {
        UnhookWindowsHookEx(g_cbtHook);
        g_cbtHook = nullptr;
    }
}

// The update rectangle of every paint of the diary window during a change.
namespace {
std::vector<RECT> g_painted;
WNDPROC g_diaryProcedure = nullptr;
LRESULT CALLBACK RecordingProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    RECT update;
    if (message == WM_PAINT && GetUpdateRect(window, &update, FALSE)) g_painted.push_back(update);
    return CallWindowProcA(g_diaryProcedure, window, message, wParam, lParam);
}
}  // namespace

std::vector<RECT> Painted(HWND diary, const std::function<void()>& change) {
    UpdateWindow(diary);
    g_painted.clear();
    g_diaryProcedure = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(diary, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(RecordingProcedure)));
    change();
    SetWindowLongPtrA(diary, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_diaryProcedure));
    GdiFlush();
    return g_painted;
}
