// Start-up puts the shipped food table into an empty data folder and builds
// the food-category cache from it while the splash is shown.
#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>
#include <iterator>
#include <string>

#include "shell/food_cache_start.h"
#include "shell/food_categories.h"
#include "shell/food_table.h"
#include "shell_fixture.h"
#include "support/sandbox.h"

namespace {

std::string FileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

std::string ShippedTable() {
    HRSRC resource = FindResourceA(nullptr, kFoodTableResource, RT_RCDATA);
    if (!resource) return "";
    const char* bytes = static_cast<const char*>(LockResource(LoadResource(nullptr, resource)));
    return std::string(bytes, SizeofResource(nullptr, resource));
}

TEST(FoodCacheStart, TheFirstStartInstallsTheTableAndEveryStartWritesTheCache) {
    Sandbox sandbox;
    const std::string shipped = ShippedTable();
    ASSERT_GT(shipped.size(), 1000u);
    {
        StartedFrame started;
        ASSERT_NE(started.frame(), nullptr);
    }
    EXPECT_TRUE(FileBytes(sandbox.path(kFoodTable)) == shipped);
    EXPECT_EQ(FileBytes(sandbox.path(FoodCategoryFileName(0))).size(), 8 * kFoodCategoryWidth);
    EXPECT_EQ(FileBytes(sandbox.path(FoodCategoryFileName(1))).substr(0, kFoodCategoryWidth),
              std::string("穀類").append(kFoodCategoryWidth - 4, ' '));
    EXPECT_EQ(FileBytes(sandbox.path(FoodCategoryFileName(1))).size(), 18 * kFoodCategoryWidth);

    // A table of the person's own stays; the cache follows it at the next start.
    std::string table = shipped;
    table.replace(table.find("主食"), 4, "朝食");  // the first row's category
    std::ofstream(sandbox.path(kFoodTable), std::ios::binary) << table;
    {
        StartedFrame started;
    }
    EXPECT_TRUE(FileBytes(sandbox.path(kFoodTable)) == table);
    EXPECT_EQ(FileBytes(sandbox.path(FoodCategoryFileName(0))).substr(0, 4), "朝食");
}

// A data folder removed since the last run is made again at the start.
TEST(FoodCacheStart, ADataFolderThatHasGoneIsMadeAgain) {
    Sandbox sandbox;
    ASSERT_TRUE(RemoveDirectoryA(sandbox.folder().c_str()));
    { StartedFrame started; }
    EXPECT_TRUE(FileBytes(sandbox.path(kFoodTable)) == ShippedTable());
}

}  // namespace
