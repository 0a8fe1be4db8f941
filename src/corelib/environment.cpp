#include "corelib/environment.h"

#include <cstdlib>

#include "corelib/folders.h"

const char* const kDefaultRegistryKey = "Software\\KoroWorks\\Pelmo free";

namespace {

std::string g_registryKey;
std::string g_dataFolder;

std::string FromEnvironment(const char* name) {
    const char* value = std::getenv(name);
    return value ? std::string(value) : std::string();
}

}  // namespace

std::string RegistryRootKey() {
    if (!g_registryKey.empty()) return g_registryKey;
    std::string key = FromEnvironment("PELMO_REGISTRY_KEY");
    return key.empty() ? std::string(kDefaultRegistryKey) : key;
}

void SetRegistryRootKey(const std::string& key) { g_registryKey = key; }

std::string DataFolderOverride() {
    if (!g_dataFolder.empty()) return g_dataFolder;
    return WithPathSeparator(FromEnvironment("PELMO_DATA_DIR"));
}

void SetDataFolderOverride(const std::string& folder) { g_dataFolder = WithPathSeparator(folder); }
