// Text values under HKEY_CURRENT_USER: no administrator rights needed.
#include <windows.h>

#include <string>

#include "corelib/environment.h"
#include "corelib/registry.h"
#include "corelib/sjis.h"

namespace {

std::string AreaKey(int area) {
    return RegistryRootKey() + (area == kAreaInstall ? "\\Install" : "\\Settings");
}

bool IsKnownArea(int area) { return area == kAreaInstall || area == kAreaSettings; }

}  // namespace

int GetRegistryValue(const char* name, char* buffer, int size, int area) {
    if (!IsKnownArea(area) || buffer == nullptr || size <= 0) return 0;
    buffer[0] = '\0';
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, AreaKey(area).c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return 0;
    // Ask the size first: a value longer than the caller's buffer still
    // exists and is handed over cut (never mid-character).
    DWORD type = 0;
    DWORD bytes = 0;
    LONG result = RegQueryValueExA(key, name, nullptr, &type, nullptr, &bytes);
    std::string text;
    if (result == ERROR_SUCCESS && (type == REG_SZ || type == REG_EXPAND_SZ)) {
        text.assign(bytes + 1, '\0');  // one more byte: a stored text without its NUL still ends
        result = RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&text[0]), &bytes);
    }
    RegCloseKey(key);
    if (result != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) return 0;
    SjisCopy(buffer, static_cast<std::size_t>(size), text.c_str());
    return 1;
}

int SetRegistryValue(const char* name, const char* text, int area) {
    if (!IsKnownArea(area) || name == nullptr || text == nullptr) return 0;
    HKEY key;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, AreaKey(area).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_SET_VALUE, nullptr, &key, nullptr) != ERROR_SUCCESS)
        return 0;
    LONG result = RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                                 static_cast<DWORD>(lstrlenA(text) + 1));
    RegCloseKey(key);
    return result == ERROR_SUCCESS ? 1 : 0;
}
