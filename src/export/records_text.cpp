#include "export/records_text.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>

#include "diary/diary_store.h"
#include "diary/target_rules.h"
#include "evaluation/bmi.h"

const char kRecordsTextHeader[] =
    "日付\t体重(kg)\t体脂肪率(%)\tＢＭＩ\t判定\t目標体重との差(kg)\t目標体脂肪率との差(%)\r\n";

namespace {

// printf into a text of any length: a weight read from a damaged file may
// print hundreds of digits.
void AppendFormatted(std::string* text, const char* format, ...) {
    va_list arguments;
    va_start(arguments, format);
    va_list again;
    va_copy(again, arguments);
    int length = std::vsnprintf(nullptr, 0, format, arguments);
    va_end(arguments);
    if (length > 0) {
        std::size_t start = text->size();
        text->resize(start + static_cast<std::size_t>(length) + 1);
        std::vsnprintf(&(*text)[start], static_cast<std::size_t>(length) + 1, format, again);
        text->resize(start + static_cast<std::size_t>(length));
    }
    va_end(again);
}

// "%.1lf" of value, or nothing: a body fat not entered (0), a difference to
// a target that is not set, as the record table leaves them empty.
std::string TenthsText(bool shown, double value) {
    std::string text;
    if (shown) AppendFormatted(&text, "%.1lf", value);
    return text;
}

}  // namespace

void RefreshRecordBmis() {
    const double height = CurrentHeader().height;
    const DailyRecord* records = DiaryRecords();
    for (std::uint32_t i = 0; i < DiaryRecordCount(); ++i) SetRecordBmi(i, BmiOfWeight(records[i].weight, height));
}

std::string RecordsText(const DailyRecord* records, std::uint32_t count, const UserHeader& header) {
    std::string text = kRecordsTextHeader;
    text.reserve(RecordsTextBlockSize(count, 0));
    for (std::uint32_t i = 0; i < count; ++i) {
        const DailyRecord& record = records[i];
        // %.4s stops at a NUL: a damaged date shortens its own cell, never the text.
        char date[16];
        std::snprintf(date, sizeof date, "%.4s/%.2s/%.2s", record.date, record.date + 4, record.date + 6);
        // The BMI and the differences in the tenths the record table shows: printf alone
        // would round a BMI of exactly 31.25 down where the table shows 31.3.
        const bool bodyFat = record.bodyFat != 0;
        AppendFormatted(&text, "%s\t%.1lf\t%s\t%.1lf\t%s\t%s\t%s\r\n", date, record.weight,
                        TenthsText(bodyFat, record.bodyFat).c_str(), ShownTenths(record.bmi),
                        BmiClassName(GetBmiClass(record.bmi)),
                        TenthsText(TargetSet(header.targetWeight), ShownTenths(record.weight - header.targetWeight)).c_str(),
                        TenthsText(bodyFat && TargetSet(header.targetBodyFat),
                                   ShownTenths(record.bodyFat - header.targetBodyFat))
                            .c_str());
    }
    return text;
}

std::size_t RecordsTextBlockSize(std::uint32_t count, std::size_t textLength) {
    return std::max((static_cast<std::size_t>(count) + 1) * kRecordsTextLineSize, textLength + 1);
}
