#include "corelib/sjis.h"

#include <cstring>

std::size_t SjisFitLength(const char* text, std::size_t limit) {
    std::size_t i = 0;
    while (i < limit && text[i] != '\0') {
        std::size_t width = IsSjisLeadByte(static_cast<unsigned char>(text[i])) && text[i + 1] != '\0' ? 2 : 1;
        if (i + width > limit) break;
        i += width;
    }
    return i;
}

std::size_t SjisCopy(char* out, std::size_t capacity, const char* text) {
    if (capacity == 0) return 0;
    std::size_t length = SjisFitLength(text, capacity - 1);
    std::memcpy(out, text, length);
    out[length] = '\0';
    return length;
}

const char* SjisFindLast(const char* text, char c) {
    const char* found = nullptr;
    for (const char* p = text; *p != '\0';) {
        if (IsSjisLeadByte(static_cast<unsigned char>(*p)) && p[1] != '\0') {
            p += 2;
            continue;
        }
        if (*p == c) found = p;
        ++p;
    }
    return found;
}

bool SameTextIgnoringCase(const char* a, const char* b) {
    while (*a != '\0' && *b != '\0') {
        const unsigned char ca = static_cast<unsigned char>(*a);
        if (IsSjisLeadByte(ca) && a[1] != '\0') {
            if (a[0] != b[0] || a[1] != b[1]) return false;
            a += 2;
            b += 2;
            continue;
        }
        if (FoldAsciiLetter(ca) != FoldAsciiLetter(static_cast<unsigned char>(*b))) return false;
        ++a;
        ++b;
    }
    return *a == '\0' && *b == '\0';
}
