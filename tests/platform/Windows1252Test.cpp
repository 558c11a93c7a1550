// Tests of the Windows-1252 conversion: every byte round-trips, and what the page cannot hold is refused.
#include <gtest/gtest.h>

#include "platform/Windows1252.h"

namespace {

TEST(Windows1252, EveryByteRoundTripsThroughUtf8) {
    std::string all;
    for (int b = 0; b < 256; ++b) all.push_back(static_cast<char>(b));
    const std::string utf8 = DecodeWindows1252(all);
    EXPECT_TRUE(IsValidUtf8(utf8));
    std::string back;
    Windows1252Fault fault;
    ASSERT_TRUE(EncodeWindows1252(utf8, back, &fault));
    EXPECT_EQ(back, all);

    // The typographic characters are themselves; the five undefined bytes are the controls of the same number.
    EXPECT_EQ(DecodeWindows1252("\x92\x96\x99\x80"), "\xE2\x80\x99\xE2\x80\x93\xE2\x84\xA2\xE2\x82\xAC");
    for (uint8_t undefined : {0x81, 0x8D, 0x8F, 0x90, 0x9D}) EXPECT_EQ(Windows1252CodePoint(undefined), undefined);
    EXPECT_EQ(DecodeWindows1252("Caf\xE9"), "Caf\xC3\xA9");
}

TEST(Windows1252, CharactersThePageCannotHoldAreReportedAndMarked) {
    std::string out;
    Windows1252Fault fault;
    // A snowman, then U+0080 (a control the page does not hold: its byte 0x80 is the euro sign).
    EXPECT_FALSE(EncodeWindows1252("a\xE2\x98\x83z\xC2\x80", out, &fault));
    EXPECT_EQ(out, "a?z?");
    EXPECT_EQ(fault.offset, 1u);
    EXPECT_EQ(fault.codePoint, 0x2603u);
    EXPECT_FALSE(fault.malformed);
    EXPECT_EQ(DescribeWindows1252Fault(fault), "the character \"\xE2\x98\x83\" (U+2603)");

    // Bytes that are not UTF-8: a cut sequence, an overlong form, a surrogate.
    for (const char* bad : {"x\xC3", "x\xC0\xAF", "x\xED\xA0\x80"}) {
        EXPECT_FALSE(IsValidUtf8(bad)) << bad;
        EXPECT_FALSE(EncodeWindows1252(bad, out, &fault)) << bad;
        EXPECT_TRUE(fault.malformed);
        EXPECT_EQ(fault.offset, 1u);
        EXPECT_EQ(out.substr(0, 2), "x?");
    }
    EXPECT_EQ(DescribeWindows1252Fault(fault), "bytes that are not UTF-8");
}

}  // namespace
