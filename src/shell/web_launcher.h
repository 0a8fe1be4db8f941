// Opens the maker's web page in the default browser, after asking.
#ifndef PELMO_SHELL_WEB_LAUNCHER_H
#define PELMO_SHELL_WEB_LAUNCHER_H

#include <windows.h>

#include <string>

extern const char* const kMakerWebPage;

// Asks "インターネットへ接続します。よろしいですか？", reads the browser's command
// for HTML files and starts it with address. 1 when the browser started;
// 0 on Cancel or when it could not be started (the user was told).
int LaunchWebPage(HWND owner, const char* address);

// The same with the browser command given (null: none could be read).
int LaunchWebPageWith(HWND owner, const char* browserCommand, const char* address);

// The command as stored cut behind its last double quote (the quote stays),
// then a space and the address. A command without a quote leaves only
// " address", which cannot start.
std::string BrowserCommandLine(const char* browserCommand, const char* address);

#endif
