#include "diary/help_topic.h"

#include <cstdio>

#include "corelib/registry.h"

std::string HelpTopicPath(const char* topic) {
    char folder[256] = {};
    GetRegistryValue("SystemDir", folder, 255, kAreaInstall);
    char path[600];
    std::snprintf(path, sizeof(path), "%sPELMOFREE.chm::/%s.htm > MyWin01", folder, topic);
    return path;
}

// HtmlHelpA lives in hhctrl.ocx, loaded on first use rather than linked:
// MinGW ships no import library for it.
void ShowHelpTopic(HWND window, const char* topic) {
    using HtmlHelpFunction = HWND(WINAPI*)(HWND, LPCSTR, UINT, DWORD_PTR);
    static HtmlHelpFunction htmlHelp = [] {
        HMODULE module = LoadLibraryA("hhctrl.ocx");
        return module ? reinterpret_cast<HtmlHelpFunction>(reinterpret_cast<void*>(GetProcAddress(module, "HtmlHelpA"))) : nullptr;
    }();
    if (!htmlHelp) return;
    constexpr UINT kShowContents = 1;  // HH_DISPLAY_TOC: the contents, opened at the topic of the path
    htmlHelp(window, HelpTopicPath(topic).c_str(), kShowContents, 0);
}
