// OpenWebPage: the shortcut file's bytes, the launcher call, and what happens when the file cannot be written.
#include <gtest/gtest.h>

#include "app/WebPage.h"
#include "support/TempDir.h"

using namespace reshaper_test;

namespace {

class WebPageTest : public ::testing::Test {
protected:
    void SetUp() override {
        previous_ = SetWebPageLauncher([this](const std::string& path) { launched_.push_back(path); });
    }
    void TearDown() override { SetWebPageLauncher(previous_); }
    TempDir dir_;
    ScopedCurrentDirectory cd_{dir_.Path()};
    std::vector<std::string> launched_;
    WebPageLauncher previous_;
};

TEST_F(WebPageTest, WritesTheShortcutAndOpensIt) {
    EXPECT_TRUE(OpenWebPage("Visit Us", "http://example.invalid/reshaper?a=1&b=2"));
    std::vector<uint8_t> bytes = ReadFileBytes(dir_.Join("Visit Us.url"));
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()),
              "[InternetShortcut]\r\nURL=http://example.invalid/reshaper?a=1&b=2\r\n");
    ASSERT_EQ(launched_.size(), 1u);
    EXPECT_EQ(launched_[0], dir_.Join("Visit Us.url"));
    // A second call replaces the file.
    EXPECT_TRUE(OpenWebPage("Visit Us", "http://example.invalid/"));
    bytes = ReadFileBytes(dir_.Join("Visit Us.url"));
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "[InternetShortcut]\r\nURL=http://example.invalid/\r\n");
}

TEST_F(WebPageTest, UnwritableShortcutStillTriesToOpen) {
    EXPECT_FALSE(OpenWebPage("no-such-dir/Page", "http://example.invalid/"));
    EXPECT_EQ(launched_.size(), 1u);
}

TEST_F(WebPageTest, UrlThatWouldAddLinesIsRefused) {
    EXPECT_FALSE(OpenWebPage("Page", "http://example.invalid/\r\nIconFile=/etc/passwd"));
    EXPECT_FALSE(OpenWebPage("", "http://example.invalid/"));
    EXPECT_TRUE(launched_.empty());
    EXPECT_TRUE(ReadFileBytes(dir_.Join("Page.url")).empty());
}

}  // namespace
