#include <string>

#include "corelib/sjis.h"
#include "support/timing.h"

PELMO_TIMING(SjisFitLengthOfDiaryText, 1000) {
    static std::string text;
    while (text.size() < 1200) text += "今日は体重が少し減った。";
    volatile std::size_t length = SjisFitLength(text.c_str(), 999);
    (void)length;
}
