// Runs a shell command from a native test and hands back its standard output.
#ifndef PELMO_TESTS_RUN_COMMAND_H
#define PELMO_TESTS_RUN_COMMAND_H

#include <string>

std::string RunCommand(const std::string& command);
// path in single quotes, for the shell.
std::string Quoted(const std::string& path);

#endif
