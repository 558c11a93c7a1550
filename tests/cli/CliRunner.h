// CliRunner: runs the reshaper-cli program built beside the tests and captures what it prints.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <sys/wait.h>

#include "support/TempDir.h"

namespace reshaper_test {

struct CliResult {
    int exitCode = -1;
    std::string out;  // standard output and standard error together (RunCli)
};

// Runs a shell command line: what it prints on standard output, and its exit code.
inline CliResult RunShell(const std::string& command) {
    CliResult r;
    FILE* p = popen(command.c_str(), "r");
    if (!p) return r;
    char buffer[4096];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, p)) > 0) r.out.append(buffer, n);
    int status = pclose(p);
    r.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return r;
}

// Runs reshaper-cli with the given argument text (already quoted for the shell), started in `directory` when one
// is given, with at most `addressSpaceKb` kilobytes of address space when that is not 0.
inline CliResult RunCli(const std::string& args, const std::string& directory = "", long addressSpaceKb = 0) {
    std::string command = std::string("'") + RESHAPER_CLI_PATH + "' " + args + " 2>&1";
    if (addressSpaceKb > 0) command = "ulimit -v " + std::to_string(addressSpaceKb) + " && " + command;
    if (!directory.empty()) command = "cd '" + directory + "' && " + command;
    return RunShell(command);
}

// A suite of command lines over one sample installation written by `sample-game` for the suite.
class CliSampleSuite : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        dir = new TempDir();
        ASSERT_EQ(RunCli("sample-game '" + dir->Join("game") + "'").exitCode, 0);
    }
    static void TearDownTestSuite() {
        delete dir;
        dir = nullptr;
    }
    // Runs reshaper-cli on the suite's installation.
    static CliResult Run(const std::string& args) {
        return RunCli("--settings '" + dir->Join("game/reshaper.ini") + "' " + args);
    }
    static inline TempDir* dir = nullptr;
};

}  // namespace reshaper_test
