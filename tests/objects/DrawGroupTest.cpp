// Draw groups: every stored version loads with its defaults; saving writes version 20004 in full.
#include <gtest/gtest.h>

#include <cstring>

#include "SpriteTestImages.h"
#include "objects/drawing/DrawGroup.h"
#include "resfile/IFFResFile2.h"
#include "support/TempDir.h"

using namespace reshaper_test;

namespace {

void PutFloat(std::vector<uint8_t>& out, float f) {
    uint32_t bits;
    std::memcpy(&bits, &f, 4);
    PutU32(out, bits);
}

// An old-layout group: one list of two items, the first of kind -3, the second of another kind.
std::vector<uint8_t> OldLayout(int16_t version) {
    std::vector<uint8_t> d;
    PutU16(d, static_cast<uint16_t>(version));
    PutU16(d, 1);                 // lists
    PutU16(d, 2);                 // items in the list
    PutBytes(d, {0x10, 0x02});    // dirflags, zoom
    for (int16_t kind : {-3, 7}) {
        for (int16_t v : {kind, int16_t{200}, int16_t{3}, int16_t{1}, int16_t{-5}, int16_t{12}})
            PutU16(d, static_cast<uint16_t>(v));  // kind, spriteid, spritenum, flags, pixelx, pixely
        if (version >= 20001) PutFloat(d, 0.25f);
    }
    return d;
}

TEST(DrawGroup, OldLayoutsKeepOnlySpriteItemsAndDefaultTheirOffsets) {
    for (int16_t version : {20000, 20002}) {
        DrawGroup g;
        auto data = OldLayout(version);
        ASSERT_TRUE(g.Parse(data.data(), data.size())) << version;
        ASSERT_EQ(g.CountItemLists(), 1);
        const DrawGroupItemList* list = g.GetItemList(0);
        EXPECT_EQ(list->dirflags, 0x10);
        EXPECT_EQ(list->zoom, 2);
        ASSERT_EQ(list->CountItems(), 1) << "only kind -3 enters the group";
        const DrawGroupItem& item = list->Items()[0];
        EXPECT_EQ(item.spriteid, 200);
        EXPECT_EQ(item.spritenum, 3);
        EXPECT_EQ(item.flags, 1);
        EXPECT_EQ(item.pixelx, -5);
        EXPECT_EQ(item.pixely, 12);
        EXPECT_EQ(item.zoffset, version >= 20001 ? 0.25f : 0.0f);
        EXPECT_EQ(item.xoffset, 0.0f);
        EXPECT_EQ(item.yoffset, 0.0f);
    }
}

TEST(DrawGroup, Version20003HasNoXYOffsetsAndSavingWritesAllEightFields) {
    std::vector<uint8_t> d;
    PutU16(d, 20003);
    PutU32(d, 1);                                   // lists
    PutU32(d, 4), PutU32(d, 1), PutU32(d, 1);       // dirflags, zoom, items
    PutU32(d, 201), PutU32(d, 0), PutU32(d, 7), PutU32(d, static_cast<uint32_t>(-9));
    PutFloat(d, 1.5f);
    PutU32(d, 0);                                   // flags
    DrawGroup g;
    ASSERT_TRUE(g.Parse(d.data(), d.size()));
    EXPECT_EQ(g.GetItem(0, 0)->zoffset, 1.5f);
    EXPECT_EQ(g.GetItem(0, 0)->xoffset, 0.0f);

    g.GetItem(0, 0)->xoffset = 2.0f;
    g.GetItem(0, 0)->yoffset = -3.0f;
    std::vector<uint8_t> expected;
    PutU16(expected, 20004);
    PutU32(expected, 1);
    PutU32(expected, 4), PutU32(expected, 1), PutU32(expected, 1);
    PutU32(expected, 201), PutU32(expected, 0), PutU32(expected, 7), PutU32(expected, static_cast<uint32_t>(-9));
    PutFloat(expected, 1.5f);
    PutU32(expected, 0);
    PutFloat(expected, 2.0f);
    PutFloat(expected, -3.0f);
    EXPECT_EQ(g.Serialize(), expected);
}

TEST(DrawGroup, TruncatedOrAbsurdDataLoadsNothing) {
    auto data = OldLayout(20002);
    for (size_t cut = 0; cut < data.size(); ++cut) {
        DrawGroup g;
        EXPECT_FALSE(g.Parse(data.data(), cut)) << cut;
        EXPECT_EQ(g.CountItemLists(), 0);
    }
    std::vector<uint8_t> huge;
    PutU16(huge, 20004);
    PutU32(huge, 0x7FFFFFFF);
    DrawGroup g;
    EXPECT_FALSE(g.Parse(huge.data(), huge.size()));
}

TEST(DrawGroup, SaveAndLoadThroughAFile) {
    TempDir dir;
    std::string p = dir.Join("dg.iff");
    IFFResFile2 f;
    ASSERT_EQ(f.Create(p), kNoErr);
    ASSERT_EQ(f.Open(p), kNoErr);
    DrawGroup g;
    g.SetName("chair - state 0");
    for (int v = 0; v < 12; ++v) {
        DrawGroupItemList& list = g.AddItemList();
        list.zoom = v / 4;
        DrawGroupItem item;
        item.spriteid = 300 + v;
        EXPECT_TRUE(g.AddItem(v, item));
    }
    DrawGroupItem first;
    first.spriteid = 1;
    EXPECT_TRUE(g.AddItem(3, first, 0));
    EXPECT_FALSE(g.AddItem(3, first, 5));
    ASSERT_EQ(g.Save(f, 200), kNoErr);
    ASSERT_EQ(f.Close(), kNoErr);
    ASSERT_EQ(f.Open(p), kNoErr);
    DrawGroup back;
    ASSERT_EQ(back.Load(f, 200), kNoErr);
    EXPECT_EQ(back.GetName(), "chair - state 0");
    EXPECT_EQ(back.GetLoadedVersion(), 20004);
    ASSERT_EQ(back.CountItemLists(), 12);
    EXPECT_EQ(back.GetItem(3, 0)->spriteid, 1);
    EXPECT_EQ(back.GetItem(3, 1)->spriteid, 303);
    EXPECT_EQ(back.GetItemList(11)->zoom, 2);
    DrawGroup missing;
    EXPECT_EQ(missing.Load(f, 201), kErrNotFound);
}

}  // namespace
