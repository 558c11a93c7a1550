// Settings store: registry semantics over the INI file (missing key, cookie reads and writes, text limits), edits
// that keep the rest of the file, the file's location, and damaged files.
#include <gtest/gtest.h>

#include <climits>

#include "ScopedEnv.h"
#include "app/SettingsStore.h"
#include "support/TempDir.h"

using namespace reshaper_test;

namespace {

std::string ReadText(const std::string& path) {
    std::vector<uint8_t> b = ReadFileBytes(path);
    return std::string(b.begin(), b.end());
}

const char* const kKeyLine = "[Software\\Vexel\\The Domizens]\n";

TEST(SettingsStore, MissingFileOrSectionIsAMissingKey) {
    TempDir dir;
    std::string path = dir.Join("s.ini");
    for (int round = 0; round < 2; ++round) {
        if (round == 1) {
            ASSERT_TRUE(WriteFileText(path, "[Other]\nInstallPath=/x\nRESHAPER_MAGIC_COOKIE=5\n"));
        }
        SettingsStore store(path);
        EXPECT_FALSE(store.KeyExists());
        std::string text = "unchanged";
        EXPECT_FALSE(store.ReadText("InstallPath", text));
        EXPECT_EQ(text, "unchanged");
        int32_t cookie = 77;
        EXPECT_FALSE(store.ReadMagicCookie(cookie));
        EXPECT_EQ(cookie, 77);
        // Writing into a missing key does nothing at all: no file, no section, no change.
        EXPECT_FALSE(store.WriteMagicCookie(9));
        EXPECT_FALSE(store.WriteText("InstallPath", "/y"));
        if (round == 0)
            EXPECT_TRUE(ReadFileBytes(path).empty());
        else
            EXPECT_EQ(ReadText(path), "[Other]\nInstallPath=/x\nRESHAPER_MAGIC_COOKIE=5\n");
    }
}

TEST(SettingsStore, CookieReadsAsAtoiDoes) {
    TempDir dir;
    std::string path = dir.Join("s.ini");
    SettingsStore store(path);
    struct Case {
        const char* line;
        int32_t expected;
    } cases[] = {
        {"RESHAPER_MAGIC_COOKIE=123abc\n", 123},
        {"RESHAPER_MAGIC_COOKIE=abc\n", 0},
        {"RESHAPER_MAGIC_COOKIE=\n", 0},
        {"RESHAPER_MAGIC_COOKIE=  -42\n", -42},
        {"RESHAPER_MAGIC_COOKIE=+7x\n", 7},
        {"RESHAPER_MAGIC_COOKIE=99999999999999999999\n", INT32_MAX},
        {"RESHAPER_MAGIC_COOKIE=-2147483648\n", INT32_MIN},
        {"reshaper_magic_cookie = 31\n", 31},  // value names compare without regard to case, as the registry's do
        {"", 0},                               // key present, value missing
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(WriteFileText(path, std::string(kKeyLine) + c.line));
        int32_t cookie = 555;
        EXPECT_TRUE(store.ReadMagicCookie(cookie)) << c.line;
        EXPECT_EQ(cookie, c.expected) << c.line;
    }
    // A value too long for the 256-byte read buffer reads as a missing value.
    ASSERT_TRUE(WriteFileText(path, std::string(kKeyLine) + "RESHAPER_MAGIC_COOKIE=12" + std::string(254, '0') + "\n"));
    int32_t cookie = 555;
    EXPECT_TRUE(store.ReadMagicCookie(cookie));
    EXPECT_EQ(cookie, 0);
}

TEST(SettingsStore, TextValuesFitTheReadBuffer) {
    TempDir dir;
    std::string path = dir.Join("s.ini");
    SettingsStore store(path);
    std::string fits(259, 'a');
    ASSERT_TRUE(
        WriteFileText(path, std::string(kKeyLine) + "InstallPath=" + fits + "\nDOMIZENS_LANGUAGE=" + fits + "b\n"));
    std::string value = "old";
    EXPECT_TRUE(store.ReadText("InstallPath", value));
    EXPECT_EQ(value, fits);
    value = "old";
    EXPECT_FALSE(store.ReadText("DOMIZENS_LANGUAGE", value));
    EXPECT_EQ(value, "old");
    EXPECT_FALSE(store.WriteText("DOMIZENS_LANGUAGE", fits + "b"));
    EXPECT_FALSE(store.WriteText("DOMIZENS_LANGUAGE", "two\nlines"));
    EXPECT_TRUE(store.WriteText("DOMIZENS_LANGUAGE", "German"));
    EXPECT_TRUE(store.ReadText("DOMIZENS_LANGUAGE", value));
    EXPECT_EQ(value, "German");
}

TEST(SettingsStore, WritesKeepEveryOtherLineAsItWas) {
    TempDir dir;
    std::string path = dir.Join("s.ini");
    const std::string before =
        "; written by hand\r\n"
        "[First]\r\n"
        "RESHAPER_MAGIC_COOKIE=1\r\n"
        "[software\\vexel\\the domizens]\r\n"
        "InstallPath = /games/dom \r\n"
        "\r\n"
        "[Last]\r\n"
        "x=y";
    ASSERT_TRUE(WriteFileText(path, before));
    SettingsStore store(path);
    ASSERT_TRUE(store.KeyExists());
    std::string install;
    EXPECT_TRUE(store.ReadText("InstallPath", install));
    EXPECT_EQ(install, "/games/dom");

    // A new value goes after the section's last line, with the file's own line ends.
    ASSERT_TRUE(store.WriteMagicCookie(-12));
    EXPECT_EQ(ReadText(path),
              "; written by hand\r\n[First]\r\nRESHAPER_MAGIC_COOKIE=1\r\n[software\\vexel\\the domizens]\r\n"
              "InstallPath = /games/dom \r\nRESHAPER_MAGIC_COOKIE=-12\r\n\r\n[Last]\r\nx=y");
    // An existing value is replaced in place.
    ASSERT_TRUE(store.WriteMagicCookie(2000));
    int32_t cookie = 0;
    EXPECT_TRUE(store.ReadMagicCookie(cookie));
    EXPECT_EQ(cookie, 2000);
    EXPECT_NE(ReadText(path).find("InstallPath = /games/dom \r\nRESHAPER_MAGIC_COOKIE=2000\r\n\r\n[Last]"),
              std::string::npos);
    EXPECT_NE(ReadText(path).find("[First]\r\nRESHAPER_MAGIC_COOKIE=1\r\n"), std::string::npos);
}

TEST(SettingsStore, CreateKeyMakesFileAndSectionOnceAndKeepsContent) {
    TempDir dir;
    std::string path = dir.Join("deep/er/s.ini");
    SettingsStore store(path);
    ASSERT_TRUE(store.CreateKey());
    EXPECT_EQ(ReadText(path), kKeyLine);
    ASSERT_TRUE(store.CreateKey());
    EXPECT_EQ(ReadText(path), kKeyLine);
    EXPECT_TRUE(store.WriteMagicCookie(5));
    EXPECT_EQ(ReadText(path), std::string(kKeyLine) + "RESHAPER_MAGIC_COOKIE=5\n");

    std::string other = dir.Join("other.ini");
    ASSERT_TRUE(WriteFileText(other, "[Other]\nkeep=1"));
    ASSERT_TRUE(SettingsStore(other).CreateKey());
    EXPECT_EQ(ReadText(other), std::string("[Other]\nkeep=1\n\n") + kKeyLine);
}

TEST(SettingsStore, DamagedOrOversizedFilesNeverCrashOrGetReplaced) {
    TempDir dir;
    std::string path = dir.Join("s.ini");
    SettingsStore store(path);
    // Zero bytes, stray brackets and binary junk around a usable section.
    std::string junk("\x00\xff[\n[\n]]=\n=\n\x1b[31m\n", 18);
    ASSERT_TRUE(WriteFileText(path, junk + kKeyLine + std::string("InstallPath=/a\0/b\n", 18) + junk));
    std::string value;
    EXPECT_TRUE(store.ReadText("InstallPath", value));
    EXPECT_EQ(value, "/a");  // a stored text ends at its zero byte
    EXPECT_TRUE(store.WriteMagicCookie(3));
    EXPECT_EQ(ReadText(path).substr(0, junk.size()), junk);

    // A file too large to be a settings file counts as a missing key and is left alone.
    std::string big = std::string(kKeyLine) + std::string(kMaxSettingsFileBytes, ';');
    ASSERT_TRUE(WriteFileText(path, big));
    EXPECT_FALSE(store.KeyExists());
    EXPECT_FALSE(store.CreateKey());
    EXPECT_FALSE(store.WriteMagicCookie(4));
    EXPECT_EQ(ReadFileBytes(path).size(), big.size());
}

TEST(SettingsStore, FileLocationFollowsTheEnvironment) {
    ScopedEnv settings("RESHAPER_SETTINGS", "/tmp/explicit.ini");
    ScopedEnv xdg("XDG_CONFIG_HOME", "/tmp/xdg");
    ScopedEnv home("HOME", "/tmp/home");
    EXPECT_EQ(SettingsStore::FromEnvironment().GetFilePath(), "/tmp/explicit.ini");
    {
        ScopedEnv none("RESHAPER_SETTINGS", std::nullopt);
        EXPECT_EQ(SettingsStore::FromEnvironment().GetFilePath(), "/tmp/xdg/Vexel/The Domizens.ini");
        ScopedEnv relative("XDG_CONFIG_HOME", "not/absolute");
        EXPECT_EQ(SettingsStore::FromEnvironment().GetFilePath(), "/tmp/home/.config/Vexel/The Domizens.ini");
        ScopedEnv empty("XDG_CONFIG_HOME", "");
        EXPECT_EQ(SettingsStore::FromEnvironment().GetFilePath(), "/tmp/home/.config/Vexel/The Domizens.ini");
    }
    TempDir dir;
    ScopedCurrentDirectory cd(dir.Path());
    ScopedEnv relative("RESHAPER_SETTINGS", "rel.ini");
    // Fixed against the directory of the moment, so a later change of directory does not move the store.
    EXPECT_EQ(SettingsStore::FromEnvironment().GetFilePath(), dir.Path() + "/rel.ini");
}

}  // namespace
