// The food table the program ships: what tools/make_food_table.py makes, its
// row layout, the cache it gives, and other programs reading it.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "corelib/dbf.h"
#include "corelib/files.h"
#include "shell/food_categories.h"
#include "shell/food_table.h"
#include "support/run_command.h"
#include "support/sandbox.h"

namespace {

const std::string kShipped = std::string(PELMO_SOURCE_DIR) + "/src/resources/food_table.dbf";

std::string FileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// The entries of a cache file, trailing blanks cut.
std::vector<std::string> Entries(const std::string& name) {
    std::string bytes = FileBytes(DataPath(name.c_str()));
    std::vector<std::string> entries;
    for (std::size_t at = 0; at + kFoodCategoryWidth <= bytes.size(); at += kFoodCategoryWidth) {
        std::string entry = bytes.substr(at, kFoodCategoryWidth);
        entries.push_back(entry.substr(0, entry.find_last_not_of(' ') + 1));
    }
    return entries;
}

TEST(ShippedFoodTable, IsWhatTheScriptMakes) {
    Sandbox sb;
    std::string made = sb.path("made.dbf");
    std::string output = RunCommand("python3 " + Quoted(std::string(PELMO_SOURCE_DIR) + "/tools/make_food_table.py") +
                                    " --output " + Quoted(made) + " 2>&1");
    EXPECT_EQ(output, "");
    std::string shipped = FileBytes(kShipped);
    ASSERT_FALSE(shipped.empty());
    EXPECT_TRUE(FileBytes(made) == shipped) << "run python3 tools/make_food_table.py";
}

// Every row: a kind at byte 55, a category at 56-85, a name and the energy of a serving.
TEST(ShippedFoodTable, RowsCarryKindCategoryNameAndEnergy) {
    Sandbox sb;
    const std::string shipped = FileBytes(kShipped);
    ASSERT_EQ(InstallFoodTable(shipped.data(), shipped.size()), 1);
    DbfInfo info;
    ASSERT_EQ(GetDBFInfo(kFoodTable, &info), 1);
    EXPECT_EQ(info.languageDriver, 0x7B);
    EXPECT_GT(info.rowCount, 100u);
    FileHandle table = FileOpen(kFoodTable, kFileRead);
    ASSERT_NE(table, kInvalidFile);
    std::vector<char> image(info.rowLength + 1);
    int rows = 0;
    for (; ReadDBFRecord2(nullptr, table, rows, image.data()); ++rows) {
        SCOPED_TRACE(rows);
        const char* row = image.data();
        EXPECT_EQ(std::atoi(std::string(row + 1, 5).c_str()), rows + 1);
        EXPECT_NE(std::string(row + 6, 40).find_first_not_of(' '), std::string::npos);  // a name
        const int kcal = std::atoi(std::string(row + 46, 5).c_str());
        EXPECT_TRUE(kcal > 0 && kcal < 2000) << kcal;
        EXPECT_TRUE(row[kFoodKindOffset] == '0' || row[kFoodKindOffset] == '1');
        EXPECT_NE(row[kFoodCategoryOffset], ' ');
    }
    FileClose(table, kFoodTable);
    EXPECT_EQ(static_cast<std::uint32_t>(rows), info.rowCount);

    ASSERT_EQ(BuildFoodCategoryCache(nullptr), 1);
    const std::vector<std::string> dishes = {"主食", "主菜", "副菜", "汁物", "乳製品", "果物", "間食", "飲み物"};
    const std::vector<std::string> groups = {
        "穀類", "いも及びでん粉類", "砂糖及び甘味類", "豆類", "種実類", "野菜類", "果実類", "きのこ類", "藻類",
        "魚介類", "肉類", "卵類", "乳類", "油脂類", "菓子類", "し好飲料類", "調味料及び香辛料類", "調理済み流通食品類"};
    EXPECT_EQ(Entries(FoodCategoryFileName(0)), dishes);
    EXPECT_EQ(Entries(FoodCategoryFileName(1)), groups);
}

TEST(ShippedFoodTable, GdalAndPythonDbfReadItsJapaneseNames) {
    std::string output = RunCommand("ogrinfo -ro -al -q " + Quoted(kShipped) + " 2>&1");
    for (const char* expected : {u8"名称 (String) = 精白米 ごはん\n", u8"ｶﾛﾘｰ (Integer) = 234\n", u8"分量 (Integer) = 150\n",
                                 u8"区分 (String) = 1\n", u8"分類 (String) = 調理済み流通食品類\n",
                                 u8"目安量 (String) = 茶碗1杯\n", u8"名称 (String) = 豆腐とわかめのみそ汁\n"})
        EXPECT_NE(output.find(expected), std::string::npos) << expected << "\n" << output;
    EXPECT_EQ(output.find("ERROR"), std::string::npos) << output;
    EXPECT_NE(RunCommand("ogrinfo -ro -so -al " + Quoted(kShipped)).find("Feature Count: 123\n"), std::string::npos);

    // python3-dbf changes the case of field names byte by byte: no name may suffer from it.
    const std::string script = "import dbf, sys\n"
                               "t = dbf.Table(sys.argv[1]); t.open(dbf.READ_ONLY)\n"
                               "print(str(t.codepage).split()[0], len(t), *t.field_names)\n"
                               "print(*(str(t[122][f]).strip() for f in t.field_names))\n";
    Sandbox sb;
    std::ofstream(sb.path("read.py"), std::ios::binary) << script;
    EXPECT_EQ(RunCommand("/usr/bin/python3 " + Quoted(sb.path("read.py")) + " " + Quoted(kShipped) + " 2>&1"),
              u8"cp932 123 番号 名称 ｶﾛﾘｰ 分量 区分 分類 目安量\n"
              u8"123 ハンバーグステーキ 197 100 1 調理済み流通食品類 1個\n");
}

}  // namespace
