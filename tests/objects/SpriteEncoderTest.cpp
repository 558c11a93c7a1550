// Tests of the SPR2 frame encoder: byte-exact token streams for the edge cases, refusals of frames it cannot store.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "SpriteTestImages.h"
#include "objects/sprites/Spr2Encoder.h"

using namespace reshaper_test;

namespace {

// Three channel images drawn from text: one character per pixel. '.' is transparent (Z 255, A 0, P 7), 'o'
// opaque (A 255), 'h' half transparent (A 80, stored alpha 10). Z and P count up per coded pixel from 10 and 1.
// With a transparent first pixel the opaque alpha value is 31, so 'o' pixels go into kRunZP runs.
struct Frame {
    GuardedImage p, z, a;
    Frame(const std::vector<std::string>& rows)
        : p(static_cast<int32_t>(rows[0].size()), static_cast<int32_t>(rows.size())),
          z(static_cast<int32_t>(rows[0].size()), static_cast<int32_t>(rows.size())),
          a(static_cast<int32_t>(rows[0].size()), static_cast<int32_t>(rows.size())) {
        uint8_t next = 0;
        for (size_t r = 0; r < rows.size(); ++r) {
            for (size_t c = 0; c < rows[r].size(); ++c) {
                const auto ri = static_cast<int32_t>(r), ci = static_cast<int32_t>(c);
                const char ch = rows[r][c];
                if (ch == '.') {
                    p.At(ri, ci) = 7, z.At(ri, ci) = 255, a.At(ri, ci) = 0;
                    continue;
                }
                p.At(ri, ci) = static_cast<uint8_t>(1 + next % 250);
                z.At(ri, ci) = static_cast<uint8_t>(10 + next % 200);
                a.At(ri, ci) = ch == 'h' ? 80 : 255;
                ++next;
            }
        }
    }
    Spr2EncodeResult Encode(std::vector<uint8_t>& out, Rect bounds = Rect{}, int alphaBits = 5) {
        if (IsRectEmpty(bounds) && bounds.top == 0 && bounds.bottom == 0)
            bounds = Rect{0, 0, static_cast<int16_t>(z.View().height), static_cast<int16_t>(z.View().width)};
        return EncodeSpr2Frame(p.View(), z.View(), a.View(), bounds, Point{0, 0}, alphaBits, out);
    }
};

// The 16-byte frame header the encoder writes for a w x h frame at (0, 0) whose clear colour is 7.
std::vector<uint8_t> Header(uint16_t w, uint16_t h) {
    std::vector<uint8_t> out;
    PutU16(out, w);
    PutU16(out, h);
    PutU32(out, 7);
    PutU16(out, 0xFFFF);
    PutU16(out, 7);
    PutU16(out, 0);
    PutU16(out, 0);
    return out;
}

std::vector<uint8_t> Tokens(const std::vector<uint8_t>& frame) {
    return std::vector<uint8_t>(frame.begin() + 16, frame.end());
}

TEST(SpriteEncoder, FivePixelRowGivesRowLengthSixteen) {
    Frame f({".ooh."});
    std::vector<uint8_t> out;
    ASSERT_EQ(f.Encode(out), Spr2EncodeResult::kOk);
    EXPECT_EQ(std::vector<uint8_t>(out.begin(), out.begin() + 16), Header(5, 1));
    EXPECT_EQ(Tokens(out), (std::vector<uint8_t>{
                               0x10, 0x00,                // kNL, 16 bytes
                               0x01, 0x60,                // kClear(1)
                               0x02, 0x20, 10, 1, 11, 2,  // kRunZP(2): Z P Z P
                               0x01, 0x40, 12, 3, 10,     // kRunZPA(1): Z P A
                               0xB0,                      // pad; the trailing transparent pixel is not coded
                               0x00, 0xA0,                // kEOS
                           }));
}

TEST(SpriteEncoder, ThreeEmptyRowsBecomeOneSkip) {
    Frame f({"..", "..", "..", "oo"});
    std::vector<uint8_t> out;
    ASSERT_EQ(f.Encode(out), Spr2EncodeResult::kOk);
    EXPECT_EQ(Tokens(out), (std::vector<uint8_t>{0x03, 0x80, 0x08, 0x00, 0x02, 0x20, 10, 1, 11, 2, 0x00, 0xA0}));
}

TEST(SpriteEncoder, TwoEmptyRowsStayRows) {
    Frame f({"..", "..", "o."});
    std::vector<uint8_t> out;
    ASSERT_EQ(f.Encode(out), Spr2EncodeResult::kOk);
    EXPECT_EQ(Tokens(out), (std::vector<uint8_t>{0x02, 0x00, 0x02, 0x00, 0x06, 0x00, 0x01, 0x20, 10, 1, 0x00, 0xA0}));
}

TEST(SpriteEncoder, TrailingEmptyRowsAreDroppedWhenTheyBecomeASkip) {
    Frame f({"h.", "..", "..", ".."});
    std::vector<uint8_t> out;
    ASSERT_EQ(f.Encode(out), Spr2EncodeResult::kOk);
    // The row's length runs to kEOS, pad included.
    EXPECT_EQ(Tokens(out), (std::vector<uint8_t>{0x08, 0x00, 0x01, 0x40, 10, 1, 10, 0xB0, 0x00, 0xA0}));

    Frame two({"h.", "..", ".."});
    ASSERT_EQ(two.Encode(out), Spr2EncodeResult::kOk);
    EXPECT_EQ(Tokens(out),
              (std::vector<uint8_t>{0x08, 0x00, 0x01, 0x40, 10, 1, 10, 0xB0, 0x02, 0x00, 0x02, 0x00, 0x00, 0xA0}));
}

TEST(SpriteEncoder, EmptySkipsInTheMiddleAndAllEmptyFrames) {
    Frame f({".o", "..", "..", "..", "..", ".o"});
    std::vector<uint8_t> out;
    ASSERT_EQ(f.Encode(out), Spr2EncodeResult::kOk);
    EXPECT_EQ(Tokens(out), (std::vector<uint8_t>{0x08, 0x00, 0x01, 0x60, 0x01, 0x20, 10, 1,  // row 0
                                                 0x04, 0x80,                                 // kSL(4)
                                                 0x08, 0x00, 0x01, 0x60, 0x01, 0x20, 11, 2,  // row 5
                                                 0x00, 0xA0}));

    // A frame of empty rows only keeps its kSL: it is not preceded by any token.
    Frame empty({"...", "...", "..."});
    ASSERT_EQ(empty.Encode(out), Spr2EncodeResult::kOk);
    EXPECT_EQ(Tokens(out), (std::vector<uint8_t>{0x03, 0x80, 0x00, 0xA0}));
}

TEST(SpriteEncoder, RunsSwitchOnAlphaAndGapsBecomeClears) {
    Frame f({".oh..ho"});
    std::vector<uint8_t> out;
    ASSERT_EQ(f.Encode(out), Spr2EncodeResult::kOk);
    EXPECT_EQ(Tokens(out), (std::vector<uint8_t>{0x1A, 0x00,                   // kNL, 26 bytes
                                                 0x01, 0x60,                   // kClear(1)
                                                 0x01, 0x20, 10, 1,            // kRunZP(1)
                                                 0x01, 0x40, 11, 2, 10, 0xB0,  // kRunZPA(1), pad before the kClear
                                                 0x02, 0x60,                   // kClear(2)
                                                 0x01, 0x40, 12, 3, 10, 0xB0,  // kRunZPA(1), pad before the kRunZP
                                                 0x01, 0x20, 13, 4,            // kRunZP(1)
                                                 0x00, 0xA0}));
}

TEST(SpriteEncoder, OpaqueValueComesFromTheFirstPixel) {
    // First pixel opaque (A 255): the opaque value is 0, so fully covered pixels become kRunZPA with alpha 31
    // and pixels of alpha 0 ... 7 become kRunZP.
    Frame f({"oo"});
    f.a.At(0, 1) = 3;
    std::vector<uint8_t> out;
    ASSERT_EQ(f.Encode(out), Spr2EncodeResult::kOk);
    EXPECT_EQ(Tokens(out),
              (std::vector<uint8_t>{0x0C, 0x00, 0x01, 0x40, 10, 1, 31, 0xB0, 0x01, 0x20, 11, 2, 0x00, 0xA0}));
}

TEST(SpriteEncoder, HeaderCarriesTheRectangleAndEmptyRectanglesCodeNothing) {
    Frame f({"..", ".o"});
    std::vector<uint8_t> out;
    // Read the 1 x 1 area at row 1, column 1 of the images; place the frame at x 30, y -4.
    ASSERT_EQ(EncodeSpr2Frame(f.p.View(), f.z.View(), f.a.View(), Rect{-4, 30, -3, 31}, Point{1, 1}, 5, out),
              Spr2EncodeResult::kOk);
    EXPECT_EQ(std::vector<uint8_t>(out.begin(), out.begin() + 16),
              (std::vector<uint8_t>{1, 0, 1, 0, 7, 0, 0, 0, 0xFF, 0xFF, 7, 0, 0xFC, 0xFF, 30, 0}));
    EXPECT_EQ(Tokens(out), (std::vector<uint8_t>{0x06, 0x00, 0x01, 0x20, 10, 1, 0x00, 0xA0}));

    ASSERT_EQ(EncodeSpr2Frame(f.p.View(), f.z.View(), f.a.View(), Rect{5, 6, 5, 9}, Point{0, 0}, 5, out),
              Spr2EncodeResult::kOk);
    EXPECT_EQ(out, (std::vector<uint8_t>{0, 0, 0, 0, 7, 0, 0, 0, 0xFF, 0xFF, 7, 0, 0, 0, 0, 0, 0x00, 0xA0}));
}

TEST(SpriteEncoder, RefusesWhatTheFormatCannotHold) {
    std::vector<uint8_t> out{1, 2, 3};
    // kNL, kClear(1) and 4092 coded pixels make a row of 6 + 2 * 4092 = 8190 bytes; 4093 would need 8192.
    Frame fits({"." + std::string(4092, 'o')});
    ASSERT_EQ(fits.Encode(out), Spr2EncodeResult::kOk);
    EXPECT_EQ(out[16] | (out[17] << 8), 8190);
    Frame wide({"." + std::string(4093, 'o')});
    EXPECT_EQ(wide.Encode(out), Spr2EncodeResult::kCountTooLarge);
    EXPECT_TRUE(out.empty());

    // A transparent stretch of 8192 pixels needs a kClear count the format cannot hold.
    Frame gap({std::string(8192, '.') + "o"});
    EXPECT_EQ(gap.Encode(out), Spr2EncodeResult::kCountTooLarge);
    Frame gapFits({std::string(8191, '.') + "o"});
    EXPECT_EQ(gapFits.Encode(out), Spr2EncodeResult::kOk);

    // 8192 empty rows between two coded rows cannot be one kSL; at the bottom they are dropped anyway.
    std::vector<std::string> tall(8194, ".");
    tall.front() = "o";
    tall.back() = "o";
    Frame tallFrame(tall);
    EXPECT_EQ(tallFrame.Encode(out), Spr2EncodeResult::kCountTooLarge);
    tall.back() = ".";
    Frame tallEnd(tall);
    EXPECT_EQ(tallEnd.Encode(out), Spr2EncodeResult::kOk);
}

TEST(SpriteEncoder, RefusesBadArguments) {
    Frame f({"oo", "oo"});
    std::vector<uint8_t> out;
    const Rect all{0, 0, 2, 2};
    EXPECT_EQ(f.Encode(out, all, 0), Spr2EncodeResult::kBadArguments);
    EXPECT_EQ(f.Encode(out, all, 9), Spr2EncodeResult::kBadArguments);
    EXPECT_EQ(f.Encode(out, all, 8), Spr2EncodeResult::kOk);
    EXPECT_EQ(EncodeSpr2Frame(f.p.View(), f.z.View(), f.a.View(), all, Point{1, 0}, 5, out),
              Spr2EncodeResult::kBadArguments);
    EXPECT_EQ(EncodeSpr2Frame(f.p.View(), f.z.View(), f.a.View(), Rect{0, 0, 2, 3}, Point{0, 0}, 5, out),
              Spr2EncodeResult::kBadArguments);
    EXPECT_EQ(EncodeSpr2Frame(f.p.View(), f.z.View(), f.a.View(), Rect{0, 0, 1, 1}, Point{-1, 0}, 5, out),
              Spr2EncodeResult::kBadArguments);
    EXPECT_EQ(EncodeSpr2Frame(f.p.View(), ChannelView{}, f.a.View(), all, Point{0, 0}, 5, out),
              Spr2EncodeResult::kBadArguments);
    EXPECT_TRUE(out.empty());
}

}  // namespace
