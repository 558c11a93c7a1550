// reshaper-cli edit: the editors' kinds and clamping from the command line, languages, GUIDs and read-only files.
#include <gtest/gtest.h>

#include <filesystem>

#include "../clone/CloneFixture.h"
#include "../resfile/IFFBuilder.h"
#include "CliRunner.h"
#include "objects/strings/CatalogStrings.h"
#include "support/TempDir.h"

using namespace reshaper_test;
using namespace clone_test;

namespace {

class CliEdit : public ::testing::Test {
protected:
    TempDir dir;
    std::string file;
    std::string Run(const std::string& args, int expectedExit) {
        CliResult r =
            RunCli("--settings '" + dir.Join("none.ini") + "' --game-dir '" + dir.Path() + "' " + args + " </dev/null");
        EXPECT_EQ(r.exitCode, expectedExit) << args << "\n" << r.out;
        return r.out;
    }
    void SetUp() override {
        ASSERT_TRUE(MakeDirectories(dir.Join("GameData/Objects")));
        file = dir.Join("GameData/Objects/showroom.iff");
        WriteShowroom(file);
    }
    ObjectDefinition Load(ResID id) {
        IFFResFile2 f;
        ObjectDefinition d;
        EXPECT_EQ(f.Open(file), kNoErr);
        EXPECT_EQ(LoadObjectDefinition(f, id, d), kNoErr);
        f.Close();
        return d;
    }
};

TEST_F(CliEdit, KindsAndClampingAsTheEditorsHaveThem) {
    std::string out = Run("edit '" + file +
                              "' 130 --price 40000 --set 'Wall Style=Custom' --set buildmodetype=pool "
                              "--set 'Room Flags=Kitchen, bathroom' --set footprintinsetmask=FFFFF000 "
                              "--set Disabled=true",
                          0);
    EXPECT_NE(out.find("Price 40000 stored as 32767"), std::string::npos) << out;
    EXPECT_NE(out.find("Price                      32767\n"), std::string::npos) << out;
    EXPECT_NE(out.find("Wall Style                 Custom (22)\n"), std::string::npos) << out;
    EXPECT_NE(out.find("Room Flags                 Kitchen, Bathroom\n"), std::string::npos) << out;
    EXPECT_NE(out.find("Footprint Inset Mask       FFFFF000\n"), std::string::npos) << out;
    EXPECT_NE(out.find("Name                       \"Lamp\"\n"), std::string::npos) << out;
    ObjectDefinition d = Load(130);
    EXPECT_EQ(d.price, 32767);
    EXPECT_EQ(d.wallstyle, 22);
    EXPECT_EQ(d.buildmodetype, 7);
    EXPECT_EQ(d.roomflags, 5);
    EXPECT_EQ(static_cast<uint16_t>(d.footprintinsetmask), 0xF000);
    EXPECT_EQ(d.disabled, 1);
    Run("edit '" + file + "' 130 --price -5", 0);
    EXPECT_EQ(Load(130).price, -5);
}

TEST_F(CliEdit, TextsPerLanguageAndForAllLanguages) {
    Run("edit '" + file + "' 128 --language 3 --name Canape", 0);
    Run("edit '" + file + "' 130 --language 4 --name Lampe --description Hell --all-languages", 0);
    IFFResFile2 f;
    ASSERT_EQ(f.Open(file), kNoErr);
    StringSet sofa;
    sofa.Bind(&f, 200, kTypeCTSS, false, 0);
    ASSERT_EQ(sofa.Read(true, false), kNoErr);
    EXPECT_EQ(*sofa.Get(1, 2), "Canape");
    EXPECT_EQ(*sofa.Get(1, 0), "Sofa");
    StringSet lamp;
    lamp.Bind(&f, 210, kTypeCTSS, false, 0);
    ASSERT_EQ(lamp.Read(true, false), kNoErr);
    for (int language = 0; language < kLanguageCount; ++language) {
        EXPECT_EQ(*lamp.Get(1, language), "Lampe") << language;
        EXPECT_EQ(*lamp.Get(2, language), "Hell") << language;
    }
    f.Close();
    Run("edit '" + file + "' 128 --language 21", 2);
}

TEST_F(CliEdit, TheLanguageAskedForIsUsedWhenTheFileIsNamedFromTheCatalogue) {
    // A catalogue name runs start-up, which reads the stored language: the option still wins.
    ASSERT_TRUE(WriteFileText(dir.Join("none.ini"), "[Software\\Vexel\\The Domizens]\nDOMIZENS_LANGUAGE=USEnglish\n"));
    Run("edit showroom 128 --language 3 --name 'Canape FR' --description \"$(printf 'Doux\\net moelleux')\"", 0);
    std::string strings = Run("strings showroom 400 --language 3", 0);
    EXPECT_NE(strings.find("French"), std::string::npos) << strings;
    IFFResFile2 f;
    ASSERT_EQ(f.Open(file), kNoErr);
    StringSet sofa;
    sofa.Bind(&f, 200, kTypeCTSS, false, 0);
    ASSERT_EQ(sofa.Read(true, false), kNoErr);
    EXPECT_EQ(*sofa.Get(1, 0), "Sofa");
    EXPECT_EQ(*sofa.Get(1, 2), "Canape FR");
    // A description that had no line break takes CR LF, as the workbench's editor stores it.
    EXPECT_EQ(*sofa.Get(2, 2), "Doux\r\net moelleux");
    f.Close();
}

TEST_F(CliEdit, AChangedGuidIsRemappedInTheFilesBehaviours) {
    Run("edit '" + file + "' 128 --set guid=AA00BB01", 0);
    EXPECT_EQ(static_cast<uint32_t>(Load(128).guid), 0xAA00BB01u);
    IFFResFile2 f;
    ASSERT_EQ(f.Open(file), kNoErr);
    DataHandle* h = f.GetResource(kTypeBHAV, 4096, nullptr);
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(GetLE32(h->bytes, 16), 0xAA00BB01u);
    f.ReleaseAndFree(h);
    f.Close();
}

TEST_F(CliEdit, WrongFieldsAndValuesWriteNothing) {
    std::vector<uint8_t> before = ReadFileBytes(file);
    Run("edit '" + file + "' 128 --set 'Wall Style=Tunnel'", 2);
    Run("edit '" + file + "' 128 --set masterid=3", 2);
    Run("edit '" + file + "' 128 --set Disabled=maybe", 2);
    Run("edit '" + file + "' 128 --set novalue", 2);
    Run("edit '" + file + "' 999 --price 3", 1);
    EXPECT_EQ(ReadFileBytes(file), before);
    // Without changes the object is shown, and nothing written.
    std::string shown = Run("edit '" + file + "' 131", 0);
    EXPECT_NE(shown.find("Catalog ID: 220\n"), std::string::npos) << shown;
    EXPECT_NE(shown.find("Object is Editable, so you may change it."), std::string::npos);
    EXPECT_EQ(ReadFileBytes(file), before);
}

TEST_F(CliEdit, ReadOnlyFilesAreNeverWritten) {
    WriteShowroom(dir.Join("member.iff"));
    ASSERT_TRUE(WriteFileBytes(dir.Join("GameData/Objects/Store.far"),
                               MakeArchive({{"Member.iff", ReadFileBytes(dir.Join("member.iff"))}})));
    std::filesystem::remove(dir.Join("member.iff"));
    std::vector<uint8_t> archive = ReadFileBytes(dir.Join("GameData/Objects/Store.far"));
    std::string out = Run("edit member 128 --price 5 --name Other", 1);
    EXPECT_NE(out.find("Object file is Read-Only, and can't be changed. Please clone it first."), std::string::npos)
        << out;
    std::string shown = Run("edit member 128", 0);
    EXPECT_NE(shown.find("Price                      100\n"), std::string::npos) << shown;
    EXPECT_EQ(ReadFileBytes(dir.Join("GameData/Objects/Store.far")), archive);
}

}  // namespace
