// Text of other programs in the program's own code page 932 (Shift-JIS), and
// back: files that spreadsheets and phone apps write in UTF-8 or UTF-16.
#ifndef PELMO_CORELIB_TEXT_ENCODING_H
#define PELMO_CORELIB_TEXT_ENCODING_H

#include <cstddef>
#include <string>

// True when bytes are UTF-8 throughout (ASCII alone is UTF-8 too).
bool IsUtf8(const char* bytes, std::size_t size);

// UTF-16 (little- or big-endian, no byte-order mark) as UTF-8; a lone
// surrogate becomes U+FFFD.
std::string Utf8OfUtf16(const char* bytes, std::size_t size, bool bigEndian);

// UTF-8 as code page 932. A character code page 932 has no form for becomes
// "?" and is counted into *unmapped (when given); bytes that are not UTF-8
// count the same.
std::string Cp932OfUtf8(const std::string& utf8, std::size_t* unmapped = nullptr);

// Code page 932 as UTF-8; a byte that starts no character becomes U+FFFD.
std::string Utf8OfCp932(const std::string& cp932);

#endif
