#include "shell/food_categories.h"

#include <algorithm>
#include <cstdio>

#include "corelib/dbf.h"
#include "corelib/files.h"
#include "shell/food_table.h"

void AddFoodRow(FoodCategories* categories, const char* image) {
    const int kind = image[kFoodKindOffset] - '0';
    if (kind < 0 || kind >= kFoodKindCount) return;
    std::string entry(image + kFoodCategoryOffset, kFoodCategoryWidth);
    if (categories->seen[kind].insert(entry).second) categories->entries[kind].push_back(entry);
}

bool ReadFoodCategories(void* window, FoodCategories* categories) {
    DbfInfo info;
    if (!GetDBFInfo(kFoodTable, &info)) return false;
    FileHandle table = FileOpen(kFoodTable, kFileRead);
    if (table == kInvalidFile) return false;
    // Room for the whole row and its NUL, and never less than the two ranges
    // read: a row too short for them leaves zero bytes there, no kind.
    std::vector<char> image(std::max<std::size_t>(info.rowLength, kFoodRowImageMinimum) + 1, 0);
    for (int row = 0;; ++row) {
        if (categories->entries[0].size() >= kFoodCategoryLimit ||
            categories->entries[1].size() >= kFoodCategoryLimit)
            break;
        if (!ReadDBFRecord2(window, table, row, image.data())) break;
        AddFoodRow(categories, image.data());
    }
    FileClose(table, kFoodTable);
    return true;
}

std::string FoodCategoryFileName(int kind) {
    char name[32];
    std::snprintf(name, sizeof name, "分類%d.DAT", kind + 1);
    return name;
}

int WriteFoodCategoryFiles(const FoodCategories& categories) {
    for (int kind = 0; kind < kFoodKindCount; ++kind) {
        std::string bytes;
        for (const std::string& entry : categories.entries[kind]) bytes += entry;
        FilePart part{bytes.data(), bytes.size()};
        if (!WriteFileAtomically(FoodCategoryFileName(kind).c_str(), &part, 1, FileFlush::kRebuiltFile)) return 0;
    }
    return 1;
}

int BuildFoodCategoryCache(void* window) {
    FoodCategories categories;
    if (!ReadFoodCategories(window, &categories)) return 0;
    return WriteFoodCategoryFiles(categories);
}
