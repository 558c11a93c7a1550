// reshaper-cli and the game's 8-bit texts: Windows-1252 names, strings and comments shown as the terminal's UTF-8,
// typed texts stored as Windows-1252 or refused whole.
#include <gtest/gtest.h>

#include "../clone/CloneFixture.h"
#include "CliRunner.h"
#include "objects/strings/CatalogStrings.h"
#include "platform/Windows1252.h"
#include "support/TempDir.h"

using namespace reshaper_test;
using namespace clone_test;

namespace {

// Catalogue strings 200 in format -3, US English only: name "Küche", description "Groß “x” …".
const std::vector<uint8_t> kKitchenStrings = {
    0xFD, 0xFF,                                                          // format -3
    0x02, 0x00,                                                          // two entries
    1, 'K', 0xFC, 'c', 'h', 'e', 0, 0,                                   // 1: name, no comment
    1, 'G', 'r', 'o', 0xDF, ' ', 0x93, 'x', 0x94, ' ', 0x85, 0, 0,       // 2: description, no comment
};

// String table 400 in format -3: "Straße" with the comment "€ 5".
const std::vector<uint8_t> kTable = {
    0xFD, 0xFF,                                   // format -3
    0x01, 0x00,                                   // one entry
    1, 'S', 't', 'r', 'a', 0xDF, 'e', 0,          // US English 1
    0x80, ' ', '5', 0,                            // its comment
};

class CliGameText : public ::testing::Test {
protected:
    TempDir dir;
    std::string file;
    std::string Run(const std::string& args, int expectedExit) {
        CliResult r = RunCli("--settings '" + dir.Join("none.ini") + "' --game-dir '" + dir.Path() + "' " + args +
                             " </dev/null");
        EXPECT_EQ(r.exitCode, expectedExit) << args << "\n" << r.out;
        return r.out;
    }
    void SetUp() override {
        setenv("LC_ALL", "C.UTF-8", 1);  // the program's terminal speaks UTF-8, whatever the machine's locale
        ASSERT_TRUE(MakeDirectories(dir.Join("GameData/Objects")));
        ASSERT_TRUE(MakeDirectories(dir.Join("Downloads")));
        file = dir.Join("GameData/Objects/cafe.iff");
        IFFResFile2 f;
        ASSERT_EQ(f.Create(file), kNoErr);
        ASSERT_EQ(f.Open(file), kNoErr);
        PutDefinition(f, {128, "Caf\xe9 chair \x96 deluxe\x99", 0x11AA0011, 0, 0, 200});
        PutDefinition(f, {129, "tab\x01" "bed\x9d", 0x11AA0012, 0, 0, 201});
        Put(f, kTypeCTSS, 200, kKitchenStrings);
        Put(f, kTypeSTRList, 400, kTable, "Stra\xdf" "en");
        ASSERT_EQ(f.Close(), kNoErr);
    }
    std::string CatalogName() {
        IFFResFile2 f;
        EXPECT_EQ(f.Open(file), kNoErr);
        CatalogStrings strings;
        EXPECT_EQ(strings.Load(f, 200, false), kNoErr);
        f.Close();
        return strings.name + "|" + strings.description;
    }
};

TEST_F(CliGameText, NamesStringsAndCommentsPrintAsUtf8) {
    const std::string objects = Run("objects cafe", 0);
    EXPECT_NE(objects.find("Café chair – deluxe™\n"), std::string::npos) << objects;
    // Control characters, the code page's undefined bytes among them, show as '?'.
    EXPECT_NE(objects.find("tab?bed?\n"), std::string::npos) << objects;
    EXPECT_NE(Run("object cafe 128", 0).find("Café chair – deluxe™\n"), std::string::npos);
    EXPECT_NE(Run("strings cafe 400", 0).find("\"Straße\"  // € 5\n"), std::string::npos);
    const std::string resources = Run("resources cafe", 0);
    EXPECT_NE(resources.find("\"Café chair – deluxe™\""), std::string::npos) << resources;
    EXPECT_NE(resources.find("\"Straßen\""), std::string::npos) << resources;
    const std::string shown = Run("edit cafe 128", 0);
    EXPECT_NE(shown.find("Object: Café chair – deluxe™\n"), std::string::npos) << shown;
    EXPECT_NE(shown.find("\"Küche\"\n"), std::string::npos) << shown;
    EXPECT_NE(shown.find("\"Groß “x” …\"\n"), std::string::npos) << shown;
    // The JSON carries the texts decoded, and the control bytes as the characters they are.
    const std::string json = Run("objects cafe --json", 0);
    EXPECT_NE(json.find("\"Café chair – deluxe™\""), std::string::npos) << json;
    EXPECT_NE(json.find("\"tab\\u0001bed\xc2\x9d\""), std::string::npos) << json;
    // The progress log of a clone names the resources it copies in UTF-8 too.
    const std::string clone = Run("clone cafe --name Copy", 0);
    EXPECT_NE(clone.find("name=\"Café chair – deluxe™\""), std::string::npos) << clone;
}

TEST_F(CliGameText, TypedTextsAreStoredAsWindows1252) {
    Run("edit cafe 128 --name 'Stühle' --description '€uro ‚x‘'", 0);
    EXPECT_EQ(CatalogName(), "St\xfchle|\x80uro \x82x\x91");
    Run("edit cafe 128 --set 'Name=Straße' --set 'Description=Ça'", 0);
    EXPECT_EQ(CatalogName(), "Stra\xdf" "e|\xc7" "a");
    // Every printable byte comes back from the terminal as it was shown.
    std::string all;
    for (int b = 0x20; b < 0x100; ++b)
        if (b != 0x7F && (b < 0x80 || b >= 0xA0 || Windows1252CodePoint(static_cast<uint8_t>(b)) > 0x9F))
            all += static_cast<char>(b);
    {
        IFFResFile2 f;
        ASSERT_EQ(f.Open(file), kNoErr);
        CatalogStrings strings;
        strings.name = all;
        strings.description = "d";
        ASSERT_EQ(strings.Save(f, 200), kNoErr);
        ASSERT_EQ(f.Close(), kNoErr);
    }
    std::string shown = Run("edit cafe 128", 0);
    const std::string label = "Name                       \"";
    const size_t at = shown.find(label);
    ASSERT_NE(at, std::string::npos) << shown;
    const std::string typed = shown.substr(at + label.size(), shown.find("\"\n", at) - at - label.size());
    ASSERT_TRUE(WriteFileText(dir.Join("typed.txt"), typed));
    Run("edit cafe 128 --name \"$(cat '" + dir.Join("typed.txt") + "')\"", 0);
    EXPECT_EQ(CatalogName(), all + "|d");
}

TEST_F(CliGameText, ACharacterTheGameCannotHoldStoresNothing) {
    const std::vector<uint8_t> before = ReadFileBytes(file);
    std::string out = Run("edit cafe 128 --name '日本' --price 7", 2);
    EXPECT_NE(out.find("\"日\" (U+65E5)"), std::string::npos) << out;
    out = Run("edit cafe 128 --set 'Description=☃' --set price=7", 2);
    EXPECT_NE(out.find("(U+2603)"), std::string::npos) << out;
    out = Run("edit cafe 128 --name \"$(printf 'Caf\\351')\"", 2);
    EXPECT_NE(out.find("bytes that are not UTF-8"), std::string::npos) << out;
    EXPECT_EQ(ReadFileBytes(file), before);
    // A clone's name keeps ASCII letters and digits only: one with none of them is refused.
    Run("clone cafe --name '日本'", 2);
    EXPECT_TRUE(ReadFileBytes(dir.Join("Downloads/Reshaped/.iff")).empty());
}

}  // namespace
