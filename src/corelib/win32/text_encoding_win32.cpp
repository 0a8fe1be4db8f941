// On Windows the conversions are the system's own, through UTF-16.
#include <windows.h>

#include <climits>

#include "corelib/text_encoding.h"

namespace {

const UINT kShiftJis = 932;

std::wstring Wide(UINT codePage, const std::string& text) {
    if (text.empty() || text.size() > INT_MAX) return std::wstring();
    int length = MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    if (length > 0) MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), &wide[0], length);
    return wide;
}

std::string Narrow(UINT codePage, const std::wstring& wide) {
    if (wide.empty()) return std::string();
    int size = static_cast<int>(wide.size());
    int length = WideCharToMultiByte(codePage, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<std::size_t>(length), '\0');
    if (length > 0) WideCharToMultiByte(codePage, 0, wide.data(), size, &text[0], length, nullptr, nullptr);
    return text;
}

}  // namespace

// Character by character, so that each one without a Shift-JIS form is counted.
std::string Cp932OfUtf8(const std::string& utf8, std::size_t* unmapped) {
    std::wstring wide = Wide(CP_UTF8, utf8);
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t at = 0; at < wide.size();) {
        std::size_t length = (wide[at] >= 0xD800 && wide[at] <= 0xDBFF && at + 1 < wide.size()) ? 2 : 1;
        char bytes[8];
        BOOL lost = FALSE;
        int written = WideCharToMultiByte(kShiftJis, WC_NO_BEST_FIT_CHARS, wide.data() + at, static_cast<int>(length),
                                          bytes, sizeof bytes, "?", &lost);
        if (lost || written <= 0 || wide[at] == 0xFFFD) {
            out += '?';
            if (unmapped) ++*unmapped;
        } else {
            out.append(bytes, static_cast<std::size_t>(written));
        }
        at += length;
    }
    return out;
}

std::string Utf8OfCp932(const std::string& cp932) { return Narrow(CP_UTF8, Wide(kShiftJis, cp932)); }
