#include "shell/help.h"

#include <cstdio>

#include "corelib/registry.h"

const char* const kHelpWelcome = "welcome";

namespace {

constexpr UINT kHelpDisplayContents = 1;  // HH_DISPLAY_TOC
constexpr int kRegistryTextSize = 255;

using HtmlHelpFunction = HWND(WINAPI*)(HWND, LPCSTR, UINT, DWORD_PTR);

// The help viewer is loaded on first use, as the help system itself does;
// the program starts also where it is missing.
HtmlHelpFunction HtmlHelpEntry() {
    static HtmlHelpFunction entry = [] {
        HMODULE viewer = LoadLibraryA("hhctrl.ocx");
        return viewer ? reinterpret_cast<HtmlHelpFunction>(reinterpret_cast<void*>(GetProcAddress(viewer, "HtmlHelpA")))
                      : nullptr;
    }();
    return entry;
}

}  // namespace

std::string HelpTopicAddress(const char* topic) {
    char folder[kRegistryTextSize + 1] = {};
    if (!GetRegistryValue("SystemDir", folder, kRegistryTextSize, kAreaInstall)) folder[0] = '\0';
    char path[kRegistryTextSize + 128];
    std::snprintf(path, sizeof(path), "%sPELMOFREE.chm::/%s.htm > MyWin01", folder, topic);
    return path;
}

bool OpenHelpTopic(HWND owner, const char* topic) {
    HtmlHelpFunction htmlHelp = HtmlHelpEntry();
    if (!htmlHelp) return false;
    htmlHelp(owner, HelpTopicAddress(topic).c_str(), kHelpDisplayContents, 0);
    return true;
}
