// Tests of the older sprite type SPR#: the byte-order fix-up, frame lookup and command decoding.
#include <gtest/gtest.h>

#include <vector>

#include "SpriteTestImages.h"
#include "objects/sprites/SprListDecoder.h"
#include "objects/sprites/SprListResource.h"

using namespace reshaper_test;

namespace {

void PutU16BE(std::vector<uint8_t>& out, uint16_t v) {
    out.push_back(static_cast<uint8_t>(v >> 8));
    out.push_back(static_cast<uint8_t>(v));
}
void PutU32BE(std::vector<uint8_t>& out, uint32_t v) {
    PutU16BE(out, static_cast<uint16_t>(v >> 16));
    PutU16BE(out, static_cast<uint16_t>(v));
}

// The commands of a 4 x 3 frame: row 0 skips one pixel and fills two with colour 6, row 1 copies three colours,
// then one row is skipped and the frame ends.
const std::vector<uint8_t> kCommands = {
    4, 0,                 // new row
    1, 1,                 // skip 1
    2, 2, 6,  0,          // fill 2 with 6, pad
    4, 0,                 // new row
    3, 3, 10, 11, 12, 0,  // copy 3, pad to even
    9, 1,                 // skip 1 row
    5, 0,                 // end
};

// A big-endian resource as older tools stored it: version, count, palette id (502 and above), offsets, frames.
std::vector<uint8_t> BigEndianSprite(uint32_t version, const std::vector<uint32_t>& offsetsToFrameIndex, int frames) {
    const bool hasPalette = version >= 502;
    std::vector<uint8_t> out;
    PutU32BE(out, version);
    PutU32BE(out, static_cast<uint32_t>(offsetsToFrameIndex.size()));
    if (hasPalette) PutU32BE(out, 9);
    const size_t tableEnd = out.size() + 4 * offsetsToFrameIndex.size();
    const size_t frameSize = 10 + kCommands.size();
    for (uint32_t index : offsetsToFrameIndex) PutU32BE(out, static_cast<uint32_t>(tableEnd + index * frameSize));
    for (int i = 0; i < frames; ++i) {
        PutU16BE(out, static_cast<uint16_t>(-2 - i));  // y
        PutU16BE(out, 5);                              // x
        PutU16BE(out, 3);                              // height
        PutU16BE(out, 4);                              // width
        PutU16BE(out, 0x1234);                         // not swapped
        out.insert(out.end(), kCommands.begin(), kCommands.end());
    }
    return out;
}

TEST(SpriteList, FixupTurnsBigEndianDataIntoHostOrder) {
    auto res = BigEndianSprite(504, {0, 1}, 2);
    FixupSprList(res.data(), static_cast<int32_t>(res.size()));
    const ByteReader data(res.data(), res.size());
    SprListHeader header;
    ASSERT_TRUE(ReadSprListHeader(data, header));
    EXPECT_EQ(header.version, 504);
    EXPECT_EQ(header.frameCount, 2);
    EXPECT_TRUE(header.hasPaletteId);
    EXPECT_EQ(header.paletteId, 9);
    for (int i = 0; i < 2; ++i) {
        SprListFrame frame;
        ASSERT_TRUE(ReadSprListFrame(data, i, frame));
        EXPECT_EQ(frame.y, -2 - i);
        EXPECT_EQ(frame.x, 5);
        EXPECT_EQ(frame.height, 3);
        EXPECT_EQ(frame.width, 4);
    }
    EXPECT_EQ(res[20 + 8], 0x12);  // the fifth word keeps its bytes
}

TEST(SpriteList, OldVersionsHaveNoPaletteAndSharedFramesAreSwappedOnce) {
    auto res = BigEndianSprite(501, {0, 0, 0}, 1);
    FixupSprList(res.data(), static_cast<int32_t>(res.size()));
    const ByteReader data(res.data(), res.size());
    SprListHeader header;
    ASSERT_TRUE(ReadSprListHeader(data, header));
    EXPECT_FALSE(header.hasPaletteId);
    EXPECT_FALSE(IsDrawableSprListVersion(header.version));
    EXPECT_EQ(header.frameCount, 3);
    SprListFrame frame;
    ASSERT_TRUE(ReadSprListFrame(data, 2, frame));
    EXPECT_EQ(frame.width, 4);
    EXPECT_EQ(frame.y, -2);
}

TEST(SpriteList, FixupOfCutDataTouchesOnlyTheData) {
    const auto whole = BigEndianSprite(504, {0, 1, 7}, 2);  // the third offset points past the end
    for (size_t n = 0; n <= whole.size(); ++n) {
        std::vector<uint8_t> cut(whole.begin(), whole.begin() + static_cast<ptrdiff_t>(n));
        FixupSprList(cut.data(), static_cast<int32_t>(cut.size()));
        SprListHeader header;
        if (ReadSprListHeader(ByteReader(cut.data(), cut.size()), header)) {
            EXPECT_LE(header.frameCount, 3);
        }
    }
    auto res = whole;
    FixupSprList(res.data(), static_cast<int32_t>(res.size()));
    SprListFrame frame;
    EXPECT_TRUE(ReadSprListFrame(ByteReader(res.data(), res.size()), 1, frame));
    EXPECT_FALSE(ReadSprListFrame(ByteReader(res.data(), res.size()), 2, frame));
}

TEST(SpriteList, CommandsDecodeLikeTokens) {
    auto res = BigEndianSprite(504, {0}, 1);
    FixupSprList(res.data(), static_cast<int32_t>(res.size()));
    SprListFrame frame;
    ASSERT_TRUE(ReadSprListFrame(ByteReader(res.data(), res.size()), 0, frame));
    GuardedImage p(4, 3), z(4, 3), a(4, 3);
    uint32_t histogram[256] = {};
    ASSERT_EQ(DecodeSprListFrame(frame, {p.View(), z.View(), a.View(), histogram}, 200), SpriteDecodeResult::kOk);
    const uint8_t wantP[3][4] = {{200, 6, 6, 200}, {10, 11, 12, 200}, {200, 200, 200, 200}};
    for (int r = 0; r < 3; ++r) {
        for (int c = 0; c < 4; ++c) {
            EXPECT_EQ(p.At(r, c), wantP[r][c]) << r << "," << c;
            const bool coded = wantP[r][c] != 200;
            EXPECT_EQ(z.At(r, c), coded ? 128 : 255);
            EXPECT_EQ(a.At(r, c), coded ? 255 : 0);
        }
    }
    EXPECT_EQ(histogram[6], 2u);
    EXPECT_EQ(histogram[11], 1u);
    EXPECT_TRUE(p.GuardsIntact() && z.GuardsIntact() && a.GuardsIntact());
}

TEST(SpriteList, UnknownCommandStopsWithBadTokenAndLongRunsAreCut) {
    const std::vector<uint8_t> commands = {4, 0, 2, 200, 7, 0, 4, 0, 3, 9, 1, 2, 3, 4,
                                           5, 6, 7, 8,   9, 0, 8, 0, 4, 0, 2, 1, 5, 0};
    SprListFrame frame;
    frame.width = 3;
    frame.height = 3;
    frame.commands = ByteReader(commands.data(), commands.size());
    GuardedImage p(3, 3);
    uint32_t histogram[256] = {};
    SpriteChannels out;
    out.p = p.View();
    out.histogram = histogram;
    EXPECT_EQ(DecodeSprListFrame(frame, out, 0), SpriteDecodeResult::kBadToken);
    EXPECT_EQ(p.At(0, 2), 7);
    EXPECT_EQ(p.At(1, 2), 3);
    EXPECT_EQ(p.At(2, 0), 0);  // after the bad command: not decoded
    EXPECT_EQ(histogram[7], 3u);
    EXPECT_TRUE(p.GuardsIntact());
}

}  // namespace
