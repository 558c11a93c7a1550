// reshaper-cli on damaged files and a disk that refuses: nothing is lost, every failure exits 1 with its error,
// and counts past 16 bits are listed whole.
#include <gtest/gtest.h>

#include <unistd.h>

#include "../clone/CloneFixture.h"
#include "../resfile/IFFBuilder.h"
#include "CliRunner.h"
#include "objects/definitions/ObjectDefinition.h"
#include "platform/HostFile.h"
#include "resfile/IFFResFile2.h"
#include "support/TempDir.h"

using namespace reshaper_test;
using namespace clone_test;

namespace {

class CliFailures : public ::testing::Test {
protected:
    TempDir dir;
    std::string file;
    void SetUp() override {
        ASSERT_TRUE(MakeDirectories(dir.Join("GameData/Objects")));
        file = dir.Join("GameData/Objects/showroom.iff");
        WriteShowroom(file);
    }
    CliResult Run(const std::string& args) {
        return RunCli("--settings '" + dir.Join("none.ini") + "' --game-dir '" + dir.Path() + "' " + args +
                      " </dev/null");
    }
    // Every resource of the file as "TYPE id size" lines, in file order.
    std::string Listing() {
        IFFResFile2 f;
        EXPECT_EQ(f.Open(file), kNoErr);
        std::string out;
        for (int32_t t = 1; t <= f.CountTypes(); ++t) {
            ResType type = f.GetIndexedType(t);
            for (int32_t i = 1; i <= f.CountResources(type); ++i) {
                DataHandle* h = f.GetIndexedResource(type, i, nullptr);
                ResID id = 0;
                f.GetID(h, id);
                out += std::to_string(type) + " " + std::to_string(id) + " " +
                       std::to_string(h ? h->Size() : -1) + "\n";
            }
        }
        f.Close();
        return out;
    }
    int16_t Price(ResID id) {
        IFFResFile2 f;
        ObjectDefinition d;
        EXPECT_EQ(f.Open(file), kNoErr);
        EXPECT_EQ(LoadObjectDefinition(f, id, d), kNoErr);
        f.Close();
        return d.price;
    }
};

TEST_F(CliFailures, ADamagedTailLosesNothingThatWasListedBeforeIt) {
    const std::string listed = Listing();
    // A chunk at the end claims far more bytes than the file holds, then a second edit meets its own chunks.
    auto bytes = ReadFileBytes(file);
    AppendChunk(bytes, kTypeBHAV, 9, 0x10, "torn", Bytes("cut short"), 0x3FFFFFF0);
    ASSERT_TRUE(WriteFileBytes(file, bytes));
    CliResult r = Run("edit '" + file + "' 128 --set price=77 --name Settee");
    EXPECT_EQ(r.exitCode, 0) << r.out;
    EXPECT_EQ(Price(128), 77);
    r = Run("edit '" + file + "' 130 --set price=78");
    EXPECT_EQ(r.exitCode, 0) << r.out;
    EXPECT_EQ(Price(130), 78);
    EXPECT_EQ(Price(128), 77);
    EXPECT_EQ(Run("edit '" + file + "' 128").exitCode, 0);
    // Every resource of before is still there, one of them rewritten in another size.
    std::string now = Listing();
    for (size_t at = 0, end; (end = listed.find('\n', at)) != std::string::npos; at = end + 1) {
        std::string line = listed.substr(at, end - at);
        EXPECT_NE(now.find(line.substr(0, line.rfind(' '))), std::string::npos) << line << "\n" << now;
    }
}

TEST_F(CliFailures, ATruncatedFileKeepsEveryWholeResource) {
    const int16_t lampPrice = Price(130);
    auto bytes = ReadFileBytes(file);
    bytes.resize(bytes.size() - 30);  // into the last chunk (the map)
    ASSERT_TRUE(WriteFileBytes(file, bytes));
    CliResult r = Run("edit '" + file + "' 128 --set price=77");
    EXPECT_EQ(r.exitCode, 0) << r.out;
    EXPECT_EQ(Price(128), 77);
    EXPECT_EQ(Price(130), lampPrice);
    // The cut chunk is still there and still reported.
    EXPECT_EQ(Run("check '" + file + "'").exitCode, 3);
}

TEST_F(CliFailures, AFullDiskIsReportedAndTheFileKeepsItsBytes) {
    const auto before = ReadFileBytes(file);
    // The journal lands on a device that is always full, as a full disk refuses the first write.
    ASSERT_EQ(symlink("/dev/full", (file + "-journal").c_str()), 0);
    CliResult r = Run("edit '" + file + "' 128 --set price=5 --name Divan");
    EXPECT_EQ(r.exitCode, 1) << r.out;
    EXPECT_NE(r.out.find("error #-46"), std::string::npos) << r.out;
    EXPECT_EQ(ReadFileBytes(file), before);
    EXPECT_FALSE(HostFileExists(file + "-journal"));
}

TEST_F(CliFailures, ADeleteThatCannotHappenExitsWithAnError) {
    // Nothing can be removed from a directory marked immutable; the file in it stays writable.
    const std::string objects = dir.Join("GameData/Objects");
    if (std::system(("chattr +i '" + objects + "' 2>/dev/null").c_str()) != 0)
        GTEST_SKIP() << "this file system cannot make a directory immutable";
    CliResult r = Run("delete showroom --yes");
    std::system(("chattr -i '" + objects + "'").c_str());
    EXPECT_EQ(r.exitCode, 1) << r.out;
    EXPECT_NE(r.out.find("could not delete"), std::string::npos) << r.out;
    EXPECT_EQ(r.out.find("deleted .\\"), std::string::npos) << r.out;
    EXPECT_TRUE(HostFileExists(file));
    EXPECT_NE(Run("list").out.find("showroom"), std::string::npos);
}

TEST_F(CliFailures, CountsPastSixteenBitsAreListedWhole) {
    // 32767 object definitions (a 16-bit loop never ends on them) and 32768 behaviours (a 16-bit count wraps).
    auto bytes = IFFHeader('2', '5', 0);
    const std::vector<uint8_t> definition(216, 0);
    for (int i = 0; i < 32767; ++i) AppendChunk(bytes, kTypeOBJD, static_cast<int16_t>(i), 0x10, "", definition);
    for (int i = 0; i < 32768; ++i) AppendChunk(bytes, kTypeBHAV, static_cast<int16_t>(i), 0x10, "", {});
    ASSERT_TRUE(WriteFileBytes(dir.Join("GameData/Objects/many.iff"), bytes));
    CliResult resources = Run("resources GameData/Objects/many.iff");
    EXPECT_EQ(resources.exitCode, 0);
    EXPECT_NE(resources.out.find("OBJD  32767 resources"), std::string::npos) << resources.out.substr(0, 300);
    EXPECT_NE(resources.out.find("BHAV  32768 resources"), std::string::npos)
        << resources.out.substr(resources.out.find("BHAV"), 200);
    CliResult list = Run("list");
    EXPECT_EQ(list.exitCode, 0);
    EXPECT_NE(list.out.find("32767  .\\gamedata\\objects\\many.iff"), std::string::npos) << list.out;
}

}  // namespace
