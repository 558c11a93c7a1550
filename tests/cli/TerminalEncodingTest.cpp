// TerminalEncoding: the terminal's code set from its name, and UTF-8 text to and from an 8-bit one.
#include <gtest/gtest.h>

#include "cli/TerminalEncoding.h"

namespace {

using cli::TerminalEncoding;

TEST(TerminalEncoding, UnknownCodeSetsAndTheCLocaleCountAsUtf8) {
    for (const char* name : {"UTF-8", "utf8", "ANSI_X3.4-1968", "", "NO-SUCH-CODESET"}) {
        TerminalEncoding e(name);
        EXPECT_TRUE(e.IsUtf8()) << name;
        EXPECT_EQ(e.Name(), "UTF-8");
        EXPECT_EQ(e.FromUtf8("Café \xff"), "Café \xff");
        std::string typed;
        EXPECT_TRUE(e.ToUtf8("Stühle", typed));
        EXPECT_FALSE(e.ToUtf8("St\xfchle", typed));
    }
}

TEST(TerminalEncoding, AnEightBitCodeSetShowsWhatItHasAndTakesItsOwnBytes) {
    TerminalEncoding latin9("ISO-8859-15");
    ASSERT_FALSE(latin9.IsUtf8());
    // € is 0xA4 there; '™' has no byte; a byte that is not UTF-8 passes as it is.
    EXPECT_EQ(latin9.FromUtf8("€ Stühle ™ \xe9!"), "\xa4 St\xfchle ? \xe9!");
    std::string utf8;
    ASSERT_TRUE(latin9.ToUtf8("\xa4uro Gro\xdf", utf8));
    EXPECT_EQ(utf8, "€uro Groß");
    TerminalEncoding moved(std::move(latin9));
    EXPECT_EQ(moved.FromUtf8("ß"), "\xdf");
}

}  // namespace
