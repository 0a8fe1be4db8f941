#include "shell/food_cache_start.h"

#include "shell/food_categories.h"
#include "shell/food_table.h"

namespace {

void InstallShippedFoodTable(HINSTANCE instance) {
    HRSRC resource = FindResourceA(instance, kFoodTableResource, RT_RCDATA);
    HGLOBAL loaded = resource ? LoadResource(instance, resource) : nullptr;
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    if (bytes) InstallFoodTable(bytes, SizeofResource(instance, resource));
}

}  // namespace

int PrepareFoodCategories(HINSTANCE instance, HWND window) {
    InstallShippedFoodTable(instance);
    return BuildFoodCategoryCache(window);
}
