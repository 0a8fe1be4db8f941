#include "corelib/text_encoding.h"

#include <cstdint>

namespace {

// The length of the UTF-8 sequence at bytes[at], or 0 when none starts there.
std::size_t Utf8SequenceLength(const unsigned char* bytes, std::size_t size, std::size_t at) {
    unsigned char lead = bytes[at];
    if (lead < 0x80) return 1;
    std::size_t length = 0;
    std::uint32_t lowest = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        lowest = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        lowest = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        lowest = 0x10000;
    } else {
        return 0;
    }
    if (size - at < length) return 0;
    std::uint32_t code = lead & (0x7F >> length);
    for (std::size_t i = 1; i < length; ++i) {
        if ((bytes[at + i] & 0xC0) != 0x80) return 0;
        code = (code << 6) | (bytes[at + i] & 0x3F);
    }
    if (code < lowest || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return 0;
    return length;
}

void AppendUtf8(std::string* out, std::uint32_t code) {
    if (code < 0x80) {
        out->push_back(static_cast<char>(code));
    } else if (code < 0x800) {
        out->push_back(static_cast<char>(0xC0 | (code >> 6)));
        out->push_back(static_cast<char>(0x80 | (code & 0x3F)));
    } else if (code < 0x10000) {
        out->push_back(static_cast<char>(0xE0 | (code >> 12)));
        out->push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
        out->push_back(static_cast<char>(0x80 | (code & 0x3F)));
    } else {
        out->push_back(static_cast<char>(0xF0 | (code >> 18)));
        out->push_back(static_cast<char>(0x80 | ((code >> 12) & 0x3F)));
        out->push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
        out->push_back(static_cast<char>(0x80 | (code & 0x3F)));
    }
}

}  // namespace

bool IsUtf8(const char* bytes, std::size_t size) {
    const unsigned char* text = reinterpret_cast<const unsigned char*>(bytes);
    for (std::size_t at = 0; at < size;) {
        std::size_t length = Utf8SequenceLength(text, size, at);
        if (length == 0) return false;
        at += length;
    }
    return true;
}

std::string Utf8OfUtf16(const char* bytes, std::size_t size, bool bigEndian) {
    const unsigned char* text = reinterpret_cast<const unsigned char*>(bytes);
    std::string out;
    out.reserve(size + size / 2);
    auto unit = [&](std::size_t at) -> std::uint32_t {
        return bigEndian ? (text[at] << 8) | text[at + 1] : text[at] | (text[at + 1] << 8);
    };
    for (std::size_t at = 0; at + 1 < size; at += 2) {
        std::uint32_t code = unit(at);
        if (code >= 0xD800 && code <= 0xDBFF && at + 3 < size) {
            std::uint32_t low = unit(at + 2);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
                at += 2;
            }
        }
        if (code >= 0xD800 && code <= 0xDFFF) code = 0xFFFD;
        AppendUtf8(&out, code);
    }
    return out;
}
