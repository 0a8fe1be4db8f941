// Small helpers of the utility library: today's packed date, string-table
// texts, trimming, error boxes and the top-level window.
#ifndef PELMO_CORELIB_UTILITY_H
#define PELMO_CORELIB_UTILITY_H

#include <cstdint>
#include <ctime>

#include "corelib/notice.h"

// Today (local time) in 16 bits: day bits 0-4, month bits 5-8, year - 1900 bits 9-15.
// The seven year bits end with 2027: a later year wraps round to 1900.
std::uint16_t GetDate();
// Today (local time) with the year in full.
void LocalDate(int* year, int* month, int* day);
// The clock the program reads; 0 returns to the system's clock (tests pin a time).
void PinClock(std::time_t now);
std::uint16_t PackDate(int year, int month, int day);
inline int PackedDateYear(std::uint16_t date) { return (date >> 9) + 1900; }
inline int PackedDateMonth(std::uint16_t date) { return (date >> 5) & 0x0F; }
inline int PackedDateDay(std::uint16_t date) { return date & 0x1F; }

// The string-table text id of the module instance (HINSTANCE or null for the
// program). The text lives in one static buffer: use it before the next call.
// Natively there is no string table: the text is "".
const char* GetRS(void* instance, unsigned id);

// Removes blanks at both ends in place: ASCII spaces and tabs and the
// ideographic space "　" (0x81 0x40), never half a double-byte character.
// Returns text.
char* CutStringSpace(char* text);

// The program's name as it shows it: the caption of error boxes, the main
// window's title without a user.
extern const char kProgramName[];  // "ペルモ"

// An error box: text, the program's name as caption, information icon.
void MsgErr(void* window, const char* text);
// The notice of the error box MsgErr shows.
Notice ErrorNotice(const char* text);

// The top-level window that owns window (itself when it has no parent);
// natively window itself.
void* GetTopParent(void* window);

#endif
