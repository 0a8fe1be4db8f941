// Help topics in the compiled help file of the data folder. The menu's "目次"
// and the help buttons of the dialogs all go through OpenHelpTopic.
#ifndef PELMO_CORELIB_WIN32_HELP_H
#define PELMO_CORELIB_WIN32_HELP_H

#include <windows.h>

#include <string>

extern const char* const kHelpWelcome;  // "welcome": the contents
extern const char* const kHelpFileName;  // "PELMOFREE.chm"
extern const char* const kHelpMissingText;
extern const char* const kHelpCaption;

// "<data folder>PELMOFREE.chm::/<topic>.htm > MyWin01".
std::string HelpTopicAddress(const char* topic);

// What shows a help address: HtmlHelpA of the system's help viewer unless a
// test puts its own in place (null restores the viewer). Returns the one that was in place.
using HelpViewer = HWND (*)(HWND owner, const char* address, UINT command);
HelpViewer SetHelpViewer(HelpViewer viewer);

// Shows the contents with the topic, owned by owner. False, after telling the
// user, when the help file or the help viewer is missing.
bool OpenHelpTopic(HWND owner, const char* topic);

#endif
