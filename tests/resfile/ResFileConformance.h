// ResFileConformance: one typed test suite that every iResFile implementation passes.
//
// A kind is described by a traits struct:
//   static std::unique_ptr<iResFile> Make();
//   static constexpr bool kWritable;            // false: every change must be refused
//   static constexpr ResErr kRefusedCode;       // the code a refused Add reports
//   static std::string Prepare(reshaper_test::TempDir& dir, const std::vector<SeedResource>& seeds);
//       writes a file holding the seeds (in this order) and returns the path to Open.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "resfile/iResFile.h"
#include "support/TempDir.h"

struct SeedResource {
    ResType type;
    ResID id;
    std::string name;
    std::string data;
};

inline std::vector<SeedResource> ConformanceSeeds() {
    return {{MakeResType("OBJD"), 128, "Chair", "object definition"},
            {MakeResType("OBJD"), 129, "Chair - tile 2", "second"},
            {MakeResType("STR#"), 128, "catalogue", "strings"},
            {MakeResType("BHAV"), 4096, "", std::string(300, 'b')}};
}

template <class Kind>
class ResFileConformance : public ::testing::Test {
protected:
    reshaper_test::TempDir dir;
    std::unique_ptr<iResFile> file = Kind::Make();
    std::string path;
    void SetUp() override {
        path = Kind::Prepare(dir, ConformanceSeeds());
        ASSERT_EQ(file->Open(path), kNoErr);
    }
    static std::string Text(const DataHandle* h) { return h ? std::string(h->bytes.begin(), h->bytes.end()) : "<null>"; }
};

TYPED_TEST_SUITE_P(ResFileConformance);

TYPED_TEST_P(ResFileConformance, ListsAndFetchesWhatItHolds) {
    iResFile& f = *this->file;
    EXPECT_TRUE(f.IsOpen());
    EXPECT_EQ(f.IsWritable(), TypeParam::kWritable);
    EXPECT_EQ(f.CountTypes(), 3);
    EXPECT_EQ(f.CountResources(MakeResType("OBJD")), 2);
    for (const auto& seed : ConformanceSeeds()) {
        DataHandle* h = f.GetResource(seed.type, seed.id, nullptr);
        ASSERT_NE(h, nullptr) << seed.name;
        EXPECT_EQ(this->Text(h), seed.data);
        EXPECT_EQ(f.GetType(h), seed.type);
        ResID id = 0;
        f.GetID(h, id);
        EXPECT_EQ(id, seed.id);
        if (!seed.name.empty()) {
            std::string name;
            f.GetName(h, name);
            EXPECT_EQ(name, seed.name);
            EXPECT_EQ(f.GetNamedResource(seed.type, seed.name, nullptr), h);
        }
        EXPECT_EQ(f.GetResource(seed.type, seed.id, nullptr), h) << "a second fetch returns the same handle";
    }
    EXPECT_EQ(f.GetResource(MakeResType("OBJD"), 5, nullptr), nullptr);
    EXPECT_NE(f.GetError(), kNoErr);
    std::string p;
    EXPECT_EQ(f.GetPath(p), kNoErr);
    EXPECT_FALSE(p.empty());
}

TYPED_TEST_P(ResFileConformance, ReleasedHandlesBelongToTheCaller) {
    iResFile& f = *this->file;
    DataHandle* h = f.GetResource(MakeResType("STR#"), 128, nullptr);
    ASSERT_NE(h, nullptr);
    f.Release(h);
    EXPECT_EQ(f.GetError(), kNoErr);
    DataHandle* again = f.GetResource(MakeResType("STR#"), 128, nullptr);
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(this->Text(again), "strings");
    FreeHandle(h);
    f.ReleaseAndFree(again);
    EXPECT_EQ(f.GetError(), kNoErr);
}

TYPED_TEST_P(ResFileConformance, ChangesPersistOrAreRefused) {
    iResFile& f = *this->file;
    DataHandle* added = NewHandleFrom("added", 5);
    f.Add(added, MakeResType("DGRP"), 200, "group", true);
    if (!TypeParam::kWritable) {
        EXPECT_EQ(f.GetError(), TypeParam::kRefusedCode);
        FreeHandle(added);
        DataHandle* h = f.GetResource(MakeResType("OBJD"), 128, nullptr);
        f.Write(h);
        EXPECT_NE(f.GetError(), kNoErr);
        f.Delete(h);
        EXPECT_NE(f.GetError(), kNoErr);
        EXPECT_EQ(f.CountResources(MakeResType("OBJD")), 2);
        EXPECT_EQ(f.Close(), kNoErr);
        return;
    }
    ASSERT_EQ(f.GetError(), kNoErr);
    DataHandle* changed = f.GetResource(MakeResType("OBJD"), 128, nullptr);
    changed->bytes.assign({'c', 'h', 'a', 'n', 'g', 'e', 'd', ' ', 'l', 'o', 'n', 'g', 'e', 'r'});
    f.Write(changed);
    EXPECT_EQ(f.GetError(), kNoErr);
    f.Delete(f.GetResource(MakeResType("BHAV"), 4096, nullptr));
    EXPECT_EQ(f.GetError(), kNoErr);
    f.SetInfo(f.GetResource(MakeResType("STR#"), 128, nullptr), 130, "renamed", 0);
    EXPECT_EQ(f.GetError(), kNoErr);
    // A name holds 63 characters: a longer one is stored cut, and asking with the long name finds it.
    const std::string longName(70, 'n');
    f.Add(NewHandleFrom("long", 4), MakeResType("DGRP"), 201, longName, true);
    ASSERT_EQ(f.GetError(), kNoErr);
    EXPECT_EQ(this->Text(f.GetNamedResource(MakeResType("DGRP"), longName, nullptr)), "long");
    EXPECT_EQ(f.GetNamedResource(MakeResType("DGRP"), longName.substr(0, 62), nullptr), nullptr);
    ASSERT_EQ(f.Close(), kNoErr);

    ASSERT_EQ(f.Open(this->path), kNoErr);
    EXPECT_EQ(this->Text(f.GetResource(MakeResType("DGRP"), 200, nullptr)), "added");
    EXPECT_EQ(this->Text(f.GetResource(MakeResType("OBJD"), 128, nullptr)), "changed longer");
    EXPECT_EQ(this->Text(f.GetResource(MakeResType("OBJD"), 129, nullptr)), "second");
    EXPECT_EQ(f.GetResource(MakeResType("BHAV"), 4096, nullptr), nullptr);
    DataHandle* renamed = f.GetResource(MakeResType("STR#"), 130, nullptr);
    ASSERT_NE(renamed, nullptr);
    std::string name;
    f.GetName(renamed, name);
    EXPECT_EQ(name, "renamed");
}

TYPED_TEST_P(ResFileConformance, ClosedFileAnswersNotOpen) {
    iResFile& f = *this->file;
    ASSERT_EQ(f.Close(), kNoErr);
    EXPECT_FALSE(f.IsOpen());
    EXPECT_EQ(f.GetResource(MakeResType("OBJD"), 128, nullptr), nullptr);
    EXPECT_EQ(f.CountResources(MakeResType("OBJD")), 0);
    ASSERT_EQ(f.Open(this->path), kNoErr);
    EXPECT_EQ(f.CountResources(MakeResType("OBJD")), 2);
}

REGISTER_TYPED_TEST_SUITE_P(ResFileConformance, ListsAndFetchesWhatItHolds, ReleasedHandlesBelongToTheCaller,
                            ChangesPersistOrAreRefused, ClosedFileAnswersNotOpen);
