#include "support/long_diary.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "corelib/dbf.h"
#include "corelib/dates.h"
#include "diary/diary_store.h"
#include "diary/record_texts.h"
#include "diary/user_file.h"
#include "diary/users_table.h"

void LongDiaryDate(long n, char* date) {
    char shown[kShownDateSize];
    DateOfDayNumber(n + 1, shown);  // "YYYY/MM/DD"; day number 1 is 2000-01-01
    std::memcpy(date, shown, 4);
    std::memcpy(date + 4, shown + 5, 2);
    std::memcpy(date + 6, shown + 8, 2);
}

bool WriteLongDiary(long number, long days, const char* name) {
    char row[kUsersRowLength + 1];
    FormatUsersRow(number, name, row);
    if (!EnsureUsersTable() || !WriteDBFRecord(nullptr, kUsersTable, row, kUsersNameField)) return false;
    auto* block = static_cast<DailyRecord*>(std::calloc(static_cast<std::size_t>(days) + 1, sizeof(DailyRecord)));
    if (!block) return false;
    for (long i = 0; i < days; ++i) {
        LongDiaryDate(i, block[i].date);
        block[i].weight = 60.0 + (i % 40) * 0.1;
        block[i].bodyFat = 22.0 + (i % 7) * 0.1;
        char text[64];
        std::snprintf(text, sizeof text, "%ld日目。よく歩いた。", i + 1);
        SetDiaryText(block[i], text);
    }
    UserHeader header = {};
    header.formatMark = 'A';
    header.userNumber = static_cast<std::int32_t>(number);
    SetUserName(header, name);
    header.age = 45;
    header.height = 165.0;
    header.targetWeight = 58.0;
    header.targetBodyFat = 20.0;
    SetTargetMessage(header, "十年続ける");
    AdoptUser(header, block, static_cast<std::uint32_t>(days), static_cast<std::uint32_t>(days + 1));
    SetUserOpen();
    return SaveUser().done;
}
