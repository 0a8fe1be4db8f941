#include "diary/day_form.h"

#include <cstring>

#include "corelib/sjis.h"

const char kDiaryPlaceholder[] = "◇◇◇日記を書込めます 〆(．．)ﾒﾓﾒﾓ ◇◇◇";
const char kBadWeightText[] = "体重は1.0～200.0の間で入力してください。";
const char kBadBodyFatText[] = "体脂肪率は1.0～50.0の間で入力してください。";
const char kDayDialogCaption[] = "一日の記録";

namespace {
constexpr double kMinWeight = 1.0;
constexpr double kMaxWeight = 200.0;
constexpr double kMinBodyFat = 1.0;
constexpr double kMaxBodyFat = 50.0;
}  // namespace

DayCheck CheckDay(double weight, double bodyFat) {
    // Written so that a value that is not a number fails too.
    if (!(weight >= kMinWeight && weight <= kMaxWeight)) return kDayBadWeight;
    if (!(bodyFat == 0 || (bodyFat >= kMinBodyFat && bodyFat <= kMaxBodyFat))) return kDayBadBodyFat;
    return kDayValid;
}

void StoredDiaryText(const char* fieldText, char* out) {
    if (!fieldText || std::strcmp(fieldText, kDiaryPlaceholder) == 0) {
        out[0] = '\0';
        return;
    }
    SjisCopy(out, kDiaryTextLimit + 1, fieldText);
}

DayFieldMove NextFieldFrom(const InputItemFlags& items, int firstItem) {
    for (int i = firstItem < 0 ? 0 : firstItem; i < kInputItemCount; ++i) {
        if (!items.on[i]) continue;
        if (i == kItemBodyFat) return kMoveToBodyFat;
        if (i == kItemIntake || i == kItemExercise) return kMoveRegister;
        return kMoveNowhere;  // temperature, condition, sleep, steps: no field in this dialog
    }
    return kMoveRegister;
}
