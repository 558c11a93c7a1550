// reshaper-cli settings: showing the values, creating the key, and refusing writes into a missing key.
#include <gtest/gtest.h>

#include "CliRunner.h"
#include "support/TempDir.h"

using namespace reshaper_test;

namespace {

std::string FileText(const std::string& path) {
    std::vector<uint8_t> b = ReadFileBytes(path);
    return std::string(b.begin(), b.end());
}

TEST(CliSettings, CookieIsNotWrittenUntilTheKeyExists) {
    TempDir dir;
    std::string ini = dir.Join("cfg/s.ini");
    CliResult shown = RunCli("--settings '" + ini + "' settings");
    EXPECT_EQ(shown.exitCode, 0) << shown.out;
    EXPECT_NE(shown.out.find("Settings file: " + ini), std::string::npos) << shown.out;
    EXPECT_NE(shown.out.find("missing (create it with --init)"), std::string::npos) << shown.out;

    CliResult refused = RunCli("--settings '" + ini + "' settings --cookie 42");
    EXPECT_EQ(refused.exitCode, 1) << refused.out;
    EXPECT_NE(refused.out.find("nothing written for RESHAPER_MAGIC_COOKIE"), std::string::npos) << refused.out;
    EXPECT_TRUE(ReadFileBytes(ini).empty());

    CliResult set = RunCli("--settings '" + ini + "' settings --init --cookie -42 --language German --install-path '" +
                           dir.Path() + "'");
    EXPECT_EQ(set.exitCode, 0) << set.out;
    EXPECT_EQ(FileText(ini), "[Software\\Vexel\\The Domizens]\nInstallPath=" + dir.Path() +
                                 "\nDOMIZENS_LANGUAGE=German\nRESHAPER_MAGIC_COOKIE=-42\n");
    EXPECT_NE(set.out.find("DOMIZENS_LANGUAGE: German (language 4)"), std::string::npos) << set.out;
    EXPECT_NE(set.out.find("RESHAPER_MAGIC_COOKIE: -42 (reads as -42)"), std::string::npos) << set.out;
}

TEST(CliSettings, ShowsStoredValuesAsStartUpReadsThem) {
    TempDir dir;
    std::string ini = dir.Join("s.ini");
    ASSERT_TRUE(WriteFileText(ini,
                              "[Other]\na=b\n[Software\\Vexel\\The Domizens]\nDOMIZENS_LANGUAGE=Danish\n"
                              "RESHAPER_MAGIC_COOKIE=123abc\n"));
    CliResult r = RunCli("--settings '" + ini + "' settings");
    EXPECT_EQ(r.exitCode, 0) << r.out;
    EXPECT_NE(r.out.find("InstallPath: (not set)"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("DOMIZENS_LANGUAGE: Danish (not a known name"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("RESHAPER_MAGIC_COOKIE: 123abc (reads as 123)"), std::string::npos) << r.out;

    // A name the table does not hold is refused and nothing changes.
    CliResult bad = RunCli("--settings '" + ini + "' settings --language german");
    EXPECT_EQ(bad.exitCode, 2) << bad.out;
    EXPECT_NE(bad.out.find("letter case counts"), std::string::npos) << bad.out;
    CliResult ok = RunCli("--settings '" + ini + "' settings --cookie 7");
    EXPECT_EQ(ok.exitCode, 0) << ok.out;
    EXPECT_EQ(FileText(ini),
              "[Other]\na=b\n[Software\\Vexel\\The Domizens]\nDOMIZENS_LANGUAGE=Danish\n"
              "RESHAPER_MAGIC_COOKIE=7\n");
}

}  // namespace
