#include "corelib/win32/help.h"

#include <shellapi.h>

#include <string>

#include "corelib/files.h"
#include "corelib/msgbox.h"

const char* const kHelpWelcome = "welcome";
const char* const kHelpFileName = "PELMOFREE.chm";
const char* const kHelpMissingText = "ヘルプファイル(PELMOFREE.chm)を開けません。\nペルモを入れ直してください。";
const char* const kHelpCaption = "ヘルプ";
const char* const kHelpPagesFolder = "Help\\";
const char* const kHelpPageMissingText = "ヘルプのページを開けません。\nペルモを入れ直してください。";

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

std::wstring Wide(const std::string& text) {
    const int length = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
    std::wstring wide(static_cast<size_t>(length > 0 ? length : 1), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, &wide[0], length);
    wide.resize(wide.size() - 1);
    return wide;
}

// Wine's winebrowser turns the file address into one of the host and starts
// the desktop's browser with it.
HWND OpenPageInBrowser(HWND owner, const char* topic) {
    const std::string page = HelpPagePath(topic);
    if (GetFileAttributesA(page.c_str()) == INVALID_FILE_ATTRIBUTES) return nullptr;
    const std::wstring address = L"\"" + FileAddress(page) + L"\"";
    const HINSTANCE started = ShellExecuteW(owner, L"open", L"winebrowser.exe", address.c_str(), nullptr, SW_SHOWNORMAL);
    if (reinterpret_cast<INT_PTR>(started) <= 32) return nullptr;
    return owner ? owner : GetDesktopWindow();
}

}  // namespace

bool RunsUnderWine() {
    HMODULE system = GetModuleHandleA("ntdll.dll");
    return system && GetProcAddress(system, "wine_get_version") != nullptr;
}

std::string HelpPagePath(const char* topic) { return DataFolder() + kHelpPagesFolder + topic + ".htm"; }

std::wstring FileAddress(const std::string& path) {
    std::wstring address = L"file:///";
    const wchar_t* const hex = L"0123456789ABCDEF";
    for (wchar_t c : Wide(path)) {
        if (c == L'\\') c = L'/';
        const bool asIs = c > 0x7F || (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z') || (c >= L'0' && c <= L'9') ||
                          std::wstring(L"-._~/:").find(c) != std::wstring::npos;
        if (asIs) {
            address += c;
        } else {
            address += L'%';
            address += hex[(c >> 4) & 0xF];
            address += hex[c & 0xF];
        }
    }
    return address;
}

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
    const bool inBrowser = !g_viewer && RunsUnderWine();
    if (g_viewer) {
        shown = g_viewer(owner, address.c_str(), kHelpDisplayContents);
    } else if (inBrowser) {
        shown = OpenPageInBrowser(owner, topic);
    } else if (HtmlHelpFunction htmlHelp = HtmlHelpEntry()) {
        shown = htmlHelp(owner, address.c_str(), kHelpDisplayContents, 0);
    }
    if (!shown) {
        PelmoMessageBox(owner, inBrowser ? kHelpPageMissingText : kHelpMissingText, kHelpCaption,
                        kMbOk | kMbIconInformation);
        return false;
    }
    return true;
}
