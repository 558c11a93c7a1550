// reshaper-cli clone and gc over a small installation: selections, names, cookies, archives and failures.
#include <gtest/gtest.h>

#include <filesystem>

#include "../clone/CloneFixture.h"
#include "../resfile/IFFBuilder.h"
#include "CliRunner.h"
#include "support/TempDir.h"

using namespace reshaper_test;
using namespace clone_test;

namespace {

class CliClone : public ::testing::Test {
protected:
    TempDir dir;
    std::string Run(const std::string& args, int expectedExit) {
        CliResult r = RunCli("--settings '" + dir.Join("settings.ini") + "' --game-dir '" + dir.Path() + "' " + args +
                             " </dev/null");
        EXPECT_EQ(r.exitCode, expectedExit) << args << "\n" << r.out;
        return r.out;
    }
    void SetUp() override {
        ASSERT_TRUE(MakeDirectories(dir.Join("Downloads")));
        ASSERT_TRUE(MakeDirectories(dir.Join("GameData/Objects")));
        WriteShowroom(dir.Join("GameData/Objects/showroom.iff"));
        // The same showroom as a read-only member of an archive.
        WriteShowroom(dir.Join("packed.iff"));
        ASSERT_TRUE(WriteFileBytes(dir.Join("GameData/Objects/Store.far"),
                                   MakeArchive({{"Packed.iff", ReadFileBytes(dir.Join("packed.iff"))}})));
        std::filesystem::remove(dir.Join("packed.iff"));
        ASSERT_TRUE(
            WriteFileText(dir.Join("settings.ini"), "[Software\\Vexel\\The Domizens]\nRESHAPER_MAGIC_COOKIE=4660\n"));
    }
    // The clone directory's files.
    std::vector<std::string> Clones() {
        std::vector<std::string> names;
        std::error_code ec;
        for (const auto& e : std::filesystem::directory_iterator(dir.Join("Downloads/Reshaped"), ec))
            names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
    ObjectDefinition Definition(const std::string& hostPath, ResID id, bool* found = nullptr) {
        IFFResFile2 f;
        ObjectDefinition d;
        EXPECT_EQ(f.Open(hostPath), kNoErr);
        bool ok = LoadObjectDefinition(f, id, d) == kNoErr;
        if (found) *found = ok;
        f.Close();
        return d;
    }
};

TEST_F(CliClone, EveryObjectWithTheStoredCookie) {
    std::string out = Run("clone showroom --all --name 'Show Room 2'", 0);
    EXPECT_NE(out.find("Cloned .\\gamedata\\objects\\showroom.iff to .\\Downloads\\Reshaped\\ShowRoom2.iff"),
              std::string::npos)
        << out;
    EXPECT_NE(out.find("<OBJD index=\"4\" id=\"131\" name=\"Door\" />"), std::string::npos) << out;
    EXPECT_NE(out.find("Deleting unused resource type 'PALT' id 59."), std::string::npos) << out;
    EXPECT_NE(out.find("Reshaper Successfully Finished Cloning!"), std::string::npos) << out;
    EXPECT_EQ(Clones(), std::vector<std::string>{"ShowRoom2.iff"});
    for (auto [id, old] : {std::pair<ResID, uint32_t>{128, kSofaGuid}, {130, kLampGuid}, {131, kDoorGuid}}) {
        ObjectDefinition d = Definition(dir.Join("Downloads/Reshaped/ShowRoom2.iff"), id);
        EXPECT_EQ((static_cast<uint32_t>(d.guid) >> 8) & 0xFFFF, 4660u) << id;
        EXPECT_EQ(static_cast<uint32_t>(d.originalguid), old) << id;
    }
    // Now every object of the behaviour is inside the clone: all three operands are mapped.
    EXPECT_NE(out.find("Mapped CreateObject guid from " + std::to_string(kLampGuid)), std::string::npos) << out;
    // The new file is catalogued under its lower-case display name, which is taken now.
    Run("clone showroom --all --name showroom2", 2);
}

TEST_F(CliClone, DefaultsAreTheDialogsAndACookieGivenIsStored) {
    std::string out = Run("clone showroom --cookie 74565", 0);
    std::vector<std::string> clones = Clones();
    ASSERT_EQ(clones.size(), 1u);
    // "showroom" and six digits.
    EXPECT_EQ(clones[0].size(), std::string("showroom000000.iff").size()) << clones[0];
    EXPECT_EQ(clones[0].rfind("showroom", 0), 0u);
    std::string path = dir.Join("Downloads/Reshaped/" + clones[0]);
    bool found = false;
    ObjectDefinition sofa = Definition(path, 128, &found);
    EXPECT_TRUE(found);
    EXPECT_EQ((static_cast<uint32_t>(sofa.guid) >> 8) & 0xFFFF, 0x2345u);
    Definition(path, 129, &found);
    EXPECT_TRUE(found);
    Definition(path, 130, &found);
    EXPECT_FALSE(found);
    std::vector<uint8_t> ini = ReadFileBytes(dir.Join("settings.ini"));
    EXPECT_NE(std::string(ini.begin(), ini.end()).find("RESHAPER_MAGIC_COOKIE=74565"), std::string::npos);
}

TEST_F(CliClone, ArchiveMembersCloneIntoEditableFiles) {
    std::string out = Run("clone packed --objects 130,131 --name lampdoor", 0);
    EXPECT_NE(out.find("Cloned .\\gamedata\\objects\\packed.iff to .\\Downloads\\Reshaped\\lampdoor.iff"),
              std::string::npos)
        << out;
    std::string listed = Run("list --editable", 0);
    EXPECT_NE(listed.find("lampdoor"), std::string::npos) << listed;
    bool found = false;
    Definition(dir.Join("Downloads/Reshaped/lampdoor.iff"), 128, &found);
    EXPECT_FALSE(found);
}

TEST_F(CliClone, RefusedSelectionsAndNamesLeaveNoFile) {
    Run("clone showroom --objects 129", 2);  // a tile: its lead is chosen instead
    Run("clone showroom --objects 999", 2);
    Run("clone showroom --objects 128 --all", 2);
    Run("clone showroom --name 'show room'", 2);
    EXPECT_TRUE(Clones().empty());
}

TEST_F(CliClone, AFileOfThatNameEndsWithTheCreateMessage) {
    ASSERT_TRUE(MakeDirectories(dir.Join("Downloads/Reshaped")));
    WriteShowroom(dir.Join("Downloads/Reshaped/taken.iff"));
    std::vector<uint8_t> before = ReadFileBytes(dir.Join("Downloads/Reshaped/taken.iff"));
    std::string out = Run("clone showroom --name Taken", 1);
    EXPECT_NE(out.find("Error Cloning Object!: Error cloning object: Could not create the new object object file "
                       "named \".\\Downloads\\Reshaped\\Taken.iff\", error #-43!"),
              std::string::npos)
        << out;
    EXPECT_EQ(ReadFileBytes(dir.Join("Downloads/Reshaped/taken.iff")), before);
    EXPECT_EQ(Clones(), std::vector<std::string>{"taken.iff"});
}

TEST_F(CliClone, GcDeletesWhatNoObjectUsesAndRefusesReadOnlyFiles) {
    std::string out = Run("gc GameData/Objects/showroom.iff", 0);
    EXPECT_NE(out.find("Deleting unused resource type 'DGRP' id 999.\n"), std::string::npos) << out;
    EXPECT_NE(out.find("3 unused resources deleted"), std::string::npos);
    Run("gc packed", 1);
}

}  // namespace
