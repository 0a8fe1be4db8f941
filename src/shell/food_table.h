// The dishes-and-foods table "料理食品.DBF" of the data folder. The program
// ships one (made by tools/make_food_table.py) and puts it there whenever it
// is missing. Only two byte ranges of a row are fixed; the rest is the table's.
#ifndef PELMO_SHELL_FOOD_TABLE_H
#define PELMO_SHELL_FOOD_TABLE_H

#include <cstddef>

extern const char* const kFoodTable;  // "料理食品.DBF"

// In a row image as ReadDBFRecord2 gives it (byte 0 is the deletion flag):
constexpr std::size_t kFoodKindOffset = 55;      // '0' a dish, '1' a food
constexpr std::size_t kFoodCategoryOffset = 56;  // the dish category or food group
constexpr std::size_t kFoodCategoryWidth = 30;   // raw bytes, padded as stored
constexpr std::size_t kFoodRowImageMinimum = kFoodCategoryOffset + kFoodCategoryWidth;

// Writes the shipped table (size bytes) into the data folder, crash-safely,
// when no table is there; a table that is there is left as it is. 1 when a
// table is there afterwards.
int InstallFoodTable(const void* bytes, std::size_t size);

#endif
