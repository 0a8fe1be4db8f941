// Settings as text values in the Windows registry.
//   area 1: HKEY_CURRENT_USER\<root>\Settings   (the program's settings)
//   area 0: HKEY_CURRENT_USER\<root>\Install    ("SystemDir": the data folder, final backslash)
// <root> is "Software\KoroWorks\Pelmo free" unless redirected (environment.h).
#ifndef PELMO_CORELIB_REGISTRY_H
#define PELMO_CORELIB_REGISTRY_H

enum RegistryArea : int { kAreaInstall = 0, kAreaSettings = 1 };

// Copies the value's text into buffer (size bytes, NUL-terminated); non-zero if the value exists.
int GetRegistryValue(const char* name, char* buffer, int size, int area);
// Stores text; non-zero on success.
int SetRegistryValue(const char* name, const char* text, int area);

#endif
