// The compositor: picture size and margin, grid, zoffset, flipping and the order of multi-tile objects.
#include <gtest/gtest.h>

#include "SpriteTestImages.h"
#include "app/ObjectFile.h"
#include "objects/definitions/ObjectDefinition.h"
#include "objects/drawing/Compositor.h"
#include "objects/drawing/DrawGroup.h"
#include "objects/palettes/PalWrap.h"
#include "platform/BmpWriter.h"
#include "resfile/StdResFile.h"
#include "support/TempDir.h"

#include <cstdlib>

using namespace reshaper_test;

namespace {

constexpr uint8_t kWhiteIndex = 0, kRed = 1, kBlue = 2, kGreen = 3;

// A one-frame SPR2 of w x h opaque pixels at depth z: left column red, right column blue, the rest `fill`.
std::vector<uint8_t> Frame(int w, int h, uint8_t z, uint8_t fill) {
    std::vector<uint8_t> tokens;
    for (int r = 0; r < h; ++r) {
        PutU16(tokens, static_cast<uint16_t>(4 + 2 * w));  // kNL: the row's length
        PutU16(tokens, static_cast<uint16_t>(0x2000 | w));  // kRunZP
        for (int c = 0; c < w; ++c) PutBytes(tokens, {z, c == 0 ? kRed : c == w - 1 ? kBlue : fill});
    }
    PutU16(tokens, 0xA000);  // kEOS
    return OneFrameSpr2(static_cast<uint16_t>(w), static_cast<uint16_t>(h), tokens, -1, 100);
}

std::vector<uint8_t> Palette() {
    PaletteColor colors[256] = {};
    colors[kWhiteIndex] = {255, 255, 255, 0};
    colors[kRed] = {255, 0, 0, 0};
    colors[kBlue] = {0, 0, 255, 0};
    colors[kGreen] = {0, 255, 0, 0};
    PalWrap p;
    p.BuildFromColors(colors, false);
    return p.MakePALT();
}

struct Item {
    int32_t sprite, x, y;
    float zoffset = 0;
    int32_t flags = 0;
};

class Compose : public ::testing::Test {
protected:
    TempDir dir;
    std::unique_ptr<ObjResFile> file;
    ObjectFile record;

    void Add(ResType type, ResID id, const std::vector<uint8_t>& data) {
        file->Add(NewHandleFrom(data.data(), static_cast<int32_t>(data.size())), type, id, "", true);
    }
    // A draw group whose twelve views all hold the same items.
    void Group(ResID id, const std::vector<Item>& items) {
        DrawGroup g;
        for (int v = 0; v < 12; ++v) {
            g.AddItemList();
            for (const Item& i : items) {
                DrawGroupItem it;
                it.spriteid = i.sprite;
                it.pixelx = i.x;
                it.pixely = i.y;
                it.zoffset = i.zoffset;
                it.flags = i.flags;
                g.AddItem(v, it);
            }
        }
        ASSERT_EQ(g.Save(*file, id), kNoErr);
    }
    void Object(ResID id, int16_t master, int16_t sub, int16_t base, int16_t count) {
        ObjectDefinition d;
        d.masterid = master;
        d.subindex = sub;
        d.basegraphic = base;
        d.numgraphics = count;
        auto bytes = SerializeObjectDefinition(d);
        Add(kTypeOBJD, id, std::vector<uint8_t>(bytes.begin(), bytes.end()));
    }
    void SetUp() override {
        std::string base = dir.Join("scene");
        file = std::make_unique<ObjResFile>();
        ASSERT_EQ(file->Create(base), kNoErr);
        ASSERT_EQ(file->Open(base), kNoErr);
        Add(kTypePALT, 100, Palette());
        Add(kTypeSPR2, 200, Frame(10, 10, 10, kGreen));
    }
    ObjectEntry& Load(ResID id) {
        record.file = std::move(file);
        LoadObjectFile(record, false);
        for (auto& e : record.objects)
            if (e->id == id) return *e;
        ADD_FAILURE() << "no object " << id;
        return *record.objects.front();
    }
    static RgbColor At(const Bitmap24& b, int row, int col) {
        const uint8_t* p = b.GetRow(row) + 3 * col;
        return {p[2], p[1], p[0]};
    }
    static constexpr RgbColor kRedRgb{255, 0, 0}, kBlueRgb{0, 0, 255}, kGreenRgb{0, 255, 0};
};

TEST_F(Compose, OneFrameGetsASixteenPixelMargin) {
    Group(300, {{200, 0, 0}});
    Object(128, 0, 0, 300, 1);
    auto pic = ComposeObject(Load(128), ComposeViewIndex(0, 2), kWhite);
    ASSERT_NE(pic, nullptr);
    EXPECT_EQ(pic->GetWidth(), 42);
    EXPECT_EQ(pic->GetHeight(), 42);
    EXPECT_EQ(At(*pic, 16, 16), kRedRgb);
    EXPECT_EQ(At(*pic, 25, 25), kBlueRgb);
    EXPECT_EQ(At(*pic, 20, 20), kGreenRgb);
}

TEST_F(Compose, FlippedFrameIsMirrored) {
    Group(300, {{200, 0, 0, 0.0f, 1}});
    Object(128, 0, 0, 300, 1);
    auto pic = ComposeObject(Load(128), ComposeViewIndex(1, 2), kWhite);
    ASSERT_NE(pic, nullptr);
    EXPECT_EQ(At(*pic, 16, 16), kBlueRgb);
    EXPECT_EQ(At(*pic, 16, 25), kRedRgb);
}

TEST_F(Compose, MissingDrawGroupGivesOnlyTheGrid) {
    Object(128, 0, 0, 999, 1);
    for (RgbColor bg : {kWhite, kBlack}) {
        auto pic = ComposeObject(Load(128), ComposeViewIndex(0, 0), bg);
        ASSERT_NE(pic, nullptr);
        EXPECT_EQ(pic->GetWidth(), 33);
        EXPECT_EQ(pic->GetHeight(), 33);
        int inverted = 0;
        for (int r = 0; r < 33; ++r)
            for (int c = 0; c < 33; ++c) {
                RgbColor px = At(*pic, r, c);
                ASSERT_TRUE(px == kWhite || px == kBlack);
                inverted += !(px == bg);
            }
        EXPECT_GT(inverted, 0) << "the floor grid is drawn";
        file = std::move(record.file);
    }
}

TEST_F(Compose, ZOffsetOfHalfLiftsTheFrameTenPixels) {
    Group(300, {{200, 0, 0}, {200, 20, 0, 0.5f}});
    Object(128, 0, 0, 300, 1);
    auto pic = ComposeObject(Load(128), ComposeViewIndex(0, 2), kWhite);
    ASSERT_NE(pic, nullptr);
    // The lifted frame's top-left red pixel stands ten rows above the other one's.
    int top0 = -1, top1 = -1;
    for (int r = pic->GetHeight() - 1; r >= 0; --r) {
        if (At(*pic, r, 16) == kRedRgb) top0 = r;
        if (At(*pic, r, 36) == kRedRgb) top1 = r;
    }
    ASSERT_GE(top0, 0);
    ASSERT_GE(top1, 0);
    EXPECT_EQ(top0 - top1, 10);
}

TEST_F(Compose, TilesDrawFarthestFirstAndTheLaterWinsAtEqualDepth) {
    // At the largest zoom level's quarter (level 0) a tile one step along h moves 16 right, 8 up and 87 nearer
    // in depth; a frame 87 deeper on that tile meets the first tile's frame at exactly the same depth.
    Add(kTypeSPR2, 201, Frame(10, 10, 97, kBlue));
    Group(300, {{200, 0, 0}});
    Group(301, {{201, -16, -8}});
    Object(128, 5, -1, 0, 0);
    Object(129, 5, 0x0000, 300, 1);
    Object(130, 5, 0x0100, 301, 1);
    ObjectEntry& lead = Load(128);
    ASSERT_EQ(lead.tiles.size(), 2u);
    auto pic = ComposeObject(lead, ComposeViewIndex(0, 0), kWhite);
    ASSERT_NE(pic, nullptr);
    EXPECT_EQ(pic->GetWidth(), 42) << "both frames cover the same pixels";
    EXPECT_EQ(At(*pic, 20, 20), kBlueRgb) << "the nearer tile, drawn later, wins the tie";
    EXPECT_GT(lead.tiles[0]->depthKey, lead.tiles[1]->depthKey);

    // Dimmed, the winning tile lets the other show through.
    lead.tiles[1]->opacity = 127;
    auto dimmed = ComposeObject(lead, ComposeViewIndex(0, 0), kWhite);
    RgbColor mixed = At(*dimmed, 20, 20);
    EXPECT_GT(mixed.green, 0);
    EXPECT_GT(mixed.blue, 0);
}

// Fixed scenes against reference pictures that were checked by eye. Set RESHAPER_UPDATE_REFERENCES=1 to
// write them anew (and look at them before committing).
TEST_F(Compose, ScenesMatchTheirReferencePictures) {
    Add(kTypeSPR2, 201, Frame(14, 6, 40, kGreen));
    Group(300, {{200, 0, 0}, {201, 4, -12, 0.25f}});
    Group(301, {{201, 0, 0, 0.0f, 1}});
    Object(128, 5, -1, 0, 0);
    Object(129, 5, 0x0000, 300, 1);
    Object(130, 5, 0x0100, 301, 1);
    Object(131, 5, 0x0001, 300, 1);
    ObjectEntry& lead = Load(128);
    const bool update = std::getenv("RESHAPER_UPDATE_REFERENCES") != nullptr;
    for (int rotation = 0; rotation < 4; ++rotation)
        for (int zoom : {0, 2}) {
            auto pic = ComposeObject(lead, ComposeViewIndex(rotation, zoom), rotation % 2 ? kBlack : kWhite);
            ASSERT_NE(pic, nullptr);
            std::string name = std::string(RESHAPER_TEST_DATA) + "/compositor/three-tiles-r" +
                               std::to_string(rotation) + "-z" + std::to_string(zoom) + ".bmp";
            auto bytes = EncodeBmp(*pic);
            if (update) {
                ASSERT_TRUE(WriteFileBytes(name, bytes));
                continue;
            }
            EXPECT_EQ(ReadFileBytes(name), bytes) << name;
        }
}

}  // namespace
