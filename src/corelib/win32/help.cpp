#include "corelib/win32/help.h"

#include <cstdio>

#include "corelib/msgbox.h"
#include "corelib/registry.h"

const char* const kHelpWelcome = "welcome";
const char* const kHelpMissingText = "ヘルプファイル(PELMOFREE.chm)を開けません。\nペルモを入れ直してください。";
const char* const kHelpCaption = "ヘルプ";

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

// The help viewer itself says nothing when the file is missing.
bool OpenHelpTopic(HWND owner, const char* topic) {
    HtmlHelpFunction htmlHelp = HtmlHelpEntry();
    if (!htmlHelp || !htmlHelp(owner, HelpTopicAddress(topic).c_str(), kHelpDisplayContents, 0)) {
        PelmoMessageBox(owner, kHelpMissingText, kHelpCaption, kMbOk | kMbIconInformation);
        return false;
    }
    return true;
}
