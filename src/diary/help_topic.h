// The compiled help of the program, opened at a topic.
#ifndef PELMO_DIARY_HELP_TOPIC_H
#define PELMO_DIARY_HELP_TOPIC_H

#include <windows.h>

#include <string>

// "%sPELMOFREE.chm::/%s.htm > MyWin01" of the data folder and the topic.
std::string HelpTopicPath(const char* topic);
// Shows the topic, owned by window; nothing happens without a help viewer.
void ShowHelpTopic(HWND window, const char* topic);

#endif
