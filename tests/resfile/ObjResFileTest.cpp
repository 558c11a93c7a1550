// Object files as .iff and .spf pairs: opening by kinds, routing new resources, paths and chains.
#include <gtest/gtest.h>

#include "IFFBuilder.h"
#include "ResFileConformance.h"
#include "platform/HostFile.h"
#include "resfile/CTGFileManager.h"
#include "resfile/IFFResFile2.h"
#include "resfile/ResFileExtension.h"
#include "resfile/ResolveResFile.h"
#include "resfile/StdResFile.h"

using namespace reshaper_test;

namespace {

class ObjFile : public ::testing::Test {
protected:
    TempDir dir;
    std::string base;
    void SetUp() override { base = dir.Join("Chair"); }
    void MakeIff(const std::string& path, ResType type, ResID id) {
        IFFResFile2 f;
        ASSERT_EQ(f.Create(path), kNoErr);
        ASSERT_EQ(f.Open(path), kNoErr);
        f.Add(NewHandleFrom("data", 4), type, id, "r", true);
        ASSERT_EQ(f.Close(), kNoErr);
    }
};

TEST_F(ObjFile, BaseNameOpensTheObjectFileAlone) {
    MakeIff(base + ".iff", kTypeOBJD, 128);
    ObjResFile f;
    ASSERT_EQ(f.Open(base), kNoErr);
    EXPECT_EQ(f.CountMembers(), 1);
    std::string path;
    ASSERT_EQ(f.GetPath(path), kNoErr);
    EXPECT_EQ(path, CTGFileManager::NormalizePath(base));
    EXPECT_EQ(path.find('/'), std::string::npos);
    // Without a sprite member the object file takes graphics too.
    EXPECT_TRUE(f.CanAddType(kTypeSPR2));
}

TEST_F(ObjFile, PairRoutesGraphicsToTheSpriteFile) {
    MakeIff(base + ".iff", kTypeOBJD, 128);
    MakeIff(base + ".spf", kTypeSPR2, 200);
    ObjResFile f;
    ASSERT_EQ(f.Open(base), kNoErr);
    ASSERT_EQ(f.CountMembers(), 2);
    EXPECT_NE(f.GetResource(kTypeSPR2, 200, nullptr), nullptr);
    EXPECT_NE(f.GetResource(kTypeOBJD, 128, nullptr), nullptr);
    f.Add(NewHandleFrom("sprite", 6), kTypeSPR2, 201, "new sprite", true);
    EXPECT_EQ(f.GetError(), kNoErr);
    f.Add(NewHandleFrom("def", 3), kTypeOBJD, 129, "new object", true);
    EXPECT_EQ(f.GetError(), kNoErr);
    ASSERT_EQ(f.Close(), kNoErr);

    IFFResFile2 iff, spf;
    ASSERT_EQ(iff.Open(base + ".iff"), kNoErr);
    ASSERT_EQ(spf.Open(base + ".spf"), kNoErr);
    EXPECT_EQ(iff.CountResources(kTypeSPR2), 0);
    EXPECT_EQ(spf.CountResources(kTypeSPR2), 2);
    EXPECT_EQ(iff.CountResources(kTypeOBJD), 2);
    EXPECT_EQ(spf.CountResources(kTypeOBJD), 0);
}

TEST_F(ObjFile, ReadOnlySpriteFileRefusesGraphics) {
    MakeIff(base + ".spf", kTypeSPR2, 200);
    WriteFileBytes(dir.Join("pack.far"), MakeArchive({{"chair.spf", ReadFileBytes(base + ".spf")}}));
    DeleteHostFile(base + ".spf");
    CTGFileManager::Instance().MapDirectory(dir.Path(), false, true);
    MakeIff(base + ".iff", kTypeOBJD, 128);
    ObjResFile f;
    ASSERT_EQ(f.Open(base), kNoErr);
    ASSERT_EQ(f.CountMembers(), 2);
    EXPECT_FALSE(f.CanAddType(kTypeSPR2));
    EXPECT_TRUE(f.CanAddType(kTypeOBJD));
    DataHandle* h = NewHandleFrom("x", 1);
    f.Add(h, kTypeSPR2, 300, "", true);
    EXPECT_EQ(f.GetError(), kErrTypeExcluded);
    FreeHandle(h);
}

TEST_F(ObjFile, ExtensionChoosesOneKindAndCreateMakesBoth) {
    MakeIff(base + ".iff", kTypeOBJD, 128);
    MakeIff(base + ".spf", kTypeSPR2, 200);
    ObjResFile f;
    ASSERT_EQ(f.Open(dir.Join("Chair.IFF")), kNoErr);
    EXPECT_EQ(f.CountMembers(), 1);
    f.Close();
    EXPECT_EQ(f.Open(dir.Join("Chair.bmp")), kErrNoKindMatches);

    ObjResFile g;
    std::string fresh = dir.Join("Lamp");
    ASSERT_EQ(g.Create(fresh), kNoErr);
    EXPECT_FALSE(ReadFileBytes(fresh + ".iff").empty());
    EXPECT_FALSE(ReadFileBytes(fresh + ".spf").empty());
    EXPECT_EQ(g.Create(fresh), kErrFileExists);
    ASSERT_EQ(g.Open(fresh), kNoErr);
    EXPECT_EQ(g.CountMembers(), 2);
}

TEST_F(ObjFile, ChainAnswersInSlotOrder) {
    MakeIff(base + ".iff", kTypeOBJD, 128);
    MakeIff(base + ".spf", kTypeOBJD, 128);
    ObjResFile f;
    ASSERT_EQ(f.Open(base), kNoErr);
    EXPECT_EQ(f.CountResources(kTypeOBJD), 2);
    DataHandle* first = f.GetResource(kTypeOBJD, 128, nullptr);
    EXPECT_EQ(f.GetIndexedResource(kTypeOBJD, 1, nullptr), first);
    DataHandle* second = f.GetIndexedResource(kTypeOBJD, 2, nullptr);
    EXPECT_NE(second, first);
    EXPECT_EQ(f.GetIndexedResource(kTypeOBJD, 3, nullptr), nullptr);
    EXPECT_EQ(f.GetError(), kErrNotFound);
    std::string name;
    f.MakeUniqueName(kTypeOBJD, name);
    EXPECT_EQ(name, "anonymous 0");
    ResID id = 0;
    DataHandle stranger;
    f.GetID(&stranger, id);
    EXPECT_EQ(f.GetError(), kErrNotFound);
}

TEST(ResFileKinds, ExtensionMatching) {
    std::string out;
    EXPECT_TRUE(MatchKindExtension(".iff", "dir\\Chair.IFF", out));
    EXPECT_EQ(out, "dir\\Chair.IFF");
    EXPECT_TRUE(MatchKindExtension(".spf", "dir\\Chair", out));
    EXPECT_EQ(out, "dir\\Chair.spf");
    EXPECT_FALSE(MatchKindExtension(".spf", "dir\\", out));
    EXPECT_FALSE(MatchKindExtension(".", "Chair", out));
    EXPECT_FALSE(MatchKindExtension("iff", "Chair", out));
    EXPECT_TRUE(MatchKindExtension(".iff", "my.dir\\chair", out));
    EXPECT_EQ(out, "my.dir\\chair.iff");
}

TEST(ResFileKinds, SearchDirectoryListsAreNormalised) {
    auto dirs = ResolveResFile::ParseDirectoryList("./a/b; c;.\\d;c:\\x;.");
    ASSERT_EQ(dirs.size(), 5u);
    EXPECT_EQ(dirs[0], ".\\a\\b\\");
    EXPECT_EQ(dirs[1], ".\\c\\");
    EXPECT_EQ(dirs[2], ".\\d\\");
    EXPECT_EQ(dirs[3], "c:\\x\\");
    EXPECT_EQ(dirs[4], ".\\");
    EXPECT_EQ(ResolveResFile::ParseDirectoryList(";x")[0], ".\\");

    TempDir dir;
    ScopedCurrentDirectory cd(dir.Path());
    MakeDirectories(dir.Join("Chair.dir"));
    ResolveResFile r;
    EXPECT_EQ(r.Open("chair.dir"), kNoErr);
    EXPECT_EQ(r.CountTypes(), 0);
    EXPECT_EQ(r.GetResource(kTypeOBJD, 1, nullptr), nullptr);
    EXPECT_EQ(r.GetError(), kErrNotFound);
    EXPECT_FALSE(r.IsWritable());
    EXPECT_EQ(r.Open("missing.dir"), kErrAlreadyOpen);
}

// The pair, seen through the conformance suite: resources spread over both files.
struct ObjPairKind {
    static std::unique_ptr<iResFile> Make() { return std::make_unique<ObjResFile>(); }
    static constexpr bool kWritable = true;
    static constexpr ResErr kRefusedCode = kNoErr;
    static std::string Prepare(TempDir& dir, const std::vector<SeedResource>& seeds) {
        std::string base = dir.Join("Pair");
        ObjResFile f;
        f.Create(base);
        f.Open(base);
        for (const auto& s : seeds)
            f.Add(NewHandleFrom(s.data.data(), static_cast<int32_t>(s.data.size())), s.type, s.id, s.name, true);
        f.Close();
        return base;
    }
};

// A chain whose only member lives in an archive: every change is refused by the chain.
struct ObjArchiveKind {
    static std::unique_ptr<iResFile> Make() { return std::make_unique<ObjResFile>(); }
    static constexpr bool kWritable = false;
    static constexpr ResErr kRefusedCode = kErrNoMemberTakesType;
    static std::string Prepare(TempDir& dir, const std::vector<SeedResource>& seeds) {
        auto file = IFFHeader('2', '0', 0);
        for (const auto& s : seeds) AppendChunk(file, s.type, s.id, 0x10, s.name, Bytes(s.data));
        WriteFileBytes(dir.Join("arc/objects.far"), MakeArchive({{"Sofa.iff", file}}));
        CTGFileManager::Instance().MapDirectory(dir.Join("arc"), true, true);
        return dir.Join("arc/Sofa");
    }
};

using ChainKinds = ::testing::Types<ObjPairKind, ObjArchiveKind>;
INSTANTIATE_TYPED_TEST_SUITE_P(Chain, ResFileConformance, ChainKinds);

}  // namespace
