// The texts of the header and the record, cut to their byte limits without
// splitting a double-byte Shift-JIS character, and made safe to read after a
// file that lacks their terminators.
#ifndef PELMO_DIARY_RECORD_TEXTS_H
#define PELMO_DIARY_RECORD_TEXTS_H

#include <cstddef>

#include "diary/records.h"

constexpr unsigned kNameLimit = 30;
constexpr unsigned kTargetMessageLimit = 80;

void SetUserName(UserHeader& header, const char* name);            // at most 30 bytes
void SetTargetMessage(UserHeader& header, const char* message);   // at most 80 bytes
void SetDiaryText(DailyRecord& record, const char* text);         // at most 999 bytes

// "%s - %s 「%s」" of the user's name, the program's name "ペルモ" and the
// target message: the main window's title while the user is open. Fields
// without a terminator are cut at their capacity, never inside a character.
void FormatMainTitle(const UserHeader& header, char* out, std::size_t size);
constexpr std::size_t kMainTitleSize = 160;

// A text field without its NUL (a damaged or foreign file) is cut at its limit.
// Returns true when something had to be cut.
bool TerminateTexts(UserHeader& header);
bool TerminateTexts(DailyRecord& record);

#endif
