// Shift-JIS (code page 932) text handled character by character: a byte-wise
// search for '\\' finds the trail byte of 表 or ソ, and a byte-wise cut can
// leave half a character behind.
#ifndef PELMO_CORELIB_SJIS_H
#define PELMO_CORELIB_SJIS_H

#include <cstddef>

// True for the first byte of a double-byte character (0x81..0x9F, 0xE0..0xFC).
inline bool IsSjisLeadByte(unsigned char byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

// True for a byte that may follow a lead byte (0x40..0x7E, 0x80..0xFC).
inline bool IsSjisTrailByte(unsigned char byte) { return byte >= 0x40 && byte <= 0xFC && byte != 0x7F; }

// The length of the longest prefix of text (at most limit bytes, stopping at
// NUL) that does not split a double-byte character.
std::size_t SjisFitLength(const char* text, std::size_t limit);

// Copies text into out (capacity bytes including the NUL), cut without splitting
// a character. Returns the bytes copied.
std::size_t SjisCopy(char* out, std::size_t capacity, const char* text);

// The byte with an ASCII small letter made capital; any other byte as it is.
inline unsigned char FoldAsciiLetter(unsigned char byte) {
    return byte >= 'a' && byte <= 'z' ? static_cast<unsigned char>(byte - 'a' + 'A') : byte;
}

// Equal but for the case of ASCII letters, character by character, so that a
// trail byte is never folded: file and table names as Windows compares them.
bool SameTextIgnoringCase(const char* a, const char* b);

// The last occurrence of an ASCII character c in text, or null; trail bytes never match.
const char* SjisFindLast(const char* text, char c);

#endif
