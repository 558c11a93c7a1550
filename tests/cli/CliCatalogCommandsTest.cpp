// reshaper-cli list and delete, and catalogue names as FILE arguments.
#include <gtest/gtest.h>

#include "../resfile/IFFBuilder.h"
#include "CliRunner.h"
#include "objects/definitions/ObjectDefinition.h"
#include "support/TempDir.h"

using namespace reshaper_test;

namespace {

std::vector<uint8_t> OneObject(const std::string& name) {
    auto file = IFFHeader('2', '0', 0);
    ObjectDefinition d;
    d.guid = 0x4242;
    auto bytes = SerializeObjectDefinition(d);
    AppendChunk(file, kTypeOBJD, 128, 0x10, name, std::vector<uint8_t>(bytes.begin(), bytes.end()));
    return file;
}

class CliCatalog : public ::testing::Test {
protected:
    TempDir dir;
    std::string Run(const std::string& args, int expectedExit) {
        CliResult r = RunCli("--settings '" + dir.Join("none.ini") + "' --game-dir '" + dir.Path() + "' " + args +
                             " </dev/null");
        EXPECT_EQ(r.exitCode, expectedExit) << args << "\n" << r.out;
        return r.out;
    }
    void SetUp() override {
        WriteFileBytes(dir.Join("Downloads/Beta.iff"), OneObject("Beta"));
        WriteFileBytes(dir.Join("Downloads/beta.spf"), IFFHeader('2', '5', 0));
        WriteFileBytes(dir.Join("GameData/Objects/alpha.iff"), OneObject("Alpha"));
        WriteFileBytes(dir.Join("GameData/Objects/Packed.far"),
                       MakeArchive({{"Gamma.iff", OneObject("Gamma")}}));
    }
};

TEST_F(CliCatalog, ListShowsEveryFileOrOnlyTheEditableOnes) {
    std::string all = Run("list", 0);
    EXPECT_NE(all.find("alpha                            editable     1  .\\gamedata\\objects\\alpha.iff"),
              std::string::npos)
        << all;
    EXPECT_NE(all.find("gamma                            read-only    1"), std::string::npos) << all;
    EXPECT_NE(all.find("3 object files"), std::string::npos);
    EXPECT_LT(all.find("alpha"), all.find("beta"));
    std::string editable = Run("list --editable", 0);
    EXPECT_EQ(editable.find("gamma"), std::string::npos);
    EXPECT_NE(editable.find("2 object files"), std::string::npos);
}

TEST_F(CliCatalog, NamesFromTheCatalogueWorkAsFileArguments) {
    std::string out = Run("objects GAMMA", 0);
    EXPECT_NE(out.find("00004242  Gamma"), std::string::npos) << out;
    Run("objects nothing-of-that-name", 1);
}

TEST_F(CliCatalog, DeleteAsksAndTakesTheCompanion) {
    std::string refused = Run("delete beta", 1);
    EXPECT_NE(refused.find("Gadzooks!: Oh, my! Are you really sure you want to delete the object file "
                           "\".\\downloads\\beta.iff\"?"),
              std::string::npos)
        << refused;
    EXPECT_FALSE(ReadFileBytes(dir.Join("Downloads/Beta.iff")).empty());
    Run("delete beta --yes", 0);
    EXPECT_TRUE(ReadFileBytes(dir.Join("Downloads/Beta.iff")).empty());
    EXPECT_TRUE(ReadFileBytes(dir.Join("Downloads/beta.spf")).empty());
    Run("delete gamma --yes", 1);  // lives in an archive
}

}  // namespace
