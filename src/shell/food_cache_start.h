// Start-up's food step, while the splash is shown: the shipped food table
// into the data folder when it is missing there, then the food-category cache.
#ifndef PELMO_SHELL_FOOD_CACHE_START_H
#define PELMO_SHELL_FOOD_CACHE_START_H

#include <windows.h>

// The RCDATA resource holding the shipped table (made by tools/make_food_table.py).
constexpr char kFoodTableResource[] = "IDR_FOOD_TABLE";

// 1 when both cache files were written. Nothing is shown to the person.
int PrepareFoodCategories(HINSTANCE instance, HWND window);

#endif
