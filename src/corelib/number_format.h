// What a number field accepts: at most `digits` digits before the point and
// `decimals` after it, one point only when decimals are allowed.
#ifndef PELMO_CORELIB_NUMBER_FORMAT_H
#define PELMO_CORELIB_NUMBER_FORMAT_H

#include <cstdint>

struct NumberFormat {
    int digits;
    int decimals;
};

// The packed form fields are given: digits in the high 16 bits, decimals in the low (0x30001 = 999.9).
inline NumberFormat UnpackNumberFormat(uint32_t packed) {
    return NumberFormat{static_cast<int>(packed >> 16), static_cast<int>(packed & 0xFFFF)};
}
inline uint32_t PackNumberFormat(NumberFormat format) {
    return (static_cast<uint32_t>(format.digits) << 16) | static_cast<uint32_t>(format.decimals & 0xFFFF);
}

// True when text (possibly empty, as while typing) fits the format.
bool NumberTextFits(const char* text, NumberFormat format);

#endif
