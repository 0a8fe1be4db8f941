#include "shell/single_run.h"

#include <cstdint>
#include <cstdio>

#include "shell/main_frame.h"

namespace {

// A mutex name cannot hold a path: the folder is named by its FNV-1a hash.
std::string ClaimName(const std::string& folder) {
    std::uint64_t hash = 14695981039346656037ull;
    for (unsigned char byte : folder) {
        hash ^= byte;
        hash *= 1099511628211ull;
    }
    char name[64];
    std::snprintf(name, sizeof name, "Local\\PelmoFree.%016llx", static_cast<unsigned long long>(hash));
    return name;
}

}  // namespace

bool ClaimDataFolder(const std::string& folder, HANDLE* claim) {
    *claim = CreateMutexA(nullptr, FALSE, ClaimName(folder).c_str());
    if (*claim && GetLastError() == ERROR_ALREADY_EXISTS) {
        CloseHandle(*claim);
        *claim = nullptr;
        return false;
    }
    return true;
}

void ReleaseDataFolder(HANDLE claim) {
    if (claim) CloseHandle(claim);
}

void ShowRunningPelmo() {
    HWND frame = FindWindowA(kMainFrameClass, nullptr);
    if (!frame) return;  // still starting: its window comes by itself
    if (IsIconic(frame)) ShowWindow(frame, SW_RESTORE);
    // An open dialog of that run is what takes the input.
    SetForegroundWindow(GetLastActivePopup(frame));
}
