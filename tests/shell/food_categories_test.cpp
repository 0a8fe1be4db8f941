// The food-category cache: distinct entries of each kind in first-seen order,
// written whole and crash-safely, and nothing written without a table.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "corelib/dbf_table.h"
#include "corelib/files.h"
#include "shell/food_categories.h"
#include "shell/food_table.h"
#include "support/sandbox.h"

namespace {

const char kMissing[] = "<missing>";

// A classification entry: text padded to 30 bytes with pad.
std::string Entry(const std::string& text, char pad = ' ') {
    std::string entry = text;
    entry.resize(kFoodCategoryWidth, pad);
    return entry;
}

struct FoodRow {
    char kind;
    std::string entry;  // 30 bytes
};

// A food table of these rows: 54 bytes of name, the kind, the entry.
void MakeFoodTable(const std::vector<FoodRow>& rows) {
    const DbfFieldSpec fields[] = {{"NAME", 'C', 54, 0}, {"KIND", 'C', 1, 0}, {"CLASS", 'C', 30, 0}};
    DbfTable table;
    ASSERT_TRUE(NewDbf(fields, 3, &table));
    for (const FoodRow& row : rows) {
        std::string stored = " " + std::string(54, 'x') + row.kind + row.entry;
        ASSERT_EQ(stored.size(), kFoodRowImageMinimum);
        table.rows.insert(table.rows.end(), stored.begin(), stored.end());
    }
    ASSERT_TRUE(SaveDbf(kFoodTable, table));
}

std::string Contents(const std::string& name) {
    if (!FileExists(name.c_str())) return kMissing;
    std::ifstream in(DataPath(name.c_str()), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteFile(const std::string& name, const std::string& bytes) {
    std::ofstream(DataPath(name.c_str()), std::ios::binary) << bytes;
}

std::string Joined(const std::vector<std::string>& entries) {
    std::string bytes;
    for (const std::string& entry : entries) bytes += entry;
    return bytes;
}

const std::string kDishes = FoodCategoryFileName(0);
const std::string kFoods = FoodCategoryFileName(1);

TEST(FoodCategories, EachKindKeepsItsDistinctEntriesInFirstSeenOrder) {
    EXPECT_EQ(kDishes, "分類1.DAT");
    EXPECT_EQ(kFoods, "分類2.DAT");
    struct Case {
        const char* what;
        std::vector<FoodRow> rows;
        std::vector<std::string> dishes, foods;
    };
    const Case cases[] = {
        {"every row a food", {{'1', Entry("穀類")}, {'1', Entry("野菜類")}, {'1', Entry("穀類")}}, {},
         {Entry("穀類"), Entry("野菜類")}},
        {"the same entry within and across the kinds",
         {{'0', Entry("主食")}, {'1', Entry("主食")}, {'0', Entry("主菜")}, {'0', Entry("主食")}, {'1', Entry("主食")}},
         {Entry("主食"), Entry("主菜")},
         {Entry("主食")}},
        {"entries that differ only in their padding",
         {{'0', Entry("主食")}, {'0', Entry("主食", '\0')}, {'0', Entry("主食　")}, {'0', Entry("主食", '\0')}},
         {Entry("主食"), Entry("主食", '\0'), Entry("主食　")},
         {}},
        {"kinds other than 0 and 1 are skipped",
         {{'2', Entry("汁物")}, {' ', Entry("汁物")}, {'/', Entry("汁物")}, {'A', Entry("汁物")}, {'1', Entry("藻類")}},
         {},
         {Entry("藻類")}},
        {"an empty table", {}, {}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Sandbox sb;
        MakeFoodTable(c.rows);
        EXPECT_EQ(BuildFoodCategoryCache(nullptr), 1);
        EXPECT_EQ(Contents(kDishes), Joined(c.dishes));
        EXPECT_EQ(Contents(kFoods), Joined(c.foods));
    }
}

// Far beyond the 2,184 entries a 16-bit byte count could write; reading stops
// once a kind holds 10,000.
TEST(FoodCategories, LargeKindsAreWrittenWholeUpToTheLimit) {
    Sandbox sb;
    std::vector<FoodRow> rows;
    std::vector<std::string> foods, dishes;
    char text[32];
    for (int i = 0; i < 3000; ++i) {
        std::snprintf(text, sizeof text, "食品群%05d", i);
        foods.push_back(Entry(text));
        rows.push_back({'1', foods.back()});
    }
    for (int i = 0; i < 10001; ++i) {
        std::snprintf(text, sizeof text, "料理%05d", i);
        if (i < 10000) dishes.push_back(Entry(text));
        rows.push_back({'0', Entry(text)});
    }
    rows.push_back({'1', Entry("読まれない")});
    MakeFoodTable(rows);
    EXPECT_EQ(BuildFoodCategoryCache(nullptr), 1);
    EXPECT_EQ(Contents(kFoods).size(), 3000 * kFoodCategoryWidth);
    EXPECT_EQ(Contents(kFoods), Joined(foods));
    EXPECT_EQ(Contents(kDishes), Joined(dishes));
}

TEST(FoodCategories, WithoutAReadableTableTheOldFilesStay) {
    Sandbox sb;
    WriteFile(kDishes, "old dishes");
    EXPECT_EQ(BuildFoodCategoryCache(nullptr), 0);  // no table
    EXPECT_EQ(Contents(kDishes), "old dishes");
    EXPECT_EQ(Contents(kFoods), kMissing);
    WriteFile(kFoodTable, "no dBase table");
    EXPECT_EQ(BuildFoodCategoryCache(nullptr), 0);
    EXPECT_EQ(Contents(kDishes), "old dishes");
    EXPECT_EQ(Contents(kFoods), kMissing);
}

// A write that fails or dies midway leaves the old file whole, and the
// second file is not written after the first failed.
TEST(FoodCategories, AFailedWriteLeavesNoTornFile) {
    for (AtomicFailure step : {AtomicFailure::kCreate, AtomicFailure::kWrite, AtomicFailure::kRename,
                               AtomicFailure::kCrashMidWrite}) {
        SCOPED_TRACE(static_cast<int>(step));
        Sandbox sb;
        MakeFoodTable({{'0', Entry("主食")}, {'1', Entry("穀類")}});
        WriteFile(kDishes, Entry("前の主食"));
        WriteFile(kFoods, Entry("前の穀類"));
        SetAtomicFailure(step);
        EXPECT_EQ(BuildFoodCategoryCache(nullptr), 0);
        SetAtomicFailure(AtomicFailure::kNone);
        EXPECT_EQ(Contents(kDishes), Entry("前の主食"));
        EXPECT_EQ(Contents(kFoods), Entry("前の穀類"));
        EXPECT_EQ(BuildFoodCategoryCache(nullptr), 1);  // the next start mends both
        EXPECT_EQ(Contents(kDishes), Entry("主食"));
        EXPECT_EQ(Contents(kFoods), Entry("穀類"));
    }
}

}  // namespace
