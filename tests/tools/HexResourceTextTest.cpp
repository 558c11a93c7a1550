// The hex view's text: offsets, byte cells and character cells, short last lines, large offsets.
#include <gtest/gtest.h>

#include <vector>

#include "tools/HexResourceText.h"

namespace {

TEST(HexResourceText, ControlBytesShowAsCaretLettersAndHighBytesAsThemselves) {
    const std::vector<uint8_t> bytes = {0x00, 0x0A, 0x1F, 0x20, 0x41, 0x7F, 0x80, 0xFF};
    EXPECT_EQ(FormatHexDump(bytes.data(), bytes.size()),
              "0000  |   00 0A 1F 20 41 7F 80 FF  |  ^@^J^_   A \x7F \x80 \xFF  |\r\n");
    EXPECT_EQ(FormatHexDump(bytes.data(), 0), "");
}

TEST(HexResourceText, OffsetsGrowPastFourDigits) {
    const std::vector<uint8_t> bytes(0x10000 + 3, 0x42);
    const std::string text = FormatHexDump(bytes.data(), bytes.size());
    const std::string last =
        "10000  |   42 42 42" + std::string(5 * 3, ' ') + "  |   B B B" + std::string(5 * 2, ' ') + "  |\r\n";
    ASSERT_GE(text.size(), last.size());
    EXPECT_EQ(text.substr(text.size() - last.size()), last);
    EXPECT_EQ(text.substr(0, 9), "0000  |  ");
}

}  // namespace
