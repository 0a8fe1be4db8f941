#include "shell/web_launcher.h"

#include "corelib/msgbox.h"

const char* const kMakerWebPage = "http://www.koroworks.com/";

namespace {

const char* const kConnectQuestion = "インターネットへ接続します。よろしいですか？";
const char* const kConnectCaption = "接続確認";
const char* const kBrowserFailed = "ブラウザを起動できません。\nインターネット環境を設定後に、再度お試しください。";
const char* const kBrowserCaption = "KoroWorksのホームページ";
const char* const kBrowserCommandKey = "htmlfile\\shell\\open\\command";
constexpr LONG kBrowserCommandSize = 255;

// The default value of the key, at most 255 bytes; false when it cannot be read.
bool ReadBrowserCommand(char (&command)[kBrowserCommandSize + 1]) {
    LONG size = kBrowserCommandSize;
    command[0] = '\0';
    if (RegQueryValueA(HKEY_CLASSES_ROOT, kBrowserCommandKey, command, &size) != ERROR_SUCCESS) return false;
    command[kBrowserCommandSize] = '\0';
    return true;
}

int ReportFailure(HWND owner) {
    PelmoMessageBox(owner, kBrowserFailed, kBrowserCaption, kMbOk | kMbIconInformation);
    return 0;
}

}  // namespace

// A double quote (0x22) is never the second byte of a Shift-JIS character,
// so the search can go byte by byte.
std::string BrowserCommandLine(const char* browserCommand, const char* address) {
    std::string command = browserCommand ? browserCommand : "";
    std::string::size_type quote = command.rfind('"');
    command.erase(quote == std::string::npos ? 0 : quote + 1);
    return command + " " + address;
}

int LaunchWebPageWith(HWND owner, const char* browserCommand, const char* address) {
    // A command cut to nothing is not started at all: the address alone would
    // be run as a program name.
    if (!browserCommand || BrowserCommandLine(browserCommand, "").size() <= 1) return ReportFailure(owner);
    std::string commandLine = BrowserCommandLine(browserCommand, address);
    if (WinExec(commandLine.c_str(), SW_SHOWNORMAL) < 32) return ReportFailure(owner);
    return 1;
}

int LaunchWebPage(HWND owner, const char* address) {
    if (PelmoMessageBox(owner, kConnectQuestion, kConnectCaption, kMbOkCancel | kMbIconInformation) != kIdOk)
        return 0;
    char command[kBrowserCommandSize + 1];
    return LaunchWebPageWith(owner, ReadBrowserCommand(command) ? command : nullptr, address);
}
