// reshaper-cli import over the sample installation: an exported document into a clone, the question about
// another file's document, read-only files and broken documents.
#include <gtest/gtest.h>
#include <unistd.h>

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
    // Shown as UTF-8 again: the byte 0x92 (three UTF-8 bytes stored would show as three characters).
    r = Run("objects ArmAccent");
    EXPECT_NE(r.out.find("Armchair\xE2\x80\x99s\n"), std::string::npos) << r.out;
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

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kSanitized = true;
#elif defined(__has_feature)
constexpr bool kSanitized = __has_feature(address_sanitizer);
#else
constexpr bool kSanitized = false;
#endif

// A bitmap of some hundred megabytes, and a channel file whose header claims 60000 x 60000 pixels, imported with
// little memory to spare: each is reported with its reason, the command fails, and the object file is unchanged.
TEST_F(CliImport, HugeBitmapsUnderAMemoryLimitAreReportedAndChangeNothing) {
    if (kSanitized) GTEST_SKIP() << "the sanitizers need more address space than the limit leaves";
    ASSERT_EQ(Run("clone armchair --name HugeCopy").exitCode, 0);
    const std::string target = dir->Join("game/Downloads/Reshaped/HugeCopy.iff");
    const std::vector<uint8_t> before = ReadFileBytes(target);
    ASSERT_FALSE(before.empty());

    std::vector<uint8_t> header = {'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0, 54, 4, 0, 0,  // file header, pixels at 1078
                                   40, 0, 0, 0, 0x60, 0xEA, 0, 0, 0x60, 0xEA, 0, 0,  // 60000 x 60000
                                   1, 0, 8, 0, 0, 0, 0, 0};                           // 1 plane, 8 bits, plain
    header.resize(1078, 0);
    const std::string huge = dir->Join("huge/huge.bmp");
    ASSERT_TRUE(MakeDirectories(dir->Join("huge")));
    ASSERT_TRUE(WriteFileBytes(dir->Join("huge/claim.bmp"), header));
    ASSERT_TRUE(WriteFileBytes(huge, header));
    ASSERT_EQ(::truncate(huge.c_str(), 400L << 20), 0);  // sparse: takes no room on the disk
    const std::string root = "<?xml version=\"1.0\"?>\r\n<objectsexportedfromthedomizens objectfilename=\"x\" "
                             "exportsprites=\"1\" exportexpanded=\"1\" exportp=\"1\" exportz=\"0\" exporta=\"0\" "
                             "generatez=\"1\" generatea=\"1\">\r\n";
    const std::string end = "</objectsexportedfromthedomizens>\r\n";
    ASSERT_TRUE(WriteFileText(dir->Join("huge/bitmap.xml"),
                              root + "<bitmaps><bitmap name=\"huge\" id=\"300\" filename=\"huge.bmp\"/></bitmaps>" +
                                  end));
    for (const char* file : {"huge", "claim"})
        ASSERT_TRUE(WriteFileText(
            dir->Join(std::string("huge/") + file + ".xml"),
            root + "<sprites><sprite name=\"huge\" id=\"256\" framecount=\"1\"><spriteframe width=\"136\" "
                   "height=\"384\"><spritechannel type=\"p\" filename=\"" + file + ".bmp\"/><spritechannel "
                   "type=\"z\" generate=\"1\"/><spritechannel type=\"a\" generate=\"1\"/></spriteframe></sprite>"
                   "</sprites>" + end));

    const std::string settings = "--settings '" + dir->Join("game/reshaper.ini") + "' ";
    for (const auto& [doc, message] :
         {std::pair{"bitmap.xml", "Can't allocate image memory for BMP file \"./huge.bmp\"!"},
          std::pair{"huge.xml", "Couldn't open BMP file \"huge.bmp\"! (the file is too large for a BMP this program "
                                "reads)"},
          std::pair{"claim.xml",
                    "Couldn't open BMP file \"claim.bmp\"! (the bitmap's width or height is zero or too large)"}}) {
        CliResult r = RunCli(settings + "import HugeCopy '" + dir->Join(std::string("huge/") + doc) + "' --yes",
                             "", 300 * 1024);
        EXPECT_EQ(r.exitCode, 1) << doc << ": " << r.out;
        EXPECT_NE(r.out.find(message), std::string::npos) << doc << ": " << r.out;
        EXPECT_EQ(ReadFileBytes(target), before) << doc;
    }
}

}  // namespace
