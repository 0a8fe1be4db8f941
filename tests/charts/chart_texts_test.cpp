// The evaluation and chart texts as the program's resources hand them out.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "resources/resource.h"
#include "resources/texts.h"

namespace {

TEST(ChartTexts, ResourcesMatchThePortableTable) {
    const unsigned ranges[][2] = {{IDS_BMI_CLASS_UNDERWEIGHT, IDS_BMI_CLASS_OBESE4},
                                  {IDS_CHART_ITEM_NONE, IDS_CHART_UNIT_EVALUATION}};
    for (const auto& range : ranges) {
        for (unsigned id = range[0]; id <= range[1]; ++id) {
            char text[64] = {};
            ASSERT_GT(LoadStringA(GetModuleHandleA(nullptr), id, text, sizeof text), 0) << id;
            EXPECT_STREQ(text, PelmoText(id)) << id;
        }
    }
    char text[64] = {};
    LoadStringA(GetModuleHandleA(nullptr), IDS_BMI_CLASS_UNDERWEIGHT, text, sizeof text);
    EXPECT_EQ(std::string(text), "\x92\xe1\x91\xcc\x8f\x64\x81\x40");  // 低体重 and an ideographic space
    LoadStringA(GetModuleHandleA(nullptr), IDS_CHART_ITEM_INTAKE, text, sizeof text);
    EXPECT_EQ(std::string(text), "\x90\xdb\x8e\xe6\xb6\xdb\xd8\xb0");  // 摂取 and half-width ｶﾛﾘｰ
}

}  // namespace
