// The native stand-in of the registry: values in memory for the run, kept
// apart per root key so that every test's sandbox starts empty.
#include <cstring>
#include <map>
#include <string>
#include <tuple>

#include "corelib/environment.h"
#include "corelib/registry.h"
#include "corelib/sjis.h"

namespace {

using ValueKey = std::tuple<std::string, int, std::string>;

std::map<ValueKey, std::string>& Values() {
    static std::map<ValueKey, std::string> values;
    return values;
}

bool IsKnownArea(int area) { return area == kAreaInstall || area == kAreaSettings; }

}  // namespace

int GetRegistryValue(const char* name, char* buffer, int size, int area) {
    if (!IsKnownArea(area) || buffer == nullptr || size <= 0) return 0;
    buffer[0] = '\0';
    auto found = Values().find(ValueKey(RegistryRootKey(), area, name));
    if (found == Values().end()) return 0;
    SjisCopy(buffer, static_cast<std::size_t>(size), found->second.c_str());
    return 1;
}

int SetRegistryValue(const char* name, const char* text, int area) {
    if (!IsKnownArea(area) || name == nullptr || text == nullptr) return 0;
    Values()[ValueKey(RegistryRootKey(), area, name)] = text;
    return 1;
}
