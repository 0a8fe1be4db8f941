#include <gtest/gtest.h>

#include "corelib/number_format.h"

namespace {

TEST(NumberFormat, PackedFormUnpacks) {
    NumberFormat format = UnpackNumberFormat(0x30001);
    EXPECT_EQ(format.digits, 3);
    EXPECT_EQ(format.decimals, 1);
    EXPECT_EQ(PackNumberFormat(NumberFormat{5, 0}), 0x50000u);
}

// What a field refuses and what it says: the first fault from the left.
TEST(NumberFormat, RefusalsAndTheirTexts) {
    const NumberFormat weight{3, 1}, age{3, 0};
    const struct {
        const char* text;
        NumberFormat format;
        NumberRefusal refusal;
        const char* told;
    } cases[] = {
        {"", weight, NumberRefusal::kNone, ""},
        {"250.0", weight, NumberRefusal::kNone, ""},
        {"999.9", weight, NumberRefusal::kNone, ""},
        {".5", weight, NumberRefusal::kNone, ""},
        {"12.", weight, NumberRefusal::kNone, ""},
        {"101", age, NumberRefusal::kNone, ""},
        {"-12", weight, NumberRefusal::kNotANumber, "数字と小数点(.)のみ入力できます。"},
        {"1e2", weight, NumberRefusal::kNotANumber, "数字と小数点(.)のみ入力できます。"},
        {"1.2.3", weight, NumberRefusal::kNotANumber, "数字と小数点(.)のみ入力できます。"},
        {" 1", weight, NumberRefusal::kNotANumber, "数字と小数点(.)のみ入力できます。"},
        {"１", weight, NumberRefusal::kNotANumber, "数字と小数点(.)のみ入力できます。"},
        {"10.", age, NumberRefusal::kNotANumber, "数字のみ入力できます。"},
        {"-1", age, NumberRefusal::kNotANumber, "数字のみ入力できます。"},
        {"1000", weight, NumberRefusal::kTooManyDigits, "整数は3桁、小数は1桁まで入力できます。"},
        {"1000", age, NumberRefusal::kTooManyDigits, "3桁まで入力できます。"},
        {"99.99", weight, NumberRefusal::kTooManyDecimals, "小数は1桁まで入力できます。"},
        {"1000.55", weight, NumberRefusal::kTooManyDigits, "整数は3桁、小数は1桁まで入力できます。"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(NumberTextRefusal(c.text, c.format), c.refusal);
        EXPECT_EQ(NumberTextFits(c.text, c.format), c.refusal == NumberRefusal::kNone);
        char told[kRefusalTextSize];
        NumberRefusalText(c.refusal, c.format, told);
        EXPECT_STREQ(told, c.told);
    }
}

}  // namespace
