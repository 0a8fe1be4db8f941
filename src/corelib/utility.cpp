#include "corelib/utility.h"

#include <cstring>
#include <ctime>

#include "corelib/msgbox.h"
#include "corelib/sjis.h"

const char kProgramName[] = "ペルモ";

namespace {

std::time_t g_pinnedClock = 0;

bool IsAsciiBlank(char c) { return c == ' ' || c == '\t'; }

// The ideographic space "　" in Shift-JIS.
bool IsWideBlank(const char* p) {
    return static_cast<unsigned char>(p[0]) == 0x81 && static_cast<unsigned char>(p[1]) == 0x40;
}

}  // namespace

std::uint16_t PackDate(int year, int month, int day) {
    return static_cast<std::uint16_t>(((year - 1900) << 9) | (month << 5) | day);
}

void PinClock(std::time_t now) { g_pinnedClock = now; }

void LocalDate(int* year, int* month, int* day) {
    const std::time_t now = g_pinnedClock != 0 ? g_pinnedClock : std::time(nullptr);
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &now);
#else
    localtime_r(&now, &local);
#endif
    *year = local.tm_year + 1900;
    *month = local.tm_mon + 1;
    *day = local.tm_mday;
}

std::uint16_t GetDate() {
    int year = 0, month = 0, day = 0;
    LocalDate(&year, &month, &day);
    return PackDate(year, month, day);
}

char* CutStringSpace(char* text) {
    if (text == nullptr) return text;
    // Walk the characters once: skip the leading blanks, remember where the
    // last non-blank character ends.
    char* p = text;
    while (*p != '\0') {
        if (IsAsciiBlank(*p))
            ++p;
        else if (IsWideBlank(p))
            p += 2;
        else
            break;
    }
    char* start = p;
    char* end = p;
    while (*p != '\0') {
        if (IsAsciiBlank(*p)) {
            ++p;
        } else if (IsWideBlank(p)) {
            p += 2;
        } else {
            p += IsSjisLeadByte(static_cast<unsigned char>(*p)) && p[1] != '\0' ? 2 : 1;
            end = p;
        }
    }
    std::size_t length = static_cast<std::size_t>(end - start);
    std::memmove(text, start, length);
    text[length] = '\0';
    return text;
}

Notice ErrorNotice(const char* text) { return Notice{text, kProgramName, kMbOk | kMbIconInformation}; }

void MsgErr(void* window, const char* text) { ShowNotice(window, ErrorNotice(text)); }
