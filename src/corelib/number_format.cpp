#include "corelib/number_format.h"

#include <cstdio>

NumberRefusal NumberTextRefusal(const char* text, NumberFormat format) {
    int before = 0, after = 0;
    bool point = false;
    for (const char* p = text; *p != '\0'; ++p) {
        if (*p == '.') {
            if (point || format.decimals <= 0) return NumberRefusal::kNotANumber;
            point = true;
        } else if (*p >= '0' && *p <= '9') {
            if (point)
                ++after;
            else
                ++before;
        } else {
            return NumberRefusal::kNotANumber;
        }
    }
    if (before > format.digits) return NumberRefusal::kTooManyDigits;
    if (after > format.decimals) return NumberRefusal::kTooManyDecimals;
    return NumberRefusal::kNone;
}

void NumberRefusalText(NumberRefusal refusal, NumberFormat format, char* out) {
    out[0] = '\0';
    switch (refusal) {
    case NumberRefusal::kNone:
        break;
    case NumberRefusal::kNotANumber:
        std::snprintf(out, kRefusalTextSize, "%s",
                      format.decimals > 0 ? "数字と小数点(.)のみ入力できます。" : "数字のみ入力できます。");
        break;
    case NumberRefusal::kTooManyDigits:
        if (format.decimals > 0)
            std::snprintf(out, kRefusalTextSize, "整数は%d桁、小数は%d桁まで入力できます。", format.digits,
                          format.decimals);
        else
            std::snprintf(out, kRefusalTextSize, "%d桁まで入力できます。", format.digits);
        break;
    case NumberRefusal::kTooManyDecimals:
        std::snprintf(out, kRefusalTextSize, "小数は%d桁まで入力できます。", format.decimals);
        break;
    }
}
