#ifndef PELMO_TESTS_SUPPORT_REPEAT_TEXT_H
#define PELMO_TESTS_SUPPORT_REPEAT_TEXT_H

#include <string>

// `times` copies of `piece` (a character of one or two Shift-JIS bytes, or more).
inline std::string Repeat(const char* piece, int times) {
    std::string text;
    for (int i = 0; i < times; ++i) text += piece;
    return text;
}

#endif
