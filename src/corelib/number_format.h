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

// Why a text does not fit a format, the first fault from the left.
enum class NumberRefusal {
    kNone,             // it fits
    kNotANumber,       // a character other than a digit, or a point the format has no room for
    kTooManyDigits,    // more digits before the point than the format has
    kTooManyDecimals,  // more digits after the point
};
NumberRefusal NumberTextRefusal(const char* text, NumberFormat format);

// True when text (possibly empty, as while typing) fits the format.
inline bool NumberTextFits(const char* text, NumberFormat format) {
    return NumberTextRefusal(text, format) == NumberRefusal::kNone;
}

constexpr int kRefusalTextSize = 96;
// What a number field tells (in a balloon) when it refuses what was typed
// or pasted: out receives kRefusalTextSize bytes, "" for kNone.
void NumberRefusalText(NumberRefusal refusal, NumberFormat format, char* out);

#endif
