// reshaper-cli export over the sample installation: the dialog's defaults, presets and boxes as options, file
// layout on disk, and refused command lines.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "CliRunner.h"
#include "support/TempDir.h"

using namespace reshaper_test;

namespace {

class CliExport : public CliSampleSuite {
protected:
    static std::string Text(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        std::ostringstream s;
        s << in.rdbuf();
        return s.str();
    }
    static bool Has(const std::string& text, const std::string& attribute, const std::string& value) {
        return text.find("\r\n  " + attribute + "=\"" + value + "\"") != std::string::npos;
    }
};

TEST_F(CliExport, DefaultsAreTheDialogsPresetAndBoxes) {
    const std::string doc = dir->Join("default/armchair.xml");
    CliResult r = Run("export armchair '" + doc + "'");
    ASSERT_EQ(r.exitCode, 0) << r.out;
    EXPECT_NE(r.out.find("Reshaper Successfully Finished Exporting!"), std::string::npos) << r.out;
    const std::string text = Text(doc);
    // The dialog opens with "Just Change Colors." checked: the document asks the import to keep the shapes.
    for (const char* on : {"exportp", "justchangecolors", "generatez", "generatezfar", "generatea", "generateasoft",
                           "compressbitmaps", "createsubdirectories", "smoothsmallzoomcolors", "smoothsmallzoomedges"})
        EXPECT_TRUE(Has(text, on, "1")) << on;
    for (const char* off : {"exportz", "exporta", "exportallzooms", "exportbitmaps"})
        EXPECT_TRUE(Has(text, off, "0")) << off;
    EXPECT_FALSE(Text(dir->Join("default/armchair_sprites/sprite0256/Armchair---body_large_nw_p.bmp")).empty());
}

TEST_F(CliExport, PresetsAndBoxesBecomeTheRecordedOptions) {
    const std::string doc = dir->Join("all/table.xml");
    CliResult r = Run("export diningtable '" + doc +
                      "' --preset all-zooms-all-channels --no-just-change-colors --no-compress --no-subdirs "
                      "--no-smooth-colors --near-z --hard-alpha --bitmaps");
    ASSERT_EQ(r.exitCode, 0) << r.out;
    std::string text = Text(doc);
    for (const char* on : {"exportallzooms", "exportz", "exporta", "exportbitmaps", "smoothsmallzoomedges"})
        EXPECT_TRUE(Has(text, on, "1")) << on;
    for (const char* off : {"justchangecolors", "generatez", "generatea", "compressbitmaps", "createsubdirectories",
                            "smoothsmallzoomcolors", "generatezfar", "generateasoft"})
        EXPECT_TRUE(Has(text, off, "0")) << off;
    EXPECT_NE(text.find("<bitmaps>"), std::string::npos);
    EXPECT_NE(text.find("multitile=\"1\""), std::string::npos);
    const std::string plain = Text(dir->Join("all/table_sprites/sprite0256_Dining-Table---tile-00_large_nw_z.bmp"));
    EXPECT_EQ(plain.size(), 52224u + 1078u);

    // Colours only pulls an all-channel preset back to one channel and forces the generated channels.
    r = Run("export diningtable '" + dir->Join("colours/table.xml") +
            "' --preset one-zoom-all-channels --just-change-colors --near-z --hard-alpha --no-smooth-edges");
    ASSERT_EQ(r.exitCode, 0) << r.out;
    text = Text(dir->Join("colours/table.xml"));
    for (const char* on :
         {"justchangecolors", "generatez", "generatezfar", "generatea", "generateasoft", "smoothsmallzoomedges"})
        EXPECT_TRUE(Has(text, on, "1")) << on;
    for (const char* off : {"exportz", "exporta", "exportallzooms"}) EXPECT_TRUE(Has(text, off, "0")) << off;
}

TEST_F(CliExport, RefusesWhatItCannotExport) {
    EXPECT_EQ(Run("export armchair '" + dir->Join("x.xml") + "' --preset three-zooms").exitCode, 2);
    EXPECT_EQ(Run("export armchair '" + dir->Join("x.xml") + "' --just-change-colors --no-just-change-colors").exitCode,
              2);
    EXPECT_EQ(Run("export no-such-object '" + dir->Join("x.xml") + "'").exitCode, 1);
    ASSERT_TRUE(MakeDirectories(dir->Join("taken.xml")));
    CliResult r = Run("export armchair '" + dir->Join("taken.xml") + "'");
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.out.find("Could not open output file for writing!"), std::string::npos) << r.out;
}

}  // namespace
