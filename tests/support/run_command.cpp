#include "support/run_command.h"

#include <cstdio>

std::string RunCommand(const std::string& command) {
    std::string output;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) return output;
    char chunk[4096];
    size_t got;
    while ((got = std::fread(chunk, 1, sizeof(chunk), pipe)) > 0) output.append(chunk, got);
    pclose(pipe);
    return output;
}

std::string Quoted(const std::string& path) { return "'" + path + "'"; }
