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

TEST(Smoke, ProgramStartsShowsItsFrameAndEndsCleanly) {
    Sandbox sandbox;
    std::string commandLine = "\"" + ProgramPath() + "\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    ASSERT_TRUE(CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                               &process))
        << GetLastError();

    HWND frame = WaitForFrame(process.dwProcessId, 30000);
    ASSERT_NE(frame, nullptr);
    char title[256] = {};
    GetWindowTextA(frame, title, sizeof(title));
    EXPECT_STREQ(title, "ペルモ");
    // Wine does not read another process's menu texts; main_frame_test reads them in-process.
    EXPECT_NE(GetMenu(frame), nullptr);

    PostMessageA(frame, WM_CLOSE, 0, 0);
    ASSERT_EQ(WaitForSingleObject(process.hProcess, 30000), WAIT_OBJECT_0);
    DWORD exitCode = 99;
    GetExitCodeProcess(process.hProcess, &exitCode);
    EXPECT_EQ(exitCode, 0u);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
}

}  // namespace
