// Where this run keeps its settings and its data.
//
// A normal run uses HKEY_CURRENT_USER\Software\KoroWorks\Pelmo free and the
// data folder named by "SystemDir". Tests (and anyone who wants a second,
// separate diary) redirect both, either for the process through the
// environment variables PELMO_REGISTRY_KEY and PELMO_DATA_DIR, or in-process.
#ifndef PELMO_CORELIB_ENVIRONMENT_H
#define PELMO_CORELIB_ENVIRONMENT_H

#include <string>

extern const char* const kDefaultRegistryKey;  // "Software\\KoroWorks\\Pelmo free"

// The key under HKEY_CURRENT_USER that holds the areas "Settings" and "Install".
std::string RegistryRootKey();
void SetRegistryRootKey(const std::string& key);  // "" returns to the environment/default

// A data folder that replaces "SystemDir" for this run, with its final
// separator; "" when none is set.
std::string DataFolderOverride();
void SetDataFolderOverride(const std::string& folder);  // "" returns to the environment

#endif
