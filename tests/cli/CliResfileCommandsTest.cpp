// reshaper-cli resources and check: listings, exit codes and the reports on damaged files.
#include <gtest/gtest.h>

#include "CliRunner.h"
#include "resfile/IFFResFile2.h"
#include "support/TempDir.h"

using namespace reshaper_test;

namespace {

void MakeFile(const std::string& path) {
    IFFResFile2 f;
    ASSERT_EQ(f.Create(path), kNoErr);
    ASSERT_EQ(f.Open(path), kNoErr);
    f.Add(NewHandleFrom("abcd", 4), kTypeOBJD, 128, "Chair", true);
    f.Add(NewHandleFrom("xy", 2), kTypeSTRList, 129, "Names", true);
    ASSERT_EQ(f.Close(), kNoErr);
}

TEST(CliResfile, ResourcesListsTypesInOrderFromTheGameDirectory) {
    TempDir dir;
    ASSERT_TRUE(MakeDirectories(dir.Join("Objects")));
    MakeFile(dir.Join("Objects/Chair.iff"));
    CliResult r = RunCli("--game-dir '" + dir.Path() + "' resources Objects/chair.IFF");
    EXPECT_EQ(r.exitCode, 0) << r.out;
    EXPECT_NE(r.out.find("OBJD  1 resource"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("128  flags 0x0010         4 bytes  \"Chair\""), std::string::npos) << r.out;
    EXPECT_LT(r.out.find("OBJD"), r.out.find("STR#"));
}

TEST(CliResfile, CheckReportsSoundAndBrokenFiles) {
    TempDir dir;
    std::string p = dir.Join("a.iff");
    MakeFile(p);
    CliResult sound = RunCli("check '" + p + "'");
    EXPECT_EQ(sound.exitCode, 0) << sound.out;
    EXPECT_NE(sound.out.find("map         used"), std::string::npos);
    EXPECT_NE(sound.out.find("sound"), std::string::npos);

    auto bytes = ReadFileBytes(p);
    bytes[64 + 4] = bytes[64 + 5] = bytes[64 + 6] = 0;
    bytes[64 + 7] = 10;  // the first chunk claims 10 bytes
    WriteFileBytes(p, bytes);
    CliResult broken = RunCli("check '" + p + "'");
    EXPECT_EQ(broken.exitCode, 3) << broken.out;
    EXPECT_NE(broken.out.find("broken"), std::string::npos) << broken.out;
}

TEST(CliResfile, ErrorsAndUsageGiveDistinctExitCodes) {
    TempDir dir;
    CliResult missing = RunCli("resources '" + dir.Join("none.iff") + "'");
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_NE(missing.out.find("error #-50"), std::string::npos) << missing.out;
    EXPECT_EQ(RunCli("no-such-command").exitCode, 2);
    EXPECT_EQ(RunCli("--help").exitCode, 0);
}

}  // namespace
