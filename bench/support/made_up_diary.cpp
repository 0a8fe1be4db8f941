#include "support/made_up_diary.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "diary/diary_store.h"

void OpenMadeUpDiary(std::uint32_t days) {
    auto* block = static_cast<DailyRecord*>(std::calloc(days + 1, sizeof(DailyRecord)));
    int year = 2000, month = 1, day = 1;
    for (std::uint32_t i = 0; i < days; ++i) {
        char date[9];
        std::snprintf(date, sizeof date, "%04d%02d%02d", year, month, day);
        std::memcpy(block[i].date, date, 8);
        block[i].weight = 60.0 + (i % 50) * 0.1;
        block[i].bodyFat = 20.0;
        if (++day > 28) {
            day = 1;
            if (++month > 12) month = 1, ++year;
        }
    }
    UserHeader header = {};
    header.height = 170.0;
    header.targetWeight = 65.0;
    AdoptUser(header, block, days, days + 1);
    SetUserOpen();
}
