// reshaper-cli import over the sample installation: an exported document into a clone, the question about
// another file's document, read-only files and broken documents.
#include <gtest/gtest.h>

#include "CliRunner.h"
#include "support/TempDir.h"

using namespace reshaper_test;

namespace {

class CliImport : public CliSampleSuite {
protected:
    // Nobody answers questions.
    static CliResult Run(const std::string& args) { return CliSampleSuite::Run(args + " </dev/null"); }
};

TEST_F(CliImport, ExportedDocumentImportsIntoAClone) {
    const std::string doc = dir->Join("out/armchair.xml");
    ASSERT_TRUE(MakeDirectories(dir->Join("out")));
    CliResult r = Run("export armchair '" + doc + "' --preset all-zooms-all-channels");
    ASSERT_EQ(r.exitCode, 0) << r.out;
    r = Run("clone armchair --all --name ArmCopy");
    ASSERT_EQ(r.exitCode, 0) << r.out;

    // The document came from another file: without --yes nobody says OK.
    r = Run("import ArmCopy '" + doc + "'");
    EXPECT_EQ(r.exitCode, 1) << r.out;
    EXPECT_NE(r.out.find("Import canceled at user request."), std::string::npos) << r.out;

    r = Run("import ArmCopy '" + doc + "' --yes");
    ASSERT_EQ(r.exitCode, 0) << r.out;
    EXPECT_NE(r.out.find("Imported "), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("Reshaper Successfulluy Finished Importing!"), std::string::npos) << r.out;

    // Into the file it came from nothing is asked.
    r = Run("import armchair '" + doc + "'");
    EXPECT_EQ(r.exitCode, 0) << r.out;
}

TEST_F(CliImport, DocumentsAndDirectoriesWithNonAsciiNamesRoundTrip) {
    // The document's name and directory are host names: its files are recorded under them as they are on disk.
    const std::string folder = dir->Join("Dossier \xC3\xA9t\xC3\xA9");  // "Dossier été"
    const std::string doc = folder + "/B\xC3\xA9.xml";
    CliResult r = Run("export armchair '" + doc + "'");
    ASSERT_EQ(r.exitCode, 0) << r.out;
    std::string text = ReadFileText(doc);
    EXPECT_NE(text.find("filename=\"B\xC3\xA9_sprites\\sprite0256\\Armchair---body_large_nw_p.bmp\""), std::string::npos);
    EXPECT_FALSE(ReadFileBytes(folder + "/B\xC3\xA9_sprites/sprite0256/Armchair---body_large_nw_p.bmp").empty());

    // Edited: the object gets a name with a typographic apostrophe, which the file stores as its 8-bit byte.
    const std::string from = "name=\"Armchair\"";
    ASSERT_NE(text.find(from), std::string::npos);
    text.replace(text.find(from), from.size(), "name=\"Armchair\xE2\x80\x99s\"");
    ASSERT_TRUE(WriteFileText(doc, text));
    ASSERT_EQ(Run("clone armchair --all --name ArmAccent").exitCode, 0);
    r = Run("import ArmAccent '" + doc + "' --yes");
    ASSERT_EQ(r.exitCode, 0) << r.out;
    EXPECT_EQ(r.out.find("Couldn't open BMP file"), std::string::npos) << r.out;
    r = Run("objects ArmAccent");
    EXPECT_NE(r.out.find("Armchair\x92s"), std::string::npos) << r.out;
}

TEST_F(CliImport, RelativePathsAreTheCallersNotTheGameDirectorys) {
    // Start-up makes the game directory current; documents and settings named relatively still mean the
    // directory the program was started in.
    const std::string work = dir->Join("work");
    ASSERT_TRUE(MakeDirectories(work));
    CliResult r = RunCli("--settings ../game/reshaper.ini export armchair docs/chair.xml </dev/null", work);
    ASSERT_EQ(r.exitCode, 0) << r.out;
    EXPECT_FALSE(ReadFileBytes(work + "/docs/chair.xml").empty());
    EXPECT_FALSE(ReadFileBytes(work + "/docs/chair_sprites/sprite0256/Armchair---body_large_nw_p.bmp").empty());
    r = RunCli("--settings ../game/reshaper.ini import armchair docs/chair.xml </dev/null", work);
    EXPECT_EQ(r.exitCode, 0) << r.out;
    r = RunCli("--settings ../game/reshaper.ini render armchair 128 -o chair.png </dev/null", work);
    EXPECT_EQ(r.exitCode, 0) << r.out;
    EXPECT_FALSE(ReadFileBytes(work + "/chair.png").empty());

    // The cookie given to a clone goes into the settings file it was read from, however that file was named.
    r = RunCli("--settings ../game/reshaper.ini clone armchair --name CookieOne --cookie 4242 </dev/null", work);
    ASSERT_EQ(r.exitCode, 0) << r.out;
    EXPECT_NE(ReadFileText(dir->Join("game/reshaper.ini")).find("RESHAPER_MAGIC_COOKIE=4242\n"), std::string::npos);
    // Relative to where the program starts, which is not where start-up moves to.
    setenv("RESHAPER_SETTINGS", "game/reshaper.ini", 1);
    r = RunCli("clone armchair --name CookieTwo --cookie 4343 </dev/null", dir->Path());
    unsetenv("RESHAPER_SETTINGS");
    ASSERT_EQ(r.exitCode, 0) << r.out;
    EXPECT_NE(ReadFileText(dir->Join("game/reshaper.ini")).find("RESHAPER_MAGIC_COOKIE=4343\n"), std::string::npos);
}

TEST_F(CliImport, BrokenDocumentsAndReadOnlyFilesFail) {
    ASSERT_TRUE(WriteFileText(dir->Join("cut.xml"), "<objectsexportedfromthedomizens>\r\n<objectdefinitions>"));
    CliResult r = Run("import armchair '" + dir->Join("cut.xml") + "' --yes");
    EXPECT_EQ(r.exitCode, 1) << r.out;
    EXPECT_NE(r.out.find("Reshaper was not able to import the object file -- sorry!"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("XML parser error: "), std::string::npos) << r.out;

    r = Run("import armchair '" + dir->Join("missing.xml") + "' --yes");
    EXPECT_EQ(r.exitCode, 1) << r.out;
    EXPECT_NE(r.out.find("Can't open input file!"), std::string::npos) << r.out;

    r = Run("import nothing-like-this '" + dir->Join("cut.xml") + "'");
    EXPECT_EQ(r.exitCode, 1) << r.out;

    r = Run("import bookshelf '" + dir->Join("cut.xml") + "' --yes");
    EXPECT_EQ(r.exitCode, 1) << r.out;
    EXPECT_NE(r.out.find("is read-only"), std::string::npos) << r.out;
}

}  // namespace
