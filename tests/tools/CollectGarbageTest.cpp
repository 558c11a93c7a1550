// Garbage collection: the mark rules from objects to draw groups, sprites and palettes, the sweep and its log.
#include <gtest/gtest.h>

#include "../clone/CloneFixture.h"
#include "app/ObjectFile.h"
#include "resfile/StdResFile.h"
#include "support/RecordingHosts.h"
#include "support/TempDir.h"
#include "tools/CollectGarbage.h"

using namespace clone_test;
using namespace reshaper_test;

namespace {

// An object file that counts the draw groups fetched from it.
class CountingObjResFile : public ObjResFile {
public:
    int drawGroupFetches = 0;
    DataHandle* GetResource(ResType type, ResID id, FixupProc fixup) override {
        if (type == kTypeDGRP) ++drawGroupFetches;
        return ObjResFile::GetResource(type, id, fixup);
    }
};

class Collect : public ::testing::Test {
protected:
    TempDir dir;
    ObjectFile record;
    CountingObjResFile* counting = nullptr;
    RecordingProgressHost progress;
    ScopedProgressHost scope{&progress};

    // Builds the file with `fill`, then opens it as the catalogue does.
    template <class Fill>
    void Make(Fill fill) {
        std::string path = dir.Join("object.iff");
        {
            IFFResFile2 f;
            ASSERT_EQ(f.Create(path), kNoErr);
            ASSERT_EQ(f.Open(path), kNoErr);
            fill(f);
            ASSERT_EQ(f.Close(), kNoErr);
        }
        auto file = std::make_unique<CountingObjResFile>();
        ASSERT_EQ(file->Open(dir.Join("object")), kNoErr);
        counting = file.get();
        record.path = path;
        record.file = std::move(file);
        LoadObjectFile(record, true);
        ProgressBegin("gc", 0, 0);
    }
    bool Has(ResType type, ResID id) {
        DataHandle* h = record.file->GetResource(type, id, nullptr);
        if (h) record.file->ReleaseAndFree(h);
        return h != nullptr;
    }
};

TEST_F(Collect, DeletesExactlyWhatNoObjectReaches) {
    Make(FillShowroom);
    EXPECT_EQ(CollectGarbage(record), 3);
    EXPECT_EQ(progress.Text(),
              "Garbage Collecting...\r\n"
              "Deleting unused resource type 'DGRP' id 999.\r\n"
              "Deleting unused resource type 'SPR2' id 1999.\r\n"
              "Deleting unused resource type 'PALT' id 59.\r\n"
              "Finished Garbage Collecting!\r\n");
    for (ResID id : {100, 101, 102, 110}) EXPECT_TRUE(Has(kTypeDGRP, id)) << id;
    for (ResID id : {300, 305}) EXPECT_TRUE(Has(kTypeSPRList, id)) << id;
    for (ResID id : {50, 51}) EXPECT_TRUE(Has(kTypePALT, id)) << id;
    EXPECT_FALSE(Has(kTypeDGRP, 999));
    // Reloaded without its graphics lists; a second pass finds nothing.
    EXPECT_FALSE(record.full);
    EXPECT_EQ(record.objects.size(), 4u);
    EXPECT_EQ(CollectGarbage(record), 0);
}

TEST_F(Collect, RangesOfNoGraphicsAndSharedGroups) {
    Make([](iResFile& f) {
        PutDefinition(f, {128, "no graphics", 1, 0, 0, 0, 100, 0});
        PutDefinition(f, {129, "first", 2, 0, 0, 0, 200, 1});
        PutDefinition(f, {130, "second", 3, 0, 0, 0, 200, 1});
        PutDrawGroup(f, 100, {10});
        PutDrawGroup(f, 200, {20});
        Put(f, kTypeSPR2, 10, Spr2Bytes(-1));
        Put(f, kTypeSPR2, 20, Spr2Bytes(-1));
        Put(f, kTypePALT, 1, PaltBytes());
    });
    CollectGarbage(record);
    // Group 200 is reached twice and loaded once; the sweep's fetch of 100 is the only other.
    EXPECT_EQ(counting->drawGroupFetches, 2);
    EXPECT_FALSE(Has(kTypeDGRP, 100));
    EXPECT_FALSE(Has(kTypeSPR2, 10));
    EXPECT_TRUE(Has(kTypeDGRP, 200));
    EXPECT_TRUE(Has(kTypeSPR2, 20));
    // Palette id -1 keeps no palette alive.
    EXPECT_FALSE(Has(kTypePALT, 1));
}

TEST_F(Collect, AFileWithoutObjectsLosesAllItsGraphics) {
    Make([](iResFile& f) {
        PutDrawGroup(f, 100, {10});
        Put(f, kTypeSPR2, 10, Spr2Bytes(5));
        Put(f, kTypeSPRList, 11, SprListBytes(5));
        Put(f, kTypePALT, 5, PaltBytes());
        Put(f, kTypeBHAV, 4096, BehaviorBytes({}), "kept");
    });
    EXPECT_EQ(CollectGarbage(record), 4);
    EXPECT_FALSE(Has(kTypeDGRP, 100));
    EXPECT_FALSE(Has(kTypeSPR2, 10));
    EXPECT_FALSE(Has(kTypeSPRList, 11));
    EXPECT_FALSE(Has(kTypePALT, 5));
    EXPECT_TRUE(Has(kTypeBHAV, 4096));
}

TEST_F(Collect, AnUnusedSpriteDeletesBothTypesOfItsIdOneAfterTheOther) {
    Make([](iResFile& f) {
        Put(f, kTypeSPR2, 4, Spr2Bytes(-1));
        Put(f, kTypeSPR2, 5, Spr2Bytes(-1));
        Put(f, kTypeSPRList, 5, SprListBytes(-1));
    });
    EXPECT_EQ(CollectGarbage(record), 3);
    EXPECT_NE(progress.Text().find("Deleting unused resource type 'SPR#' id 5.\r\n"
                                   "Deleting unused resource type 'SPR2' id 5.\r\n"
                                   "Deleting unused resource type 'SPR2' id 4.\r\n"),
              std::string::npos)
        << progress.Text();
}

TEST_F(Collect, SpriteListsOfBothTypesAreKeptApart) {
    Make([](iResFile& f) {
        PutDefinition(f, {128, "user", 1, 0, 0, 0, 100, 1});
        PutDrawGroup(f, 100, {7});
        // A reference to 7 resolves to the SPR#; the SPR2 of that id is unused, and so is the SPR2 8.
        Put(f, kTypeSPRList, 7, SprListBytes(3));
        Put(f, kTypeSPR2, 7, Spr2Bytes(4));
        Put(f, kTypeSPR2, 8, Spr2Bytes(-1));
        Put(f, kTypePALT, 3, PaltBytes());
        Put(f, kTypePALT, 4, PaltBytes());
    });
    EXPECT_EQ(CollectGarbage(record), 3);
    EXPECT_TRUE(Has(kTypeSPRList, 7));
    EXPECT_TRUE(Has(kTypePALT, 3));
    EXPECT_FALSE(Has(kTypeSPR2, 7));
    EXPECT_FALSE(Has(kTypeSPR2, 8));
    EXPECT_FALSE(Has(kTypePALT, 4));
    std::string log = progress.Text();
    EXPECT_EQ(log.find("'SPR#'"), std::string::npos) << log;
    EXPECT_NE(log.find("Deleting unused resource type 'SPR2' id 8.\r\n"), std::string::npos);
}

}  // namespace
