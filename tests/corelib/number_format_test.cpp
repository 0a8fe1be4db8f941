#include <gtest/gtest.h>

#include "corelib/number_format.h"

namespace {

TEST(NumberFormat, PackedFormUnpacks) {
    NumberFormat format = UnpackNumberFormat(0x30001);
    EXPECT_EQ(format.digits, 3);
    EXPECT_EQ(format.decimals, 1);
    EXPECT_EQ(PackNumberFormat(NumberFormat{5, 0}), 0x50000u);
}

TEST(NumberFormat, OneDecimalField) {
    NumberFormat format{3, 1};
    for (const char* ok : {"", "0", "250.0", "250.1", "999.9", ".5", "12.", "1"}) EXPECT_TRUE(NumberTextFits(ok, format)) << ok;
    for (const char* bad : {"1000", "99.99", "1.2.3", "-1", "1e3", "12a", " 1", "１"}) EXPECT_FALSE(NumberTextFits(bad, format)) << bad;
}

TEST(NumberFormat, IntegerFieldTakesNoPoint) {
    NumberFormat format{3, 0};
    EXPECT_TRUE(NumberTextFits("101", format));
    EXPECT_FALSE(NumberTextFits("10.", format));
    EXPECT_FALSE(NumberTextFits("1000", format));
}

}  // namespace
