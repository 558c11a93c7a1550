// Tests of the import driver: nesting checks, parser errors, object definitions, catalogue bitmaps, draw groups,
// bitmaps and the file-name question.
#include <gtest/gtest.h>

#include "import/ImportAttributes.h"
#include "import/ImportFixture.h"
#include "import/ImportOptions.h"
#include "import/ObjectImporter.h"
#include "objects/definitions/ObjectDefinition.h"

namespace import_test {
namespace {

class ObjectImporterTest : public ImportFixture {
protected:
    void SetUp() override { MakeFile(); }
};

// One nesting message and a document body (inside the root) that makes it.
struct NestingCase {
    const char* message;
    const char* body;
};

// A deeper element met twice right under the root: the first start has the wrong parent ("Bad element
// nesting!"), its end finds it not open, and it leaves the parent code current, so the second start finds its
// ancestors closed.
const NestingCase kNestingCases[] = {
    {"Bad element nesting: begin objectdefinitions!", "<objectdefinitions/><objectdefinitions/>"},
    {"Bad element nesting: end objectdefinitions!", "<drawgroups><objectdefinitions/></drawgroups>"},
    {"Bad element nesting: begin objectdefinition!", "<objectdefinition/><objectdefinition/>"},
    {"Bad element nesting: end objectdefinition!", "<objectdefinition/>"},
    {"Bad element nesting: begin catalogicon!", "<catalogicon/><catalogicon/>"},
    {"Bad element nesting: end catalogicon!", "<catalogicon/>"},
    {"Bad element nesting: begin catalogpopup!", "<catalogpopup/><catalogpopup/>"},
    {"Bad element nesting: end catalogpopup!", "<catalogpopup/>"},
    {"Bad element nesting: begin drawgroups!", "<drawgroups/><drawgroups/>"},
    {"Bad element nesting: end drawgroups!", "<objectdefinitions><drawgroups/></objectdefinitions>"},
    {"Bad element nesting: begin drawgroup!", "<drawgroup/><drawgroup/>"},
    {"Bad element nesting: end drawgroup!", "<drawgroup/>"},
    {"Bad element nesting: begin drawgroupitemlist", "<drawgroupitemlist/><drawgroupitemlist/>"},
    {"Bad element nesting: end drawgroupitemlist", "<drawgroupitemlist/>"},
    {"Bad element nesting: begin drawgroupitem", "<drawgroupitem/><drawgroupitem/>"},
    {"Bad element nesting: end drawgroupitem", "<drawgroupitem/>"},
    {"Bad element nesting: begin bitmaps", "<bitmaps/><bitmaps/>"},
    {"Bad element nesting: end bitmaps", "<sprites><bitmaps/></sprites>"},
    {"Bad element nesting: begin bitmap", "<bitmap/><bitmap/>"},
    {"Bad element nesting: end bitmap", "<bitmap/>"},
    {"Bad element nesting: begin sprites", "<sprites/><sprites/>"},
    {"Bad element nesting: end sprites", "<bitmaps><sprites/></bitmaps>"},
    {"Bad element nesting: begin sprite", "<sprite/><sprite/>"},
    {"Bad element nesting: end sprite", "<sprite/>"},
    {"Bad element nesting: begin spriteframe", "<spriteframe/><spriteframe/>"},
    {"Bad element nesting: end spriteframe", "<spriteframe/>"},
    {"Bad element nesting: begin spritechannel", "<spritechannel/><spritechannel/>"},
    {"Bad element nesting: end spritechannel", "<spritechannel/>"},
};

TEST_F(ObjectImporterTest, EveryNestingMessageIsReachable) {
    for (const NestingCase& c : kNestingCases) {
        progress.calls.clear();
        prompt.calls.clear();
        EXPECT_EQ(ImportBody("", c.body), kImportReported) << c.body;
        const std::string errors = Errors();
        EXPECT_NE(errors.find(std::string(c.message) + "\r\n"), std::string::npos) << c.body << "\n" << errors;
        EXPECT_NE(errors.find(kImportSorryMessage), std::string::npos) << c.body;
        EXPECT_EQ(prompt.CountMessages(), 1u) << c.body;
        EXPECT_EQ(prompt.calls[0].title, kImportErrorTitle);
    }
}

TEST_F(ObjectImporterTest, RootNestingMessages) {
    // A second root behind an unknown wrapper, and a root inside the root.
    EXPECT_EQ(Import("<wrap><objectsexportedfromthedomizens objectfilename=\"" + resPath +
                     "\"/><objectsexportedfromthedomizens/></wrap>"),
              kImportReported);
    EXPECT_EQ(FirstMessage(), "Bad element nesting: begin objectsexportedfromthedomizens!");
    prompt.calls.clear();
    EXPECT_EQ(ImportBody("", "<objectsexportedfromthedomizens/>"), kImportReported);
    EXPECT_EQ(FirstMessage(), "Bad element nesting!");
    EXPECT_NE(Errors().find("Bad element nesting: end objectsexportedfromthedomizens!"), std::string::npos);
}

TEST_F(ObjectImporterTest, TwoObjectDefinitionSectionsAreRefused) {
    EXPECT_EQ(ImportBody("", "<objectdefinitions></objectdefinitions>\r\n<objectdefinitions></objectdefinitions>"),
              kImportReported);
    EXPECT_EQ(FirstMessage(), "Bad element nesting: begin objectdefinitions!");
    EXPECT_NE(Errors().find("Line: 4 Column: 0"), std::string::npos) << Errors();
}

TEST_F(ObjectImporterTest, ItemDirectlyUnderDrawGroupIsBadNesting) {
    EXPECT_EQ(ImportBody("", "<drawgroups><drawgroup id=\"1\"><drawgroupitem/></drawgroup></drawgroups>"),
              kImportReported);
    EXPECT_EQ(FirstMessage(), "Bad element nesting!");
}

TEST_F(ObjectImporterTest, TruncatedDocumentGivesParserErrorPositionAndSorry) {
    std::string text = Document("", "<objectdefinitions>\r\n");
    text.resize(text.find("</objectsexportedfromthedomizens>"));
    EXPECT_EQ(Import(text), kImportParseError);
    const std::string errors = Errors();
    EXPECT_NE(errors.find("XML parser error: "), std::string::npos) << errors;
    EXPECT_NE(errors.find(kImportSorryMessage), std::string::npos);
    EXPECT_NE(errors.find("Line: "), std::string::npos);
    // The position is logged once, the message box shown once.
    EXPECT_EQ(errors.find("Line: "), errors.rfind("Line: "));
    EXPECT_EQ(prompt.CountMessages(), 1u);
}

TEST_F(ObjectImporterTest, ExternalEntitiesAreRefused) {
    const std::string text = "<?xml version=\"1.0\"?>\n<!DOCTYPE x [<!ENTITY e SYSTEM \"file:///etc/passwd\">]>\n"
                             "<objectsexportedfromthedomizens objectfilename=\"" + resPath + "\">&e;"
                             "</objectsexportedfromthedomizens>";
    EXPECT_EQ(Import(text), kImportParseError);
}

TEST_F(ObjectImporterTest, MissingDocumentIsReported) {
    EXPECT_EQ(ImportObjectDocument(record, dir.Join("nothing.xml")), kImportCannotOpen);
    EXPECT_EQ(FirstMessage(), "Can't open input file!");
    EXPECT_NE(Errors().find(kImportSorryMessage), std::string::npos);
}

TEST_F(ObjectImporterTest, EmptyDocumentImportsAndEndsInGreen) {
    EXPECT_EQ(ImportBody("", ""), kImportOk);
    EXPECT_EQ(progress.TextInColour(0, 128, 0), "Reshaper Successfulluy Finished Importing!\r\n");
    EXPECT_EQ(prompt.calls.size(), 0u);
    EXPECT_EQ(progress.calls.front().title, kImportProgressTitle);
}

TEST_F(ObjectImporterTest, ThingsToDoSetsTheProgressRange) {
    EXPECT_EQ(ImportBody("thingstodo=\"42\"", ""), kImportOk);
    bool found = false;
    for (const auto& c : progress.calls)
        if (c.kind == reshaper_test::ProgressCall::SetRange && c.total == 42) found = true;
    EXPECT_TRUE(found);
}

TEST_F(ObjectImporterTest, OtherFileNameAsksAndCancelStops) {
    std::string text = Document("", "");
    text.replace(text.find(resPath), resPath.size(), "elsewhere.iff");
    prompt.answers = {false};
    EXPECT_EQ(Import(text), kImportReported);
    ASSERT_EQ(prompt.CountQuestions(), 1u);
    EXPECT_NE(prompt.calls[0].text.find("does not match the one the xml file came from, \"elsewhere.iff\". Are you "
                                        "sure you want to import this xml file into the currently selected "
                                        "resource file?"),
              std::string::npos);
    EXPECT_EQ(prompt.calls[1].text, "Import canceled at user request.");

    prompt.calls.clear();
    prompt.answers = {true};
    EXPECT_EQ(Import(text), kImportOk);

    // A difference in letter case only asks nothing.
    prompt.calls.clear();
    std::string upper = resPath;
    for (char& ch : upper) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
    text = Document("", "");
    text.replace(text.find(resPath), resPath.size(), upper);
    EXPECT_EQ(Import(text), kImportOk);
    EXPECT_EQ(prompt.calls.size(), 0u);
}

TEST_F(ObjectImporterTest, ObjectDefinitionFieldsNameAndCatalogueBitmaps) {
    MakeFile([](IFFResFile2& f) {
        for (ResID id : {300, 2300, 4300, 301}) Put(f, kTypeBMP, id, {1, 2, 3});
    });
    std::vector<uint8_t> icon = {'B', 'M', 9, 9};
    ASSERT_TRUE(reshaper_test::WriteFileBytes(dir.Join("pics/Icon.bmp"), icon));
    // "Caf\xC3\xA9 \xE2\x82\xAC" is "Café €" in UTF-8; the resource keeps its 8-bit form.
    const std::string body =
        "<objectdefinitions><objectdefinition name=\"Caf\xC3\xA9 \xE2\x82\xAC\" id=\"128\" Version=\"138\" "
        "guid=\"-559038737\" price=\"-5\" catalogid=\"300\" catalogpopupid=\"2300\" basegraphic=\"100\" "
        "numgraphics=\"2\" typeattrguid=\"7\" unknownattr=\"9\">"
        "<catalogicon id=\"300\" bmpfile=\"pics\\Icon.bmp\" resname=\"icon\"/>"
        "</objectdefinition></objectdefinitions>";
    EXPECT_EQ(ImportBody("", body), kImportOk) << Errors();
    EXPECT_EQ(NameOf(kTypeOBJD, 128), "Caf\xE9 \x80");
    ObjectDefinition def;
    std::vector<uint8_t> bytes = Stored(kTypeOBJD, 128);
    ASSERT_TRUE(ParseObjectDefinition(bytes.data(), bytes.size(), def));
    EXPECT_EQ(def.version, 138);
    EXPECT_EQ(static_cast<uint32_t>(def.guid), 0xDEADBEEFu);
    EXPECT_EQ(def.price, -5);
    EXPECT_EQ(def.catalogid, 300);
    EXPECT_EQ(def.typeattrguid, 7);
    EXPECT_EQ(def.maintreeid, 0);
    // The old pictures of the catalogue id went; the document's icon is what remains.
    EXPECT_EQ(Stored(kTypeBMP, 300), icon);
    EXPECT_EQ(NameOf(kTypeBMP, 300), "icon");
    EXPECT_TRUE(Stored(kTypeBMP, 2300).empty());
    EXPECT_TRUE(Stored(kTypeBMP, 4300).empty());
    EXPECT_FALSE(Stored(kTypeBMP, 301).empty());
    EXPECT_NE(progress.Text().find("<objectdefinition name=\"Caf\xE9 \x80\" />\r\n"), std::string::npos);
}

TEST_F(ObjectImporterTest, CatalogueBitmapWithAnotherIdIsRefused) {
    EXPECT_EQ(ImportBody("", "<objectdefinitions><objectdefinition id=\"1\" catalogid=\"5\" catalogpopupid=\"6\">"
                             "<catalogpopup id=\"7\"/></objectdefinition></objectdefinitions>"),
              kImportReported);
    EXPECT_EQ(FirstMessage(),
              "The catalogpopup id does not match the catalogpopupid in the object definiton! (It should.)");
    prompt.calls.clear();
    EXPECT_EQ(ImportBody("", "<objectdefinitions><objectdefinition id=\"1\" catalogid=\"5\">"
                             "<catalogicon id=\"5\" bmpfile=\"missing.bmp\"/></objectdefinition></objectdefinitions>"),
              kImportReported);
    EXPECT_EQ(FirstMessage(), "Can't open BMP file \"./missing.bmp\"!");
    EXPECT_NE(Errors().find("Error importing catalogicon bmp file \".\\missing.bmp\" into bitmap resource id 5 \"\"!"),
              std::string::npos);
}

TEST_F(ObjectImporterTest, DrawGroupsAreSavedWithEveryItemField) {
    const std::string body =
        "<objectdefinitions><objectdefinition name=\"thing\" id=\"128\" basegraphic=\"100\" numgraphics=\"1\"/>"
        "</objectdefinitions><drawgroups><drawgroup name=\"state\" id=\"100\">"
        "<drawgroupitemlist dirflags=\"16\" zoom=\"1\"><drawgroupitem spriteid=\"200\" spritenum=\"3\" pixelx=\"-4\" "
        "pixely=\"7\" xoffset=\"1.5\" yoffset=\"-2.25e-1\" zoffset=\"3\" flags=\"1\"/></drawgroupitemlist>"
        "<drawgroupitemlist dirflags=\"1\" zoom=\"2\"/></drawgroup></drawgroups>";
    EXPECT_EQ(ImportBody("", body), kImportOk) << Errors();
    DrawGroup g;
    ASSERT_EQ(g.Load(*record.file, 100), kNoErr);
    EXPECT_EQ(g.GetName(), "state");
    ASSERT_EQ(g.CountItemLists(), 2);
    EXPECT_EQ(g.GetItemList(0)->dirflags, 16);
    EXPECT_EQ(g.GetItemList(0)->zoom, 1);
    EXPECT_EQ(g.GetItemList(1)->zoom, 2);
    ASSERT_EQ(g.GetItemList(0)->CountItems(), 1);
    const DrawGroupItem& item = *g.GetItem(0, 0);
    EXPECT_EQ(item.spriteid, 200);
    EXPECT_EQ(item.spritenum, 3);
    EXPECT_EQ(item.pixelx, -4);
    EXPECT_EQ(item.pixely, 7);
    EXPECT_FLOAT_EQ(item.xoffset, 1.5f);
    EXPECT_FLOAT_EQ(item.yoffset, -0.225f);
    EXPECT_FLOAT_EQ(item.zoffset, 3.0f);
    EXPECT_EQ(item.flags, 1);
    EXPECT_NE(progress.Text().find("<drawgroup name=\"state\" id=\"100\" items=\"2\" />\r\n"), std::string::npos);
}

TEST_F(ObjectImporterTest, BitmapInsideUnknownElementIsImported) {
    std::vector<uint8_t> bmp = {'B', 'M', 1, 2, 3};
    ASSERT_TRUE(reshaper_test::WriteFileBytes(dir.Join("Bits/pic.bmp"), bmp));
    EXPECT_EQ(ImportBody("", "<bitmaps><group><bitmap name=\"pic\" id=\"77\" FileName=\"bits\\PIC.bmp\"/></group>"
                             "<Bitmap id=\"78\"/></bitmaps>"),
              kImportOk)
        << Errors();
    EXPECT_EQ(Stored(kTypeBMP, 77), bmp);
    EXPECT_EQ(NameOf(kTypeBMP, 77), "pic");
    EXPECT_TRUE(Stored(kTypeBMP, 78).empty());  // element names are matched exactly
    prompt.calls.clear();
    EXPECT_EQ(ImportBody("", "<bitmaps><bitmap id=\"79\" filename=\"gone.bmp\"/></bitmaps>"), kImportReported);
    EXPECT_EQ(FirstMessage(), "Can't open BMP file \"./gone.bmp\"!");
    EXPECT_NE(Errors().find("Error importing bmp file into bitmap resource!"), std::string::npos);
}

TEST_F(ObjectImporterTest, ChannelSlotsAreCheckedWhenTheFrameEnds) {
    const char* frame = "<sprites><sprite id=\"5\" framecount=\"1\"><spriteframe>%s</spriteframe></sprite></sprites>";
    auto body = [&](const std::string& channels) {
        std::string b = frame;
        b.replace(b.find("%s"), 2, channels);
        return b;
    };
    EXPECT_EQ(ImportBody("", body("<spritechannel type=\"z\"/><spritechannel type=\"z\"/>")), kImportReported);
    EXPECT_EQ(FirstMessage(), "More than one Z channel in sprite frame!");
    prompt.calls.clear();
    EXPECT_EQ(ImportBody("", body("<spritechannel type=\"p\"/><spritechannel type=\"p\"/>")), kImportReported);
    EXPECT_EQ(FirstMessage(), "More than one P channel in sprite frame!");
    prompt.calls.clear();
    EXPECT_EQ(ImportBody("", body("<spritechannel type=\"a\"/><spritechannel type=\"a\"/>")), kImportReported);
    EXPECT_EQ(FirstMessage(), "More than one A channel in sprite frame!");
    prompt.calls.clear();
    EXPECT_EQ(ImportBody("", body("<spritechannel type=\"P\"/>")), kImportReported);
    EXPECT_EQ(FirstMessage(), "Unknown type of channel in sprite frame!");
}

TEST(ImportAttributesTest, NumbersFlagsAndNamesReadAsTheDocumentGrammarSays) {
    const char* attributes[] = {"TransparentPixel", "  -12abc", "x", "junk", "big", "99999999999", "f", " 2.5e1",
                                "transparentpixel", "3", nullptr};
    EXPECT_EQ(ReadIntAttribute(attributes, "transparentpixel", -1), -12);  // first of a name wins, case ignored
    EXPECT_EQ(ReadIntAttribute(attributes, "x", 5), 0);
    EXPECT_EQ(ReadIntAttribute(attributes, "missing", 5), 5);
    EXPECT_EQ(ReadIntAttribute(attributes, "big", 0), INT32_MAX);
    EXPECT_DOUBLE_EQ(ReadFloatAttribute(attributes, "f", 0), 25.0);
    EXPECT_TRUE(ReadFlagAttribute(attributes, "big", false));
    EXPECT_FALSE(ReadFlagAttribute(attributes, "x", true));
    EXPECT_EQ(Utf8ToResourceText("a\xC3\xA9\xE2\x80\x9C\xC2\x81\xE4\xB8\xAD\xC3"), "a\xE9\x93\x81??");
}

TEST(ImportOptionsTest, MissingAttributesTakeTheImportDefaults) {
    const char* none[] = {nullptr};
    ExportOptions o = ReadImportOptions(none);
    EXPECT_TRUE(o.exportp && o.exportz && o.exporta && o.generatezfar && o.smoothsmallzoomcolors &&
                o.smoothsmallzoomedges);
    EXPECT_FALSE(o.exportobjectdefinitions || o.exportdrawgroups || o.exportbitmaps || o.exportsprites ||
                 o.justchangecolors || o.exportallzooms || o.exportexpanded || o.generatez || o.generatea ||
                 o.generateasoft || o.compressbitmaps || o.createsubdirectories);
    EXPECT_EQ(o.thingstodo, 1);
    const char* some[] = {"ExportZ", "0", "thingstodo", "17", "objectfilename", "x\xC3\xA9.iff", nullptr};
    o = ReadImportOptions(some);
    EXPECT_FALSE(o.exportz);
    EXPECT_EQ(o.thingstodo, 17);
    // The object file's name is a name on the host's disk: kept as the document carries it, never made 8-bit.
    EXPECT_EQ(o.objectfilename, "x\xC3\xA9.iff");
}

}  // namespace
}  // namespace import_test
