// Tests of the frame count lookup over a real resource file holding both sprite types.
#include <gtest/gtest.h>

#include <vector>

#include "SpriteTestImages.h"
#include "objects/sprites/SpriteFrameCount.h"
#include "resfile/IFFResFile2.h"
#include "support/TempDir.h"

using namespace reshaper_test;

namespace {

std::vector<uint8_t> Header(uint32_t version, uint32_t count, bool bigEndian) {
    std::vector<uint8_t> out;
    for (uint32_t v : {version, count, 0u}) {
        if (bigEndian) v = (v >> 24) | ((v >> 8) & 0xFF00) | ((v << 8) & 0xFF0000) | (v << 24);
        PutU32(out, v);
    }
    out.resize(out.size() + 4 * count, 0);  // offsets (not looked at)
    return out;
}

void AddResource(IFFResFile2& f, ResType type, ResID id, const std::vector<uint8_t>& bytes, bool converted) {
    f.Add(NewHandleFrom(bytes.data(), static_cast<int32_t>(bytes.size())), type, id, "", converted);
    ASSERT_EQ(f.GetError(), kNoErr);
}

TEST(SpriteFrameCount, PrefersTheOlderTypeThenSpr2ThenZero) {
    TempDir dir;
    const std::string path = dir.Join("sprites.iff");
    IFFResFile2 f;
    ASSERT_EQ(f.Create(path), kNoErr);
    ASSERT_EQ(f.Open(path), kNoErr);
    AddResource(f, kTypeSPRList, 5, Header(504, 3, true), false);  // stored big-endian: fixed up on load
    AddResource(f, kTypeSPR2, 6, Header(1000, 2, false), false);
    AddResource(f, kTypeSPRList, 7, Header(504, 4, false), true);
    AddResource(f, kTypeSPR2, 7, Header(1000, 9, false), false);
    std::vector<uint8_t> lying = Header(1000, 2, false);
    lying[4] = 200;  // 200 frames promised, 2 offsets present
    AddResource(f, kTypeSPR2, 8, lying, false);
    // Reopen, so that every fetch loads from the file (and the fix-up runs on the stored bytes).
    ASSERT_EQ(f.Close(), kNoErr);
    ASSERT_EQ(f.Open(path), kNoErr);

    EXPECT_EQ(CountSpriteFrames(f, 5), 3);
    EXPECT_EQ(CountSpriteFrames(f, 5), 3);  // released after the first count, fixed up again on the next load
    EXPECT_EQ(CountSpriteFrames(f, 6), 2);
    EXPECT_EQ(CountSpriteFrames(f, 7), 4);
    EXPECT_EQ(CountSpriteFrames(f, 8), 2);
    EXPECT_EQ(CountSpriteFrames(f, 99), 0);
    f.Close();
}

}  // namespace
