// The sample installation as the program sees it: start-up on its settings, the catalogue, its sprites, its
// special files, and that the same seed always writes the same bytes.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <set>

#include "../app/ScopedEnv.h"
#include "../cli/CliRunner.h"
#include "app/AppSettings.h"
#include "app/GameFileCheck.h"
#include "app/ObjectCatalog.h"
#include "app/Startup.h"
#include "objects/drawing/Compositor.h"
#include "objects/palettes/PalWrap.h"
#include "objects/sprites/Spr2Decoder.h"
#include "objects/sprites/Spr2Resource.h"
#include "objects/sprites/SprListDecoder.h"
#include "objects/sprites/SprListResource.h"
#include "objects/strings/CatalogStrings.h"
#include "objects/strings/Languages.h"
#include "objects/strings/StringSet.h"
#include "resfile/CTGFileManager.h"
#include "resfile/IFFResFile2.h"
#include "resfile/StdResFile.h"
#include "sample/SampleBaseFiles.h"
#include "sample/SampleGame.h"
#include "sample/SampleModel.h"
#include "sample/SampleSecondLayout.h"
#include "support/TempDir.h"

using namespace reshaper_test;

namespace {

constexpr uint64_t kSeed = 7;
constexpr int32_t kScale = 6;

// One installation for the whole suite: writing it is the slow part.
class SampleInstallation : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        dir_ = new TempDir("reshaper-sample-");
        SampleGameOptions options;
        options.directory = dir_->Join("Game");
        options.seed = kSeed;
        options.scale = kScale;
        options.progress = [](const std::string& line) { phases_.push_back(line); };
        result_ = new SampleGameResult(WriteSampleGame(options));
    }
    static void TearDownTestSuite() {
        delete result_;
        delete dir_;
        result_ = nullptr;
        dir_ = nullptr;
    }

    void TearDown() override {
        catalog_.Clear();
        CTGFileManager::Instance().Reset();
    }

    static std::string Root() { return dir_->Join("Game"); }

    // Starts the program's start-up sequence on the installation's settings file and builds the catalogue.
    StartupResult Start() {
        CTGFileManager::Instance().Reset();
        ScopedEnv env("RESHAPER_SETTINGS", result_->settingsPath);
        StartupOptions options;
        options.seedRandom = false;
        options.buildCatalogue = [this] { catalog_.Scan(ObjectDirectories(), InternalObjectPaths(), CloneDirectory); };
        return RunStartup(options);
    }

    static TempDir* dir_;
    static SampleGameResult* result_;
    static std::vector<std::string> phases_;
    ScopedCurrentDirectory cwd_{"."};  // start-up changes the directory; this puts it back
    ObjectCatalog catalog_;
};

TempDir* SampleInstallation::dir_ = nullptr;
SampleGameResult* SampleInstallation::result_ = nullptr;
std::vector<std::string> SampleInstallation::phases_;

std::vector<std::string> DisplayNames(const ObjectCatalog& catalog) {
    std::vector<std::string> names;
    for (const auto& f : catalog.Files()) names.push_back(f->displayName);
    return names;
}

TEST_F(SampleInstallation, StartsOnItsOwnSettingsAndCataloguesAsExpected) {
    ASSERT_TRUE(result_->ok) << result_->error;
    EXPECT_GE(phases_.size(), 5u);
    const StartupResult started = Start();
    EXPECT_TRUE(started.installPathApplied);
    EXPECT_TRUE(started.gameFilesFound);
    EXPECT_TRUE(started.languageFromSettings);
    EXPECT_TRUE(started.cookieFromSettings);
    EXPECT_EQ(MagicCookie(), result_->magicCookie);
    EXPECT_EQ(GameLanguage(), 1);

    // Every listed file once, sorted without regard to case; the two rugs in different directories both listed;
    // the upper-case .IFF listed without its extension; the internal object, the companion and the text file not.
    std::vector<std::string> names = DisplayNames(catalog_);
    names.erase(std::remove_if(names.begin(), names.end(), [](const std::string& n) { return n.rfind("gen", 0) == 0; }),
                names.end());
    EXPECT_EQ(names,
              (std::vector<std::string>{"arched door", "armchair", "beanbag", "bookshelf", "diningtable", "floorlamp",
                                        "grandfatherclock", "kitchen", "loft bed", "ottoman", "potted plant", "rug",
                                        "rug", "sunflower"}));
    EXPECT_EQ(catalog_.Count(), names.size() + kScale);
    EXPECT_EQ(catalog_.Find("beanbag")->path, ".\\downloads\\beanbag.iff");
    EXPECT_EQ(catalog_.Find("bones"), nullptr);
    EXPECT_EQ(catalog_.Find(".\\gamedata\\objects\\people\\bones"), nullptr);
    EXPECT_TRUE(std::filesystem::exists(Root() + "/GameData/Objects/People/Bones.iff"));

    size_t objects = 0;
    for (const auto& f : catalog_.Files()) objects += f->CountObjects();
    EXPECT_GE(objects, 12u + 4u);

    // Archive members are read-only, loose files editable.
    std::set<std::string> readOnly;
    for (const auto& f : catalog_.Files())
        if (!f->IsEditable()) readOnly.insert(f->displayName);
    EXPECT_TRUE(readOnly.count("bookshelf") && readOnly.count("kitchen") && readOnly.count("potted plant"));
    for (const char* editable : {"armchair", "diningtable", "floorlamp", "grandfatherclock", "beanbag"})
        EXPECT_FALSE(readOnly.count(editable)) << editable;
    EXPECT_EQ(CTGFileManager::Instance().Open(".\\gamedata\\objects\\kitchen.iff", true), nullptr);

    // The multi-tile table: one lead with its four tiles; the kitchen: two objects, both roots.
    ObjectFile* table = catalog_.Find("diningtable");
    ASSERT_NE(table, nullptr);
    ASSERT_EQ(table->roots.size(), 1u);
    EXPECT_TRUE(IsMultiTileLead(table->roots[0]->definition));
    EXPECT_EQ(table->roots[0]->tiles.size(), 4u);
    EXPECT_EQ(catalog_.Find("kitchen")->roots.size(), 2u);
    EXPECT_EQ(catalog_.Find("arched door")->roots[0]->definition.wallstyle, 22);
}

TEST_F(SampleInstallation, TheLoftBedsUpperStoreyStandsOnItsLowerOneInEveryRotation) {
    Start();
    ObjectFile* loft = catalog_.Find("loft bed");
    ASSERT_NE(loft, nullptr);
    ASSERT_EQ(loft->roots.size(), 1u);
    ObjectEntry& lead = *loft->roots[0];
    ASSERT_EQ(lead.tiles.size(), 4u);
    EXPECT_EQ(lead.tiles[2]->definition.leveloffset, 1);
    for (int rotation = 0; rotation < kRotationCount; ++rotation) {
        auto picture = ComposeObject(lead, ComposeViewIndex(rotation, 2), RgbColor{255, 255, 255});
        ASSERT_NE(picture, nullptr);
        // The lowest row (from the top) of the blanket on the bed above and of any wood (the posts' feet below).
        int blanket = -1, wood = -1;
        for (int32_t r = 0; r < picture->GetHeight(); ++r)
            for (int32_t c = 0; c < picture->GetWidth(); ++c) {
                const uint8_t* p = picture->GetRow(r) + 3 * c;
                const int blue = p[0], red = p[2];
                if (blue > red + 60) blanket = r;
                if (red > blue + 40 && red > 60) wood = r;
            }
        ASSERT_GE(blanket, 0) << rotation;
        // The bed lies a storey (50 rows at this zoom) above the floor the posts stand on, less its platform.
        EXPECT_GT(wood - blanket, 40) << "rotation " << rotation;
    }
}

TEST_F(SampleInstallation, SpecialFilesHoldWhatTheyShow) {
    ASSERT_TRUE(result_->ok) << result_->error;
    Start();
    // The version 2.0 file is scanned; the others open through their map.
    auto clockBytes = ReadFileBytes(Root() + "/ExpansionPack/GrandfatherClock.iff");
    ASSERT_GT(clockBytes.size(), 64u);
    EXPECT_EQ(clockBytes[9], '2');
    EXPECT_EQ(clockBytes[11], '0');
    IFFResFile2 armchair;
    ASSERT_EQ(armchair.Open(".\\gamedata\\objects\\armchair.iff"), kNoErr);
    EXPECT_TRUE(armchair.WasOpenedThroughMap());
    armchair.Close();

    // Legacy strings of the old file.
    ObjectFile* clock = catalog_.Find("grandfatherclock");
    ASSERT_NE(clock, nullptr);
    EXPECT_EQ(clock->objects[0]->definition.version, kObjectDefinitionVersion);  // upgraded from 137
    CatalogStrings cats;
    ASSERT_EQ(cats.Load(*clock->file, clock->objects[0]->definition.catalogid, true), kNoErr);
    EXPECT_EQ(cats.name, "Grandfather Clock");
    StringSet text;
    ASSERT_EQ(text.ReadStringTable(clock->file.get(), 129, false), kNoErr);
    EXPECT_EQ(text.Count(), 3);
    StringSet old;
    ASSERT_EQ(old.ReadStringTable(clock->file.get(), 130, false), kNoErr);
    ASSERT_EQ(old.Count(), 3);
    EXPECT_EQ(*old.Get(2), "Grandfather's Favourite");

    // Catalogue texts in at least five languages.
    ObjectFile* chair = catalog_.Find("armchair");
    StringSet ctss;
    ctss.Bind(chair->file.get(), chair->objects[0]->definition.catalogid, kTypeCTSS, false, 0);
    ASSERT_EQ(ctss.Read(true, false), kNoErr);
    int languages = 0;
    for (int l = 0; l < kLanguageCount; ++l)
        if (ctss.Count(l) == 2 && (l == 0 || ctss.GetSource(1, l) == l)) ++languages;
    EXPECT_GE(languages, 5);

    // The lamp's graphics come from its companion.
    ObjectFile* lamp = catalog_.Find("floorlamp");
    LoadObjectFile(*lamp, true);
    EXPECT_EQ(lamp->sprites.size(), 1u);
    EXPECT_EQ(lamp->drawGroups.size(), 1u);
    EXPECT_TRUE(std::filesystem::exists(Root() + "/GameData/UserObjects/FloorLamp.spf"));

    // The ottoman's sprite is stored in the second layout; its twin's holds the same frames stored as 1000.
    ObjectFile* ottoman = catalog_.Find("ottoman");
    ASSERT_NE(ottoman, nullptr);
    ASSERT_EQ(ottoman->objects.size(), 2u);
    std::vector<uint8_t> stored[2];
    for (int k = 0; k < 2; ++k) {
        DataHandle* h = ottoman->file->GetResource(kTypeSPR2, static_cast<ResID>(256 + k), nullptr);
        ASSERT_NE(h, nullptr);
        stored[k] = h->bytes;
        ottoman->file->ReleaseAndFree(h);
    }
    EXPECT_EQ(stored[0][0] | (stored[0][1] << 8), 1001);
    EXPECT_EQ(stored[1][0] | (stored[1][1] << 8), 1000);
    EXPECT_EQ(ToSequentialSpr2(stored[1]), stored[0]);

    // Program files on either side of the start-up check's limits.
    EXPECT_LT(std::filesystem::file_size(Root() + "/Domizens.exe"), 512000u);
    EXPECT_GT(std::filesystem::file_size(Root() + "/Domizens.icd"), 2048000u);
    EXPECT_TRUE(CheckGameFiles());
}

// GUID operands of every behaviour of a file: (opcode & 0x7FFF, top bit set, GUID), for the three opcodes that
// carry one.
std::vector<std::tuple<int, bool, uint32_t>> GuidOperands(iResFile& file) {
    std::vector<std::tuple<int, bool, uint32_t>> out;
    for (int i = 1; i <= file.CountResources(kTypeBHAV); ++i) {
        DataHandle* h = file.GetIndexedResource(kTypeBHAV, i, nullptr);
        if (!h) continue;
        ByteReader r(h->Data(), static_cast<size_t>(h->Size()));
        r.Skip(2);
        const int count = r.ReadInt16LE();
        for (int k = 0; k < count; ++k) {
            ByteReader in(h->Data() + 12 + 12 * k, 12);
            const uint16_t word = in.ReadUInt16LE();
            in.Skip(2);
            const uint32_t guid = in.ReadUInt32LE();
            const uint8_t kind = in.ReadUInt8();
            const int op = word & 0x7FFF;
            if (op == 32 || op == 42 || (op == 31 && ((kind & 0x7F) == 4 || (kind & 0x7F) == 7)))
                out.emplace_back(op, (word & 0x8000) != 0, guid);
        }
        file.ReleaseAndFree(h);
    }
    return out;
}

TEST_F(SampleInstallation, BehavioursNameObjectsOfTheSameAndOtherFiles) {
    ASSERT_TRUE(result_->ok) << result_->error;
    Start();
    std::map<uint32_t, std::string> owner;  // GUID -> display name of its file
    for (const auto& f : catalog_.Files())
        for (const auto& o : f->objects) owner[static_cast<uint32_t>(o->definition.guid)] = f->displayName;
    for (const char* name : {"armchair", "diningtable", "kitchen"}) {
        ObjectFile* f = catalog_.Find(name);
        ASSERT_NE(f, nullptr);
        std::set<std::pair<int, bool>> forms;
        bool same = false, other = false;
        for (const auto& [op, top, guid] : GuidOperands(*f->file)) {
            forms.insert({op, top});
            ASSERT_TRUE(owner.count(guid)) << name << " names an unknown GUID " << guid;
            (owner[guid] == name ? same : other) = true;
        }
        EXPECT_EQ(forms.size(), 6u) << name;  // the three opcodes, each plain and with the top bit
        EXPECT_TRUE(same) << name;
        EXPECT_TRUE(other) << name;
    }
}

// Checks every sprite of an open object file: SPR2 sprites have 12 frames that decode, fit their zoom's canvas,
// use at most 255 colours that differ at 6 bits, have depth exactly where they have alpha, and soft edges; SPR#
// sprites (custom wall masks) have 4 frames that decode and fit the canvas of their zoom.
void CheckSprites(iResFile& file, const std::string& what, int& spr2Count, int& sprListCount) {
    for (int i = 1; i <= file.CountResources(kTypeSPR2); ++i) {
        DataHandle* h = file.GetIndexedResource(kTypeSPR2, i, nullptr);
        ASSERT_NE(h, nullptr);
        ResID id = 0;
        file.GetID(h, id);
        ByteReader data(h->Data(), static_cast<size_t>(h->Size()));
        Spr2Header header;
        ASSERT_TRUE(ReadSpr2Header(data, header));
        ASSERT_EQ(header.frameCount, kSampleFramesPerSprite) << what << " sprite " << id;
        DataHandle* palt = file.GetResource(kTypePALT, static_cast<ResID>(header.paletteId), nullptr);
        ASSERT_NE(palt, nullptr) << what << " sprite " << id;
        PalWrap palette;
        ASSERT_TRUE(palette.LoadPALT(palt->Data(), static_cast<size_t>(palt->Size())));
        file.ReleaseAndFree(palt);
        std::set<uint8_t> used;
        int soft = 0;
        for (int f = 0; f < header.frameCount; ++f) {
            Spr2Frame frame;
            ASSERT_TRUE(ReadSpr2Frame(data, f, frame));
            const SampleCanvas canvas = GetSampleCanvas(f / kSampleRotationCount);
            EXPECT_GE(frame.x, 0);
            EXPECT_GE(frame.y, 0);
            EXPECT_LE(frame.x + frame.width, canvas.width) << what << " sprite " << id << " frame " << f;
            EXPECT_LE(frame.y + frame.height, canvas.height) << what << " sprite " << id << " frame " << f;
            ASSERT_FALSE(frame.IsEmpty()) << what << " sprite " << id << " frame " << f;
            const int32_t w = frame.width, hgt = frame.height;
            std::vector<uint8_t> p(static_cast<size_t>(w * hgt)), z(p.size()), a(p.size());
            SpriteChannels out;
            out.p = {p.data(), w, w, hgt};
            out.z = {z.data(), w, w, hgt};
            out.a = {a.data(), w, w, hgt};
            ASSERT_EQ(DecodeSpr2Frame(frame, out, 0), SpriteDecodeResult::kOk);
            for (size_t k = 0; k < p.size(); ++k) {
                ASSERT_EQ(z[k] == 255, a[k] == 0) << what << " sprite " << id << " frame " << f;
                if (z[k] == 255) continue;
                used.insert(p[k]);
                if (a[k] < 248) ++soft;
            }
        }
        EXPECT_GT(soft, 0) << what << " sprite " << id;
        EXPECT_LE(used.size(), 255u);
        EXPECT_FALSE(used.count(0)) << "the transparent index is never drawn";
        std::set<int> sixBit;
        for (uint8_t index : used) {
            const PaletteColor& c = palette.GetEntry(index);
            sixBit.insert(((c.red >> 2) << 12) | ((c.green >> 2) << 6) | (c.blue >> 2));
        }
        EXPECT_EQ(sixBit.size(), used.size()) << what << " sprite " << id << ": colours equal at 6 bits";
        file.ReleaseAndFree(h);
        ++spr2Count;
    }
    for (int i = 1; i <= file.CountResources(kTypeSPRList); ++i) {
        DataHandle* h = file.GetIndexedResource(kTypeSPRList, i, FixupSprList);
        ASSERT_NE(h, nullptr);
        ResID id = 0;
        file.GetID(h, id);
        ByteReader data(h->Data(), static_cast<size_t>(h->Size()));
        SprListHeader header;
        ASSERT_TRUE(ReadSprListHeader(data, header));
        EXPECT_EQ(header.version, 504);
        ASSERT_EQ(header.frameCount, 4);
        const SampleCanvas canvas = GetSampleCanvas((sprListCount % 6) % 3);
        for (int f = 0; f < 4; ++f) {
            SprListFrame frame;
            ASSERT_TRUE(ReadSprListFrame(data, f, frame));
            EXPECT_EQ(frame.width, canvas.width);
            EXPECT_EQ(frame.height, canvas.height);
            std::vector<uint8_t> p(static_cast<size_t>(frame.width) * frame.height);
            SpriteChannels out;
            out.p = {p.data(), frame.width, frame.width, frame.height};
            ASSERT_EQ(DecodeSprListFrame(frame, out, 255), SpriteDecodeResult::kOk);
            EXPECT_GT(std::count_if(p.begin(), p.end(), [](uint8_t v) { return v != 255; }), 0) << id;
        }
        file.ReleaseAndFree(h);
        ++sprListCount;
    }
}

TEST_F(SampleInstallation, EverySpriteDecodesFitsItsCanvasAndKeepsItsColoursApart) {
    ASSERT_TRUE(result_->ok) << result_->error;
    Start();
    int spr2 = 0, sprList = 0;
    for (const auto& f : catalog_.Files()) CheckSprites(*f->file, f->displayName, spr2, sprList);
    ObjResFile bones;
    ASSERT_EQ(bones.Open(".\\gamedata\\objects\\people\\bones"), kNoErr);
    CheckSprites(bones, "bones", spr2, sprList);
    EXPECT_GE(spr2, 18);
    EXPECT_EQ(sprList, 6);
}

std::map<std::string, std::vector<uint8_t>> TreeBytes(const std::string& root) {
    std::map<std::string, std::vector<uint8_t>> out;
    for (const auto& e : std::filesystem::recursive_directory_iterator(root))
        if (e.is_regular_file()) out[std::filesystem::relative(e.path(), root).string()] = ReadFileBytes(e.path());
    return out;
}

TEST_F(SampleInstallation, TheSameSeedWritesTheSameBytesThroughTheCommandLine) {
    ASSERT_TRUE(result_->ok) << result_->error;
    const std::string again = dir_->Join("Again");
    const CliResult run =
        RunCli("sample-game '" + again + "' --seed " + std::to_string(kSeed) + " --scale " + std::to_string(kScale));
    ASSERT_EQ(run.exitCode, 0) << run.out;
    EXPECT_NE(run.out.find("Writing the archive GameData/Objects/Furnishings.far"), std::string::npos) << run.out;
    auto first = TreeBytes(Root());
    auto second = TreeBytes(again);
    ASSERT_EQ(first.size(), second.size());
    for (const auto& [path, bytes] : first) {
        ASSERT_TRUE(second.count(path)) << path;
        if (path == "reshaper.ini") continue;
        EXPECT_TRUE(bytes == second[path]) << path << " differs";
    }
    // The settings differ in the install path alone.
    std::string a(first["reshaper.ini"].begin(), first["reshaper.ini"].end());
    std::string b(second["reshaper.ini"].begin(), second["reshaper.ini"].end());
    a.replace(a.find(Root()), Root().size(), "DIR");
    const std::string againAbsolute = std::filesystem::canonical(again).string();
    b.replace(b.find(againAbsolute), againAbsolute.size(), "DIR");
    EXPECT_EQ(a, b);
}

TEST_F(SampleInstallation, AnotherSeedDrawsOtherObjects) {
    ASSERT_TRUE(result_->ok) << result_->error;
    SampleGuids guids;
    std::vector<SampleOutputFile> other;
    std::string error;
    ASSERT_TRUE(BuildSampleBaseFiles(kSeed + 1, guids, other, error)) << error;
    int compared = 0;
    for (const SampleOutputFile& f : other) {
        if (!f.archive.empty() || f.objects.empty()) continue;
        EXPECT_FALSE(ReadFileBytes(Root() + "/" + f.path) == f.bytes) << f.path;
        ++compared;
    }
    EXPECT_GE(compared, 9);
}

TEST(SampleGame, RefusesAScaleOutOfRangeAndAnUnwritableDirectory) {
    SampleGameOptions options;
    options.directory = "/proc/reshaper-sample-cannot-be-made";
    EXPECT_FALSE(WriteSampleGame(options).ok);
    TempDir dir;
    options.directory = dir.Join("x");
    options.scale = -1;
    const SampleGameResult r = WriteSampleGame(options);
    EXPECT_FALSE(r.ok);
    EXPECT_FALSE(std::filesystem::exists(dir.Join("x")));
}

}  // namespace
