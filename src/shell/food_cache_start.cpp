#include "shell/food_cache_start.h"

#include "shell/food_categories.h"
#include "shell/food_table.h"

namespace {

// The table the program carries (resource "IDR_FOOD_TABLE", made by tools/make_food_table.py).
void InstallShippedFoodTable(HINSTANCE instance) {
    HRSRC resource = FindResourceA(instance, "IDR_FOOD_TABLE", RT_RCDATA);
    HGLOBAL loaded = resource ? LoadResource(instance, resource) : nullptr;
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    if (bytes) InstallFoodTable(bytes, SizeofResource(instance, resource));
}

}  // namespace

int PrepareFoodCategories(HINSTANCE instance, HWND window) {
    InstallShippedFoodTable(instance);
    return BuildFoodCategoryCache(window);
}
