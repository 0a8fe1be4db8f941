#include "corelib/win32/help.h"

#include "corelib/files.h"
#include "corelib/msgbox.h"

const char* const kHelpWelcome = "welcome";
const char* const kHelpFileName = "PELMOFREE.chm";
const char* const kHelpMissingText = "ヘルプファイル(PELMOFREE.chm)を開けません。\nペルモを入れ直してください。";
const char* const kHelpCaption = "ヘルプ";

namespace {

constexpr UINT kHelpDisplayContents = 1;  // HH_DISPLAY_TOC

HelpViewer g_viewer = nullptr;

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

// The data folder ("SystemDir" in a normal run) is where the program keeps its copy of the help file.
std::string HelpTopicAddress(const char* topic) {
    return DataFolder() + kHelpFileName + "::/" + topic + ".htm > MyWin01";
}

HelpViewer SetHelpViewer(HelpViewer viewer) {
    HelpViewer previous = g_viewer;
    g_viewer = viewer;
    return previous;
}

// The help viewer itself says nothing when the file is missing.
bool OpenHelpTopic(HWND owner, const char* topic) {
    const std::string address = HelpTopicAddress(topic);
    HWND shown = nullptr;
    if (g_viewer) {
        shown = g_viewer(owner, address.c_str(), kHelpDisplayContents);
    } else if (HtmlHelpFunction htmlHelp = HtmlHelpEntry()) {
        shown = htmlHelp(owner, address.c_str(), kHelpDisplayContents, 0);
    }
    if (!shown) {
        PelmoMessageBox(owner, kHelpMissingText, kHelpCaption, kMbOk | kMbIconInformation);
        return false;
    }
    return true;
}
