// A fresh, private place for one test: its own data folder and, on Windows,
// its own registry key. The real user's settings and diary are never touched.
#ifndef PELMO_TESTS_SANDBOX_H
#define PELMO_TESTS_SANDBOX_H

#include <string>

class Sandbox {
public:
    Sandbox();
    ~Sandbox();
    Sandbox(const Sandbox&) = delete;
    Sandbox& operator=(const Sandbox&) = delete;

    // The data folder, with its final separator.
    const std::string& folder() const { return folder_; }
    // The registry key under HKEY_CURRENT_USER that replaces the program's own.
    const std::string& registryKey() const { return registryKey_; }
    // The full path of a file in the data folder.
    std::string path(const std::string& name) const { return folder_ + name; }

private:
    std::string folder_;
    std::string registryKey_;
};

#endif
