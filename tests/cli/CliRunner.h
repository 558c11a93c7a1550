// CliRunner: runs the reshaper-cli program built beside the tests and captures what it prints.
#pragma once

#include <cstdio>
#include <string>
#include <sys/wait.h>

namespace reshaper_test {

struct CliResult {
    int exitCode = -1;
    std::string out;  // standard output and standard error together
};

// Runs reshaper-cli with the given argument text (already quoted for the shell), started in `directory` when one
// is given.
inline CliResult RunCli(const std::string& args, const std::string& directory = "") {
    CliResult r;
    std::string command = std::string("'") + RESHAPER_CLI_PATH + "' " + args + " 2>&1";
    if (!directory.empty()) command = "cd '" + directory + "' && " + command;
    FILE* p = popen(command.c_str(), "r");
    if (!p) return r;
    char buffer[4096];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, p)) > 0) r.out.append(buffer, n);
    int status = pclose(p);
    r.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return r;
}

}  // namespace reshaper_test
