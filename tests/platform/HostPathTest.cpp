// Tests of the case-insensitive resolution of game paths against mixed-case directories on disk.
#include <gtest/gtest.h>

#include "platform/HostFile.h"
#include "platform/HostPath.h"
#include "support/TempDir.h"

using reshaper_test::ScopedCurrentDirectory;
using reshaper_test::TempDir;
using reshaper_test::WriteFileText;

namespace {

class HostPathTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(dir.Path().empty());
        ASSERT_TRUE(WriteFileText(dir.Join("GameData/Objects/Chair.iff"), "c"));
        ASSERT_TRUE(WriteFileText(dir.Join("GameData/UserObjects/lamp.iff"), "l"));
    }
    TempDir dir;
};

TEST_F(HostPathTest, RelativeGamePathFindsMixedCaseComponents) {
    ScopedCurrentDirectory cwd(dir.Path());
    ASSERT_TRUE(cwd.Ok());
    EXPECT_EQ(ResolveHostPath(".\\gamedata\\OBJECTS\\chair.IFF"), "./GameData/Objects/Chair.iff");
    EXPECT_EQ(ResolveHostPath("GAMEDATA\\userobjects\\LAMP.iff"), "GameData/UserObjects/lamp.iff");
    EXPECT_EQ(ResolveHostPath(".\\GameData\\"), "./GameData/");
}

TEST_F(HostPathTest, AbsolutePathsWithEitherSeparator) {
    EXPECT_EQ(ResolveHostPath(dir.Path() + "\\GAMEDATA\\objects\\CHAIR.IFF"), dir.Join("GameData/Objects/Chair.iff"));
    EXPECT_EQ(ResolveHostPath(dir.Path() + "//gamedata/objects\\\\chair.iff"), dir.Join("GameData/Objects/Chair.iff"));
    EXPECT_EQ(ResolveHostPath(""), "");
    // As given, without the disk: what the resolution gives for a path that stands there exactly so.
    const std::string exact = dir.Path() + "//GameData\\\\Objects/Chair.iff";
    EXPECT_EQ(HostPathAsGiven(exact), ResolveHostPath(exact));
    EXPECT_EQ(HostPathAsGiven("\\"), "/");
    EXPECT_EQ(HostPathAsGiven("Missing\\Dir\\"), "Missing/Dir/");
}

TEST_F(HostPathTest, ExactMatchWinsOverCaseVariantsElseByteWiseFirst) {
    ASSERT_TRUE(WriteFileText(dir.Join("GameData/Objects/chair.iff"), "lower"));
    ASSERT_TRUE(WriteFileText(dir.Join("GameData/Objects/CHAIR.iff"), "upper"));
    std::string base = dir.Path() + "\\gamedata\\objects\\";
    EXPECT_EQ(ResolveHostPath(base + "chair.iff"), dir.Join("GameData/Objects/chair.iff"));
    EXPECT_EQ(ResolveHostPath(base + "Chair.iff"), dir.Join("GameData/Objects/Chair.iff"));
    // No exact match: "CHAIR.iff" < "Chair.iff" < "chair.iff" byte-wise.
    EXPECT_EQ(ResolveHostPath(base + "cHAIR.iff"), dir.Join("GameData/Objects/CHAIR.iff"));
}

TEST_F(HostPathTest, MissingComponentsAreKeptAsGivenInsideTheResolvedParent) {
    std::string host = ResolveHostPath(dir.Path() + "\\gamedata\\Downloads\\Reshaped\\MyChair.iff");
    EXPECT_EQ(host, dir.Join("GameData/Downloads/Reshaped/MyChair.iff"));
    // A new file is created in the existing directory with the name as given.
    auto file = HostFile::Create(ResolveHostPath(dir.Path() + "\\GAMEDATA\\OBJECTS\\NewOne.IFF"));
    ASSERT_TRUE(file);
    EXPECT_TRUE(HostFile::Open(dir.Join("GameData/Objects/NewOne.IFF"), false));
}

TEST_F(HostPathTest, DotComponentsAreKept) {
    EXPECT_EQ(ResolveHostPath(dir.Path() + "\\gamedata\\..\\GAMEDATA\\.\\objects"),
              dir.Join("GameData/../GameData/./Objects"));
}

}  // namespace

TEST_F(HostPathTest, ASnapshotAnswersFromTheListingUntilThisProcessChangesADirectory) {
    const std::string objects = dir.Join("GameData/Objects");
    std::string out;
    {
        const HostListingSnapshot snapshot;
        ASSERT_TRUE(ResolveHostName(objects, "CHAIR.IFF", out));
        EXPECT_EQ(out, "Chair.iff");
        // Made behind the program's back: the listing as checked does not hold it.
        ASSERT_TRUE(WriteFileText(dir.Join("GameData/Objects/Stool.iff"), "s"));
        EXPECT_FALSE(ResolveHostName(objects, "stool.iff", out));
        // Made by the program: every listing is checked again.
        ASSERT_TRUE(HostFile::Create(dir.Join("GameData/Objects/Bench.iff")));
        EXPECT_TRUE(ResolveHostName(objects, "BENCH.iff", out));
        EXPECT_TRUE(ResolveHostName(objects, "stool.iff", out));
        ASSERT_TRUE(DeleteHostFile(dir.Join("GameData/Objects/Bench.iff")));
        EXPECT_FALSE(ResolveHostName(objects, "bench.iff", out));
    }
    // Without a snapshot the disk is asked each time.
    ASSERT_TRUE(WriteFileText(dir.Join("GameData/Objects/Table.iff"), "t"));
    EXPECT_TRUE(ResolveHostName(objects, "TABLE.iff", out));
    EXPECT_EQ(out, "Table.iff");
}
