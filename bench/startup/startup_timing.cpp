// Start-up under Wine: from starting the program to the diary window's first
// real paint with a diary of ten years (3,650 days), beside a bare Win32
// window started the same way in the same run. The goal is at most twice the
// bare window's time. A diary of one day shows what the program costs
// before its days do.
//
// Both programs run as a user starts them, each in its own process. The bare
// window sets its title to "painted" after its first paint; the diary's first
// real paint puts the splash away, so the program is painted once its splash
// has come and gone while its frame is shown. Rounds take the programs in
// turn after one unmeasured round; each child is ended before the next starts.
// The diaries and the settings live in a private folder and registry key.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "corelib/registry.h"
#include "support/long_diary.h"
#include "support/sandbox.h"

namespace {

constexpr int kRounds = 7;
constexpr double kGoal = 2.0;

// The diaries started, each as the user open at the last exit.
struct Diary {
    const char* user;
    long days;
    const char* caseName;
};
const Diary kTenYears = {"十年日記", 3650, "diary window, 3,650 days (55.8 MB)"};
const Diary kOneDay = {"一日日記", 1, "diary window, 1 day"};
const DWORD kTimeoutMs = 120000;

struct Watch {
    DWORD process;
    HWND frame = nullptr;
    const char* user;  // the diary's user, null for the bare window
};

// A shown top-level window of the child with this class (and title, when
// given), or null. Looked up by name rather than by enumerating every window:
// each look is a few calls to the Wine server, which the child needs as well.
HWND ChildWindow(DWORD process, const char* className, const char* title) {
    for (HWND window = FindWindowExA(nullptr, nullptr, className, title); window;
         window = FindWindowExA(nullptr, window, className, title)) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == process && IsWindowVisible(window)) return window;
    }
    return nullptr;
}

// Looks every millisecond until the child's first paint is done: the bare
// window's title reads "painted", or the diary's splash has come and gone
// while its frame is shown.
bool WaitForFirstPaint(Watch* watch, HANDLE process) {
    const DWORD start = GetTickCount();
    HWND splash = nullptr;
    while (GetTickCount() - start < kTimeoutMs) {
        if (WaitForSingleObject(process, 0) == WAIT_OBJECT_0) return false;
        if (!watch->user) {
            if (ChildWindow(watch->process, "PelmoBareWindow", "painted")) return true;
        } else if (!splash) {
            splash = ChildWindow(watch->process, "BmpDraw", nullptr);
        } else if (!IsWindow(splash)) {
            watch->frame = ChildWindow(watch->process, "PelmoFrame", nullptr);
            if (watch->frame) return true;
        }
        Sleep(1);
    }
    return false;
}

std::string Folder(const std::string& path) { return path.substr(0, path.find_last_of('\\') + 1); }

// Milliseconds from CreateProcess to the first paint; negative on failure.
double TimeStartup(const std::string& exe, const char* user) {
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION child = {};
    std::string commandLine = "\"" + exe + "\"";
    std::string folder = Folder(exe);
    auto begin = std::chrono::steady_clock::now();
    if (!CreateProcessA(exe.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup,
                        &child)) {
        std::printf("cannot start %s\n", exe.c_str());
        return -1;
    }
    Watch watch = {};
    watch.process = child.dwProcessId;
    watch.user = user;
    bool painted = WaitForFirstPaint(&watch, child.hProcess);
    double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - begin).count();
    if (painted && user) {
        char title[256] = {};
        GetWindowTextA(watch.frame, title, sizeof title);
        if (!std::strstr(title, user)) {
            std::printf("the diary did not open (title \"%s\")\n", title);
            painted = false;
        }
    }
    TerminateProcess(child.hProcess, 0);
    WaitForSingleObject(child.hProcess, 10000);
    CloseHandle(child.hThread);
    CloseHandle(child.hProcess);
    return painted ? ms : -1;
}

void PrintRow(const char* name, std::vector<double> ms) {
    std::sort(ms.begin(), ms.end());
    std::printf("%-40s %6zu %8.0f %8.0f %8.0f\n", name, ms.size(), ms.front(), ms[ms.size() / 2], ms.back());
}

double Median(std::vector<double> ms) {
    std::sort(ms.begin(), ms.end());
    return ms[ms.size() / 2];
}

}  // namespace

int main() {
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, sizeof self);
    const std::string folder = Folder(self);
    const std::string diaryExe = folder + "PelmoFree.exe";
    const std::string bareExe = folder + "pelmo_bare_window.exe";

    Sandbox sandbox;  // the programs started below inherit its folder and key
    bool ok = WriteLongDiary(0, kTenYears.days, kTenYears.user) && WriteLongDiary(1, kOneDay.days, kOneDay.user);
    if (!ok) std::printf("cannot write the diaries\n");
    // Each program is started once unmeasured, then in turns.
    std::vector<double> bare, tenYears, oneDay;
    auto startDiary = [&](const Diary& diary) {
        return SetRegistryValue("UserName", diary.user, kAreaSettings) ? TimeStartup(diaryExe, diary.user) : -1;
    };
    for (int round = -1; round < kRounds && ok; ++round) {
        double b = TimeStartup(bareExe, nullptr);
        double t = startDiary(kTenYears);
        double o = startDiary(kOneDay);
        ok = b >= 0 && t >= 0 && o >= 0;
        if (ok && round >= 0) {
            bare.push_back(b);
            tenYears.push_back(t);
            oneDay.push_back(o);
        }
    }
    if (!ok) {
        std::printf("start-up timing failed\n");
        return 1;
    }
    std::printf("start-up to the first real paint, each program in its own process under Wine (ms)\n");
    std::printf("%-40s %6s %8s %8s %8s\n", "case", "rounds", "min", "median", "max");
    PrintRow("bare Win32 window", bare);
    PrintRow(kOneDay.caseName, oneDay);
    PrintRow(kTenYears.caseName, tenYears);
    std::printf("one day against the bare window (medians): %.2f x\n", Median(oneDay) / Median(bare));
    double ratio = Median(tenYears) / Median(bare);
    std::printf("ten years against the bare window (medians): %.2f x, goal at most %.0f x: %s\n", ratio, kGoal,
                ratio <= kGoal ? "met" : "NOT MET");
    return 0;
}
