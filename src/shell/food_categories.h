// The food-category cache, rebuilt at every start from the food table: the
// distinct 30-byte classification entries of each kind of row, in the order
// the table first names them, written as plain sequences of 30-byte entries
// into "分類1.DAT" (dishes, kind '0') and "分類2.DAT" (foods, kind '1').
#ifndef PELMO_SHELL_FOOD_CATEGORIES_H
#define PELMO_SHELL_FOOD_CATEGORIES_H

#include <cstddef>
#include <set>
#include <string>
#include <vector>

constexpr int kFoodKindCount = 2;
// Reading stops once a kind holds this many entries.
constexpr std::size_t kFoodCategoryLimit = 10000;

struct FoodCategories {
    std::vector<std::string> entries[kFoodKindCount];  // 30 raw bytes each, in first-seen order
    std::set<std::string> seen[kFoodKindCount];
};

// Takes the entry of one row image (kFoodRowImageMinimum bytes at least).
// Rows whose kind is neither '0' nor '1' are skipped.
void AddFoodRow(FoodCategories* categories, const char* image);

// Reads every row of the food table. false when the table is missing or no
// dBase table.
bool ReadFoodCategories(void* window, FoodCategories* categories);

// "分類%d.DAT" of kind + 1.
std::string FoodCategoryFileName(int kind);

// Writes both files, each crash-safely (a failure leaves the old file whole),
// the dishes first. 1 when both were written; when the first fails, the
// second is not written.
int WriteFoodCategoryFiles(const FoodCategories& categories);

// The start-up step: read the table, write the files. 1 when both files were
// written; 0 when the table cannot be read (nothing is written and the old
// files stay) or a file cannot be written. Nobody is told: the program runs on.
int BuildFoodCategoryCache(void* window);

#endif
