// PelmoFree.exe started as its own process, as a user starts it.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "support/sandbox.h"

namespace {

std::string ProgramPath() {
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, sizeof(path));
    std::string folder(path);
    return folder.substr(0, folder.find_last_of('\\') + 1) + "PelmoFree.exe";
}

struct FrameSearch {
    DWORD processId;
    HWND frame;
};

BOOL CALLBACK FindFrameOfProcess(HWND window, LPARAM data) {
    auto* search = reinterpret_cast<FrameSearch*>(data);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    char className[64] = {};
    GetClassNameA(window, className, sizeof(className));
    if (owner == search->processId && std::string(className) == "PelmoFrame") {
        search->frame = window;
        return FALSE;
    }
    return TRUE;
}

HWND WaitForFrame(DWORD processId, DWORD milliseconds) {
    FrameSearch search = {processId, nullptr};
    for (DWORD waited = 0; waited < milliseconds && !search.frame; waited += 50) {
        EnumWindows(FindFrameOfProcess, reinterpret_cast<LPARAM>(&search));
        if (!search.frame) Sleep(50);
    }
    return search.frame;
}

std::string TitleOf(HWND window) {
    char title[256] = {};
    GetWindowTextA(window, title, sizeof(title));
    return title;
}

// The title reads "ペルモ" once the diary window has painted and the splash is gone.
std::string WaitForTitle(HWND frame, const std::string& wanted, DWORD milliseconds) {
    for (DWORD waited = 0; waited < milliseconds && TitleOf(frame) != wanted; waited += 50) Sleep(50);
    return TitleOf(frame);
}

// A dialog of the program, by its title.
HWND WaitForDialog(DWORD processId, const char* title, DWORD milliseconds) {
    for (DWORD waited = 0; waited < milliseconds; waited += 50) {
        HWND dialog = FindWindowA(reinterpret_cast<LPCSTR>(32770), title);
        DWORD owner = 0;
        if (dialog) GetWindowThreadProcessId(dialog, &owner);
        if (dialog && owner == processId) return dialog;
        Sleep(50);
    }
    return nullptr;
}

bool StartProgram(PROCESS_INFORMATION* process) {
    std::string commandLine = "\"" + ProgramPath() + "\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    *process = PROCESS_INFORMATION{};
    return CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                          process) != FALSE;
}

TEST(Smoke, ProgramStartsShowsItsFrameAndEndsCleanly) {
    Sandbox sandbox;
    PROCESS_INFORMATION process = {};
    ASSERT_TRUE(StartProgram(&process)) << GetLastError();

    HWND frame = WaitForFrame(process.dwProcessId, 30000);
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(WaitForTitle(frame, "ペルモ", 30000), "ペルモ");
    // Wine does not read another process's menu texts; main_frame_test reads them in-process.
    EXPECT_NE(GetMenu(frame), nullptr);

    // On a first run the program asks for a new user once its window is up.
    HWND registration = WaitForDialog(process.dwProcessId, "新規作成", 30000);
    ASSERT_NE(registration, nullptr);
    PostMessageA(registration, WM_COMMAND, IDCANCEL, 0);

    // A second start on the same data folder ends at once and leaves the
    // diaries to the run that has them: two runs would write over each other's days.
    PROCESS_INFORMATION second = {};
    ASSERT_TRUE(StartProgram(&second)) << GetLastError();
    const DWORD secondEnded = WaitForSingleObject(second.hProcess, 30000);
    if (secondEnded != WAIT_OBJECT_0) TerminateProcess(second.hProcess, 99);
    EXPECT_EQ(secondEnded, WAIT_OBJECT_0) << "a second run stayed";
    CloseHandle(second.hThread);
    CloseHandle(second.hProcess);
    EXPECT_TRUE(IsWindow(frame));

    PostMessageA(frame, WM_CLOSE, 0, 0);
    HWND exitDialog = WaitForDialog(process.dwProcessId, "ペルモの終了", 30000);
    ASSERT_NE(exitDialog, nullptr);
    PostMessageA(exitDialog, WM_COMMAND, IDOK, 0);  // "終了"
    ASSERT_EQ(WaitForSingleObject(process.hProcess, 30000), WAIT_OBJECT_0);
    DWORD exitCode = 99;
    GetExitCodeProcess(process.hProcess, &exitCode);
    EXPECT_EQ(exitCode, 0u);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
}

}  // namespace
