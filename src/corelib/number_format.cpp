#include "corelib/number_format.h"

bool NumberTextFits(const char* text, NumberFormat format) {
    int before = 0, after = 0;
    bool point = false;
    for (const char* p = text; *p != '\0'; ++p) {
        if (*p == '.') {
            if (point || format.decimals <= 0) return false;
            point = true;
        } else if (*p >= '0' && *p <= '9') {
            if (point)
                ++after;
            else
                ++before;
        } else {
            return false;
        }
    }
    return before <= format.digits && after <= format.decimals;
}
