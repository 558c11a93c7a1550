// Start-up: the game file check's size limits, and the whole sequence on a small installation with and without
// stored settings.
#include <gtest/gtest.h>
#include <unistd.h>

#include "ScopedEnv.h"
#include "app/AppSettings.h"
#include "app/GameFileCheck.h"
#include "app/Startup.h"
#include "objects/strings/Languages.h"
#include "resfile/CTGFileManager.h"
#include "support/TempDir.h"

using namespace reshaper_test;

namespace {

// Makes a file of exactly `size` bytes (a hole, so large sizes cost nothing).
void MakeSizedFile(const std::string& path, int64_t size) {
    ASSERT_TRUE(WriteFileText(path, ""));
    ASSERT_EQ(::truncate(path.c_str(), size), 0);
}

std::string Cwd() {
    char buffer[4096];
    return ::getcwd(buffer, sizeof buffer) ? buffer : "";
}

TEST(GameFileCheck, SizesAtTheLimitsCountAsMissing) {
    TempDir dir;
    ScopedCurrentDirectory cd(dir.Path());
    EXPECT_FALSE(CheckGameFiles());
    MakeSizedFile(dir.Join("Domizens.exe"), 511999);
    EXPECT_FALSE(CheckGameFiles());  // the data file is missing
    MakeSizedFile(dir.Join("Domizens.icd"), 2048001);
    EXPECT_TRUE(CheckGameFiles());
    MakeSizedFile(dir.Join("Domizens.icd"), 2048000);
    EXPECT_FALSE(CheckGameFiles());
    MakeSizedFile(dir.Join("Domizens.icd"), 2048001);
    MakeSizedFile(dir.Join("Domizens.exe"), 512000);
    EXPECT_FALSE(CheckGameFiles());
    MakeSizedFile(dir.Join("Domizens.exe"), 0);
    EXPECT_TRUE(CheckGameFiles());
}

TEST(GameFileCheck, NamesMatchWithoutRegardToCaseAndDirectoriesDoNotCount) {
    TempDir dir;
    ScopedCurrentDirectory cd(dir.Path());
    MakeSizedFile(dir.Join("DOMIZENS.EXE"), 1000);
    MakeSizedFile(dir.Join("domizens.icd"), 3000000);
    EXPECT_TRUE(CheckGameFiles());
    ASSERT_TRUE(RemoveTree(dir.Join("DOMIZENS.EXE")));
    ASSERT_TRUE(MakeDirectories(dir.Join("Domizens.exe")));
    EXPECT_FALSE(CheckGameFiles());
}

// Restores every process-wide value that start-up changes.
class StartupTest : public ::testing::Test {
protected:
    void SetUp() override {
        cwd_ = std::make_unique<ScopedCurrentDirectory>(start_.Path());
        SetGameLanguage(1);
        SetMagicCookie(55);
        CTGFileManager::Instance().Reset();
    }
    void TearDown() override {
        CTGFileManager::Instance().Reset();
        SetGameLanguage(1);
        SetMagicCookie(0);
        cwd_.reset();
    }
    TempDir start_;  // the directory the program is started in
    TempDir game_;   // the installation
    std::unique_ptr<ScopedCurrentDirectory> cwd_;
};

TEST_F(StartupTest, StoredSettingsChooseDirectoryLanguageAndCookie) {
    MakeSizedFile(game_.Join("Domizens.exe"), 1000);
    MakeSizedFile(game_.Join("Domizens.icd"), 3000000);
    ASSERT_TRUE(WriteFileText(game_.Join("downloads/Chair.iff"), "x"));
    ASSERT_TRUE(WriteFileText(start_.Join("s.ini"), "[Software\\Vexel\\The Domizens]\nInstallPath=" + game_.Path() +
                                                        "\nDOMIZENS_LANGUAGE=German\nRESHAPER_MAGIC_COOKIE=123abc\n"));
    ScopedEnv env("RESHAPER_SETTINGS", "s.ini");  // relative to the start directory

    bool catalogueRan = false;
    StartupOptions options;
    options.buildCatalogue = [&] {
        catalogueRan = true;
        // The directories are mapped by now, and the cookie is not read yet.
        TGFindData found;
        EXPECT_TRUE(CTGFileManager::Instance().FindFirst(".\\downloads\\*.iff", found));
        EXPECT_EQ(found.name, "chair.iff");
        EXPECT_EQ(MagicCookie(), 55);
    };
    StartupResult r = RunStartup(options);
    EXPECT_TRUE(catalogueRan);
    EXPECT_TRUE(r.installPathApplied);
    EXPECT_TRUE(r.gameFilesFound);
    EXPECT_TRUE(r.languageFromSettings);
    EXPECT_TRUE(r.cookieFromSettings);
    EXPECT_EQ(Cwd(), game_.Path());
    EXPECT_EQ(GameDirectory(), game_.Path());
    EXPECT_EQ(GameLanguage(), 4);
    EXPECT_EQ(MagicCookie(), 123);
}

TEST_F(StartupTest, MissingKeyLeavesEverythingAsItWas) {
    ScopedEnv env("RESHAPER_SETTINGS", start_.Join("none.ini"));
    StartupResult r = RunStartup();
    EXPECT_FALSE(r.installPathApplied);
    EXPECT_FALSE(r.gameFilesFound);
    EXPECT_FALSE(r.cookieFromSettings);
    EXPECT_EQ(Cwd(), start_.Path());
    EXPECT_EQ(GameDirectory(), start_.Path());
    EXPECT_EQ(GameLanguage(), 1);
    EXPECT_EQ(MagicCookie(), 55);
}

TEST_F(StartupTest, UnknownLanguageOrMissingDirectoryKeepDefaults) {
    ASSERT_TRUE(WriteFileText(start_.Join("s.ini"), "[Software\\Vexel\\The Domizens]\nInstallPath=" +
                                                        game_.Join("gone") + "\nDOMIZENS_LANGUAGE=german\n"));
    ScopedEnv env("RESHAPER_SETTINGS", start_.Join("s.ini"));
    StartupResult r = RunStartup();
    EXPECT_FALSE(r.installPathApplied);
    EXPECT_FALSE(r.languageFromSettings);
    EXPECT_TRUE(r.cookieFromSettings);
    EXPECT_EQ(Cwd(), start_.Path());
    EXPECT_EQ(GameLanguage(), 1);
    EXPECT_EQ(MagicCookie(), 0);  // the key exists without a cookie value
}

}  // namespace
