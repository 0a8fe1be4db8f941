// Help topics in the compiled help file of the data folder. The menu's "目次"
// and the help buttons of the dialogs all go through OpenHelpTopic.
//
// Under Wine there is no engine to show the compiled pages, so there the same
// pages, written beside the data ("<data folder>Help\"), open in the host's
// web browser: Wine's winebrowser hands the page's file address to it.
#ifndef PELMO_CORELIB_WIN32_HELP_H
#define PELMO_CORELIB_WIN32_HELP_H

#include <windows.h>

#include <string>

extern const char* const kHelpWelcome;  // "welcome": the contents
extern const char* const kHelpFileName;  // "PELMOFREE.chm"
extern const char* const kHelpMissingText;
extern const char* const kHelpCaption;
extern const char* const kHelpPagesFolder;  // "Help\\" in the data folder
extern const char* const kHelpPageMissingText;

// True when the program runs under Wine (its system library says so).
bool RunsUnderWine();

// "<data folder>Help\<topic>.htm": the page of a topic for a web browser.
std::string HelpPagePath(const char* topic);
// The file address ("file:///C:/...") of a path: "/" between folders, each
// ASCII character outside letters, digits and "-._~/:" as %XX, any other
// character as it is (Wine reads %XX as one byte each, not as UTF-8).
std::wstring FileAddress(const std::string& path);

// "<data folder>PELMOFREE.chm::/<topic>.htm > MyWin01".
std::string HelpTopicAddress(const char* topic);

// What shows a help address: HtmlHelpA of the system's help viewer unless a
// test puts its own in place (null restores the viewer). Returns the one that was in place.
using HelpViewer = HWND (*)(HWND owner, const char* address, UINT command);
HelpViewer SetHelpViewer(HelpViewer viewer);

// Shows the contents with the topic, owned by owner; under Wine the topic's
// page in the host's browser. False, after telling the user, when the help
// file, its page or the viewer is missing.
bool OpenHelpTopic(HWND owner, const char* topic);

#endif
