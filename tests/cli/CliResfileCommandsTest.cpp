// reshaper-cli resources and check: listings, exit codes and the reports on damaged files.
#include <gtest/gtest.h>

#include "CliRunner.h"
#include "objects/strings/StringSet.h"
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

// The files as the resource browser opens them: archive members, .iff/.spf pairs, and its two views.
class CliBrowsed : public CliSampleSuite {};

TEST_F(CliBrowsed, ArchiveMembersAndPairsOpenAsTheBrowserOpensThem) {
    CliResult r = Run("resources '.\\gamedata\\objects\\kitchen.iff'");
    ASSERT_EQ(r.exitCode, 0) << r.out;
    EXPECT_NE(r.out.find("file  .\\gamedata\\objects\\kitchen.iff  (read-only)\nOBJD  2 resources"),
              std::string::npos)
        << r.out;
    EXPECT_NE(r.out.find("\"Bar Stool\""), std::string::npos) << r.out;
    r = Run("check '.\\gamedata\\objects\\kitchen.iff'");
    EXPECT_EQ(r.exitCode, 0) << r.out;
    EXPECT_NE(r.out.find("sound"), std::string::npos) << r.out;

    // The floor lamp keeps its graphics in its .spf: both files, the .iff first, whichever is named.
    for (const char* name : {"floorlamp", "'.\\gamedata\\userobjects\\floorlamp.spf'"}) {
        r = Run(std::string("resources ") + name);
        ASSERT_EQ(r.exitCode, 0) << r.out;
        const size_t iff = r.out.find("file  .\\gamedata\\userobjects\\floorlamp.iff");
        const size_t spf = r.out.find("file  .\\gamedata\\userobjects\\floorlamp.spf");
        ASSERT_NE(spf, std::string::npos) << r.out;
        EXPECT_LT(iff, spf) << r.out;
        EXPECT_NE(r.out.find("SPR2", spf), std::string::npos) << r.out;
    }
    r = Run("check floorlamp");
    EXPECT_EQ(r.exitCode, 0) << r.out;
    EXPECT_NE(r.out.find("file        .\\gamedata\\userobjects\\floorlamp.spf"), std::string::npos) << r.out;
}

TEST_F(CliBrowsed, HexAndTextPrintTheBrowsersViews) {
    // A file made here: a behaviour with bytes above 0x7F and a string table with a typographic apostrophe.
    const std::string path = dir->Join("views.iff");
    {
        IFFResFile2 f;
        ASSERT_EQ(f.Create(path), kNoErr);
        ASSERT_EQ(f.Open(path), kNoErr);
        f.Add(NewHandleFrom("\x92\x99\x7F\n\xE9\x81\x01\x02\x03", 9), kTypeBHAV, 4096, "b", true);
        ASSERT_EQ(f.Close(), kNoErr);
        StringSet table;
        ASSERT_EQ(f.Open(path), kNoErr);
        table.Bind(&f, 300, kTypeSTRList, false, 0);
        table.Set(1, "it\x92s");
        table.Set(2, "two");
        ASSERT_EQ(table.Write(), kNoErr);
        table.SetName("\x93q\x94");
        ASSERT_EQ(f.Close(), kNoErr);
    }
    CliResult r = Run("hex '" + path + "' BHAV 4096");
    ASSERT_EQ(r.exitCode, 0) << r.out;
    EXPECT_EQ(r.out,
              "0000  |   92 99 7F 0A E9 81 01 02  |   \xE2\x80\x99 \xE2\x84\xA2 \x7F^J \xC3\xA9 \xC2\x81^A^B  |\n"
              "0008  |   03" + std::string(7 * 3, ' ') + "  |  ^C" + std::string(7 * 2, ' ') + "  |\n");
    r = Run("text '" + path + "' STR# 300 --language 1");
    ASSERT_EQ(r.exitCode, 0) << r.out;
    EXPECT_EQ(r.out, "ID: 300 Count: 2 Name: \n#001: it\xE2\x80\x99s\n#002: two\n");

    r = Run("hex '" + path + "' BHAV 4097");
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.out, "Could not get resource!\n");
    EXPECT_EQ(Run("text '" + path + "' BHAV 4096").exitCode, 2);
    EXPECT_EQ(Run("hex '" + path + "' TOOLONG 1").exitCode, 2);
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
