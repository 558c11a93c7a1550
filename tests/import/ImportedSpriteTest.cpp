// Tests of building sprites from a document's channel files: the channel checks, all channels kept, generated
// depth, alpha and smaller zooms, degenerate frames and the items that show them, custom wall style sprites.
#include <gtest/gtest.h>

#include <cstdio>

#include "import/DepthTemplates.h"
#include "import/ImportFixture.h"
#include "objects/palettes/PalWrap.h"
#include "objects/sprites/Spr2Decoder.h"
#include "objects/sprites/SprListDecoder.h"
#include "objects/sprites/SprListResource.h"

namespace import_test {
namespace {

constexpr RgbQuad kYellow{0, 255, 255, 0};
constexpr RgbQuad kRed{0, 0, 200, 0};
constexpr RgbQuad kBlue{180, 40, 0, 0};

// A decoded frame: its header and its three channels on a picture of the frame's size.
struct Decoded {
    Spr2Frame frame;
    std::unique_ptr<Bitmap8> p, z, a;
};

class ImportedSpriteTest : public ImportFixture {
protected:
    void SetUp() override { MakeFile(); }

    // The object, draw group and item that keep sprite 200 from the garbage collection; `items` is the item list.
    static std::string Keeper(const std::string& items = "<drawgroupitem spriteid=\"200\" spritenum=\"0\"/>") {
        return "<objectdefinitions><objectdefinition name=\"thing\" id=\"128\" basegraphic=\"100\" numgraphics=\"1\"/>"
               "</objectdefinitions><drawgroups><drawgroup name=\"state\" id=\"100\"><drawgroupitemlist>" +
               items + "</drawgroupitemlist></drawgroup></drawgroups>";
    }
    static std::string Channel(const char* type, const std::string& file) {
        return std::string("<spritechannel type=\"") + type + "\" filename=\"" + file + "\"/>";
    }
    static std::string Generated(const char* type) {
        return std::string("<spritechannel type=\"") + type + "\" generate=\"1\"/>";
    }
    static std::string Frame(int32_t x, int32_t y, int32_t w, int32_t h, const std::string& channels) {
        char head[160];
        std::snprintf(head, sizeof head, "<spriteframe x=\"%d\" y=\"%d\" width=\"%d\" height=\"%d\">", x, y, w, h);
        return head + channels + "</spriteframe>";
    }
    static std::string Sprite(int32_t count, const std::string& frames, const char* extra = "") {
        return "<sprites><sprite name=\"Chair Top\" id=\"200\" type=\"2\" framecount=\"" + std::to_string(count) +
               "\" defaultpaletteid=\"7\" " + extra + ">" + frames + "</sprite></sprites>";
    }

    // A colour file: yellow background (index 0) with a red and blue block at rows top..top+h-1, columns
    // left..left+w-1.
    void WriteShapeP(const std::string& name, int32_t w, int32_t h, int32_t top, int32_t left, int32_t bh,
                     int32_t bw) {
        ASSERT_TRUE(Write8(
            name, w, h,
            [&](int32_t r, int32_t c) -> uint8_t {
                if (r < top || r >= top + bh || c < left || c >= left + bw) return 0;
                return c < left + bw / 2 ? 1 : 2;
            },
            {kYellow, kRed, kBlue}));
    }
    void WriteShapeZ(const std::string& name, int32_t w, int32_t h, int32_t top, int32_t left, int32_t bh,
                     int32_t bw) {
        ASSERT_TRUE(Write8(name, w, h, [&](int32_t r, int32_t c) -> uint8_t {
            return (r < top || r >= top + bh || c < left || c >= left + bw) ? 255 : static_cast<uint8_t>(90 + r + c);
        }));
    }
    void WriteShapeA(const std::string& name, int32_t w, int32_t h, int32_t top, int32_t left, int32_t bh,
                     int32_t bw) {
        ASSERT_TRUE(Write8(name, w, h, [&](int32_t r, int32_t c) -> uint8_t {
            if (r < top || r >= top + bh || c < left || c >= left + bw) return 0;
            return (r == top || c == left) ? 128 : 255;
        }));
    }

    bool ReadFrame(ResType type, int32_t index, Decoded& out) {
        spriteBytes = Stored(type, 200);
        return ReadSpr2Frame(ByteReader(spriteBytes.data(), spriteBytes.size()), index, out.frame);
    }
    Decoded Decode(int32_t index) {
        Decoded d;
        EXPECT_TRUE(ReadFrame(kTypeSPR2, index, d));
        const int32_t w = std::max<int32_t>(1, d.frame.width), h = std::max<int32_t>(1, d.frame.height);
        d.p = Bitmap8::Create(w, h, nullptr);
        d.z = Bitmap8::Create(w, h, nullptr);
        d.a = Bitmap8::Create(w, h, nullptr);
        SpriteChannels ch{ViewOf(*d.p), ViewOf(*d.z), ViewOf(*d.a), nullptr};
        DecodeSpr2Frame(d.frame, ch, 0);
        return d;
    }
    std::unique_ptr<PalWrap> SpritePalette() {
        Spr2Header header;
        std::vector<uint8_t> bytes = Stored(kTypeSPR2, 200);
        EXPECT_TRUE(ReadSpr2Header(ByteReader(bytes.data(), bytes.size()), header));
        auto palette = std::make_unique<PalWrap>();
        std::vector<uint8_t> palt = Stored(kTypePALT, static_cast<ResID>(header.paletteId));
        EXPECT_TRUE(palette->LoadPALT(palt.data(), palt.size()));
        return palette;
    }
    int32_t StoredFrameCount() {
        Spr2Header header;
        std::vector<uint8_t> bytes = Stored(kTypeSPR2, 200);
        if (!ReadSpr2Header(ByteReader(bytes.data(), bytes.size()), header)) return -1;
        return header.storedFrameCount;
    }

    std::vector<uint8_t> spriteBytes;
};

TEST_F(ImportedSpriteTest, AllChannelsKeepDepthAlphaAndColours) {
    // Three zooms of one rotation, each with its block somewhere on its own canvas.
    struct Shape {
        int32_t w, h, top, left, bh, bw;
    } shapes[] = {{40, 30, 5, 10, 10, 20}, {20, 15, 2, 5, 5, 10}, {10, 8, 1, 2, 3, 5}};
    std::string frames;
    for (int i = 0; i < 3; ++i) {
        const Shape& s = shapes[i];
        const std::string stem = "f" + std::to_string(i);
        WriteShapeP(stem + "_p.bmp", s.w, s.h, s.top, s.left, s.bh, s.bw);
        WriteShapeZ(stem + "_z.bmp", s.w, s.h, s.top, s.left, s.bh, s.bw);
        WriteShapeA(stem + "_a.bmp", s.w, s.h, s.top, s.left, s.bh, s.bw);
        frames += Frame(s.left, s.top, s.w, s.h,
                        Channel("p", stem + "_p.bmp") + Channel("z", stem + "_z.bmp") + Channel("a", stem + "_a.bmp"));
    }
    ASSERT_EQ(ImportBody(kAllChannels, Keeper() + Sprite(3, frames)), kImportOk) << Errors();
    EXPECT_EQ(NameOf(kTypeSPR2, 200), "Chair Top");
    ASSERT_EQ(StoredFrameCount(), 3);
    std::unique_ptr<PalWrap> palette = SpritePalette();
    for (int i = 0; i < 3; ++i) {
        const Shape& s = shapes[i];
        Decoded d = Decode(i);
        EXPECT_EQ(d.frame.x, s.left) << i;
        EXPECT_EQ(d.frame.y, s.top) << i;
        ASSERT_EQ(d.frame.width, s.bw) << i;
        ASSERT_EQ(d.frame.height, s.bh) << i;
        for (int32_t r = 0; r < s.bh; ++r)
            for (int32_t c = 0; c < s.bw; ++c) {
                const int32_t cr = r + s.top, cc = c + s.left;
                EXPECT_EQ(d.z->GetRow(r)[c], 90 + cr + cc);
                EXPECT_EQ(d.a->GetRow(r)[c], (cr == s.top || cc == s.left) ? 128 : 255);
                const PaletteColor& got = palette->GetEntry(d.p->GetRow(r)[c]);
                const RgbQuad want = c < s.bw / 2 ? kRed : kBlue;
                EXPECT_EQ(got.red, want.red);
                EXPECT_EQ(got.green, want.green);
                EXPECT_EQ(got.blue, want.blue);
            }
    }
    EXPECT_NE(progress.Text().find("<!-- Computing optimal color palette for all sprite frames, and dithering "
                                   "images. -->\r\n"),
              std::string::npos);
}

// Each case: options, a frame (with the files it names written or not) and the message the import stops with.
struct CheckCase {
    const char* name;
    const char* options;
    int32_t frameCount;
    const char* channels;  // inside one 8 x 6 frame
    const char* message;
};

const CheckCase kCheckCases[] = {
    {"no p", kAllChannels, 1, "<spritechannel type=\"z\" filename=\"z.bmp\"/><spritechannel type=\"a\" filename=\"a.bmp\"/>",
     "Missing p channel in sprite frame!"},
    {"no z", kAllChannels, 1, "<spritechannel type=\"p\" filename=\"p.bmp\"/><spritechannel type=\"a\" filename=\"a.bmp\"/>",
     "Missing z channel in sprite frame!"},
    {"no a", kAllChannels, 1, "<spritechannel type=\"p\" filename=\"p.bmp\"/><spritechannel type=\"z\" filename=\"z.bmp\"/>",
     "Missing a channel in sprite frame!"},
    {"z both", "exportexpanded=\"1\" exportz=\"1\" generatez=\"1\"", 1,
     "<spritechannel type=\"p\" filename=\"p.bmp\"/><spritechannel type=\"z\" filename=\"z.bmp\"/>",
     "Incompatible exportZ and generateZ flags!"},
    {"a both", "exportexpanded=\"1\" exporta=\"1\" generatea=\"1\"", 1,
     "<spritechannel type=\"p\" filename=\"p.bmp\"/><spritechannel type=\"z\" filename=\"z.bmp\"/>"
     "<spritechannel type=\"a\" filename=\"a.bmp\"/>",
     "Incompatible exportA and generateA flags!"},
    {"generate without element", kGenerated, 1, "<spritechannel type=\"p\" filename=\"p.bmp\"/>",
     "Missing z channel element to generate in sprite frame!"},
    {"count", kAllChannels, 2,
     "<spritechannel type=\"p\" filename=\"p.bmp\"/><spritechannel type=\"z\" filename=\"z.bmp\"/>"
     "<spritechannel type=\"a\" filename=\"a.bmp\"/>",
     "The sprite's framecount is larger than the number of its spriteframe elements!"},
    {"missing file", kAllChannels, 1,
     "<spritechannel type=\"p\" filename=\"p.bmp\"/><spritechannel type=\"z\" filename=\"nothing.bmp\"/>"
     "<spritechannel type=\"a\" filename=\"a.bmp\"/>",
     "Couldn't open BMP file \"nothing.bmp\"! (the file cannot be opened)"},
    {"cut file", kAllChannels, 1,
     "<spritechannel type=\"p\" filename=\"p.bmp\"/><spritechannel type=\"z\" filename=\"cut.bmp\"/>"
     "<spritechannel type=\"a\" filename=\"a.bmp\"/>",
     "Couldn't open BMP file \"cut.bmp\"! (the pixel data ends before the last row)"},
    {"size", kAllChannels, 1,
     "<spritechannel type=\"p\" filename=\"p.bmp\"/><spritechannel type=\"z\" filename=\"small.bmp\"/>"
     "<spritechannel type=\"a\" filename=\"a.bmp\"/>",
     "The size of BMP file \"small.bmp\" does not match its sprite frame: 4 x 3 instead of 8 x 6!"},
    {"24-bit depth", kAllChannels, 1,
     "<spritechannel type=\"p\" filename=\"p.bmp\"/><spritechannel type=\"z\" filename=\"rgb.bmp\"/>"
     "<spritechannel type=\"a\" filename=\"a.bmp\"/>",
     "The bmp files for the Alpha and Z Buffer channels must be 8 bits! But you tried to use a 24 bit bmp file: "
     "\"rgb.bmp\"!"},
};

TEST_F(ImportedSpriteTest, ChannelChecksStopTheImportWithTheirOwnMessage) {
    ASSERT_TRUE(Write8("p.bmp", 8, 6, [](int32_t r, int32_t c) -> uint8_t { return r > 1 && c > 1 ? 1 : 0; }));
    ASSERT_TRUE(Write8("z.bmp", 8, 6, [](int32_t r, int32_t c) -> uint8_t { return r > 1 && c > 1 ? 80 : 255; }));
    ASSERT_TRUE(Write8("a.bmp", 8, 6, [](int32_t r, int32_t c) -> uint8_t { return r > 1 && c > 1 ? 255 : 0; }));
    ASSERT_TRUE(Write8("small.bmp", 4, 3, [](int32_t, int32_t) -> uint8_t { return 255; }));
    ASSERT_TRUE(Write24("rgb.bmp", 8, 6, [](int32_t, int32_t) { return RgbQuad{1, 2, 3, 0}; }));
    std::vector<uint8_t> cut = reshaper_test::ReadFileBytes(dir.Join("z.bmp"));
    cut.resize(cut.size() - 9);
    ASSERT_TRUE(reshaper_test::WriteFileBytes(dir.Join("cut.bmp"), cut));
    for (const CheckCase& c : kCheckCases) {
        prompt.calls.clear();
        EXPECT_EQ(ImportBody(c.options, Sprite(c.frameCount, Frame(0, 0, 8, 6, c.channels))), kImportReported)
            << c.name;
        EXPECT_EQ(FirstMessage(), c.message) << c.name;
    }
    // The missing colour channel is found before any file is read.
    prompt.calls.clear();
    progress.calls.clear();
    EXPECT_EQ(ImportBody(kAllChannels, Sprite(1, Frame(0, 0, 8, 6, "<spritechannel type=\"z\" filename=\"x.bmp\"/>"))),
              kImportReported);
    EXPECT_EQ(progress.Text().find("Couldn't open"), std::string::npos);
    // A frame without size, a proxy without a real source.
    prompt.calls.clear();
    EXPECT_EQ(ImportBody(kAllChannels, Sprite(1, "<spriteframe/>")), kImportReported);
    EXPECT_EQ(FirstMessage(), "Zero sized sprite frame!");
    prompt.calls.clear();
    EXPECT_EQ(ImportBody(kGenerated, Sprite(1, "<spriteframe proxy=\"3\" shrink=\"1\"/>")), kImportReported);
    EXPECT_EQ(FirstMessage(), "A proxy sprite frame refers to a frame that is not a real sprite frame!");
}

TEST_F(ImportedSpriteTest, DefaultPresetGeneratesChannelsZoomsAndMovesDegenerateItems) {
    // Four rotations at the largest zoom on the 136 x 384 canvas; rotation 1 is background only.
    std::string frames;
    for (int rot = 0; rot < 4; ++rot) {
        const std::string name = "r" + std::to_string(rot) + "_p.bmp";
        if (rot == 1)
            ASSERT_TRUE(Write8(name, 136, 384, [](int32_t, int32_t) -> uint8_t { return 0; }, {kYellow}));
        else
            WriteShapeP(name, 136, 384, 200, 40 + rot, 60, 40);
        frames += Frame(40, 200, 136, 384, Channel("p", name) + Generated("z") + Generated("a"));
    }
    for (int zoom = 1; zoom < 3; ++zoom)
        for (int rot = 0; rot < 4; ++rot)
            frames += "<spriteframe index=\"" + std::to_string(zoom * 4 + rot) + "\" proxy=\"" + std::to_string(rot) +
                      "\" shrink=\"" + std::to_string(zoom) +
                      "\"><spritechannel type=\"p\"/><spritechannel type=\"z\"/><spritechannel type=\"a\"/>"
                      "</spriteframe>";
    const std::string items = "<drawgroupitem spriteid=\"200\" spritenum=\"0\" pixelx=\"3\" pixely=\"4\"/>"
                              "<drawgroupitem spriteid=\"200\" spritenum=\"1\" pixelx=\"-8\" pixely=\"9\"/>"
                              "<drawgroupitem spriteid=\"200\" spritenum=\"9\" pixelx=\"5\" pixely=\"6\"/>";
    ASSERT_EQ(ImportBody(kGenerated, Keeper(items) + Sprite(12, frames)), kImportOk) << Errors();
    ASSERT_EQ(StoredFrameCount(), 12);

    // Rotation 0 at zoom 0: shrink-wrapped to its block, far depth from template 145 less 8, soft alpha.
    Decoded d0 = Decode(0);
    EXPECT_EQ(d0.frame.x, 40);
    EXPECT_EQ(d0.frame.y, 200);
    ASSERT_EQ(d0.frame.width, 40);
    ASSERT_EQ(d0.frame.height, 60);
    const Bitmap8* far0 = DepthTemplate(145);
    ASSERT_NE(far0, nullptr);
    const int t = far0->GetRow(230)[60];
    if (t != 255) {
        EXPECT_EQ(d0.z->GetRow(30)[20], std::clamp(t - 8, 0, 254));
    }
    EXPECT_EQ(d0.a->GetRow(0)[5], 128);   // the block's edge
    EXPECT_EQ(d0.a->GetRow(30)[20], 255);  // inside

    // Zoom 1 and 2 of rotation 0: the block halved and quartered inside their canvases.
    Decoded d4 = Decode(4);
    EXPECT_EQ(d4.frame.x, 20);
    EXPECT_EQ(d4.frame.y, 100);
    EXPECT_EQ(d4.frame.width, 20);
    EXPECT_EQ(d4.frame.height, 30);
    Decoded d8 = Decode(8);
    EXPECT_EQ(d8.frame.x, 10);
    EXPECT_EQ(d8.frame.y, 50);
    EXPECT_EQ(d8.frame.width, 10);
    EXPECT_EQ(d8.frame.height, 15);
    EXPECT_LE(d8.frame.x + d8.frame.width, 34);

    // Rotation 1 is a 1 x 1 frame at the centre of each canvas, and the items that show it went to (0, 0).
    for (auto [index, cx, cy] : {std::tuple{1, 68, 192}, {5, 34, 96}, {9, 17, 48}}) {
        Decoded d = Decode(index);
        EXPECT_EQ(d.frame.width, 1) << index;
        EXPECT_EQ(d.frame.height, 1) << index;
        EXPECT_EQ(d.frame.x, cx) << index;
        EXPECT_EQ(d.frame.y, cy) << index;
    }
    DrawGroup g;
    ASSERT_EQ(g.Load(*record.file, 100), kNoErr);
    EXPECT_EQ(g.GetItem(0, 0)->pixelx, 3);
    EXPECT_EQ(g.GetItem(0, 1)->pixelx, 0);
    EXPECT_EQ(g.GetItem(0, 1)->pixely, 0);
    EXPECT_EQ(g.GetItem(0, 2)->pixelx, 0);
    EXPECT_NE(progress.Text().find("Moved drawgroup id 100 list 0 item 1 that referenced degenerate sprite id 200 "
                                   "index 1 from (-8,9) to (0,0).\r\n"),
              std::string::npos);
}

TEST_F(ImportedSpriteTest, FramesNotExpandedKeepTheDocumentOffsetsAtTheirZoom) {
    WriteShapeP("p.bmp", 12, 8, 0, 0, 8, 12);
    WriteShapeZ("z.bmp", 12, 8, 0, 0, 8, 12);
    WriteShapeA("a.bmp", 12, 8, 0, 0, 8, 12);
    const std::string channels = Channel("p", "p.bmp") + Channel("z", "z.bmp") + Channel("a", "a.bmp");
    // One rotation: frame 0 at the largest zoom, frames 1 and 2 made from it at the two smaller ones.
    std::string frames = Frame(-14, 18, 12, 8, channels);
    for (int shrink = 1; shrink <= 2; ++shrink)
        frames += "<spriteframe proxy=\"0\" shrink=\"" + std::to_string(shrink) + "\"/>";
    ASSERT_EQ(ImportBody("exportexpanded=\"0\"", Keeper() + Sprite(3, frames)), kImportOk) << Errors();
    for (auto [index, x, y, w, h] : {std::tuple{0, 14, 18, 12, 8}, {1, 7, 9, 6, 4}, {2, 3, 4, 3, 2}}) {
        Decoded d = Decode(index);
        EXPECT_EQ(d.frame.x, x) << index;
        EXPECT_EQ(d.frame.y, y) << index;
        EXPECT_EQ(d.frame.width, w) << index;
        EXPECT_EQ(d.frame.height, h) << index;
    }
}

TEST_F(ImportedSpriteTest, ASpriteThatWouldDrawFewerFramesIsKept) {
    WriteShapeP("p.bmp", 8, 6, 1, 1, 4, 6);
    WriteShapeZ("z.bmp", 8, 6, 1, 1, 4, 6);
    WriteShapeA("a.bmp", 8, 6, 1, 1, 4, 6);
    const std::string frame = Frame(0, 0, 8, 6, Channel("p", "p.bmp") + Channel("z", "z.bmp") + Channel("a", "a.bmp"));
    ASSERT_EQ(ImportBody(kAllChannels, Keeper() + Sprite(1, frame)), kImportOk) << Errors();
    const std::vector<uint8_t> before = Stored(kTypeSPR2, 200);

    // The same frame with its depth painted empty, and a document without frames.
    ASSERT_TRUE(Write8("z.bmp", 8, 6, [](int32_t, int32_t) -> uint8_t { return 255; }));
    for (const std::string& sprite : {Sprite(1, frame), Sprite(0, "")}) {
        prompt.calls.clear();
        EXPECT_EQ(ImportBody(kAllChannels, Keeper() + sprite), kImportReported);
        EXPECT_EQ(FirstMessage().rfind("Sprite id 200 \"Chair Top\" would lose frames: the document gives ", 0), 0u)
            << FirstMessage();
        EXPECT_EQ(Stored(kTypeSPR2, 200), before);
    }
}

TEST_F(ImportedSpriteTest, TwentyFourBitColourFileImports) {
    // A repainted frame saved as 24-bit: its colours come through the rebuilt palette.
    ASSERT_TRUE(Write24("p.bmp", 8, 6, [](int32_t r, int32_t c) {
        return r < 2 ? RgbQuad{0, 255, 255, 0} : c < 4 ? RgbQuad{10, 200, 30, 0} : RgbQuad{250, 20, 40, 0};
    }));
    ASSERT_TRUE(Write8("z.bmp", 8, 6, [](int32_t r, int32_t) -> uint8_t { return r < 2 ? 255 : 70; }));
    ASSERT_TRUE(Write8("a.bmp", 8, 6, [](int32_t r, int32_t) -> uint8_t { return r < 2 ? 0 : 255; }));
    const std::string channels = Channel("p", "p.bmp") + Channel("z", "z.bmp") + Channel("a", "a.bmp");
    ASSERT_EQ(ImportBody(kAllChannels, Keeper() + Sprite(1, Frame(0, 0, 8, 6, channels))), kImportOk) << Errors();
    Decoded d = Decode(0);
    ASSERT_EQ(d.frame.height, 4);
    std::unique_ptr<PalWrap> palette = SpritePalette();
    const PaletteColor& left = palette->GetEntry(d.p->GetRow(1)[1]);
    const PaletteColor& right = palette->GetEntry(d.p->GetRow(1)[6]);
    EXPECT_EQ(left.red, 30);
    EXPECT_EQ(left.green, 200);
    EXPECT_EQ(left.blue, 10);
    EXPECT_EQ(right.red, 40);
    EXPECT_EQ(right.green, 20);
    EXPECT_EQ(right.blue, 250);
}

TEST_F(ImportedSpriteTest, CustomWallStyleSpriteIsAnOlderSpriteOfItsDepthImages) {
    std::string frames;
    for (int i = 0; i < 4; ++i) {
        const std::string name = "w" + std::to_string(i) + "_z.bmp";
        ASSERT_TRUE(Write8(name, 16, 20, [i](int32_t r, int32_t c) -> uint8_t {
            return r < 3 ? 255 : static_cast<uint8_t>(i * 10 + c);
        }));
        frames += Frame(0, 0, 16, 20, Channel("z", name));
    }
    ASSERT_EQ(ImportBody(kAllChannels, Keeper() + Sprite(4, frames, "iscustomwallstyle=\"1\"")), kImportOk)
        << Errors();
    std::vector<uint8_t> bytes = Stored(kTypeSPRList, 200);
    ASSERT_FALSE(bytes.empty());
    SprListHeader header;
    ASSERT_TRUE(ReadSprListHeader(ByteReader(bytes.data(), bytes.size()), header));
    EXPECT_EQ(header.version, 504);
    ASSERT_EQ(header.frameCount, 4);
    SprListFrame frame;
    ASSERT_TRUE(ReadSprListFrame(ByteReader(bytes.data(), bytes.size()), 2, frame));
    EXPECT_EQ(frame.width, 16);
    EXPECT_EQ(frame.height, 20);
    auto p = Bitmap8::Create(16, 20, nullptr);
    SpriteChannels ch{ViewOf(*p), {}, {}, nullptr};
    DecodeSprListFrame(frame, ch, 255);
    EXPECT_EQ(p->GetRow(0)[0], 255);
    EXPECT_EQ(p->GetRow(10)[7], 27);
}

}  // namespace
}  // namespace import_test
