// SampleBaseFiles: the sample objects, one builder per object file.
#include "sample/SampleBaseFiles.h"

#include <array>

#include "objects/definitions/ObjectDefinition.h"
#include "objects/strings/CatalogStrings.h"
#include "objects/strings/StringSet.h"
#include "sample/SampleArt.h"
#include "sample/SampleBehaviors.h"
#include "sample/SampleIFFImage.h"
#include "sample/SampleLoftBed.h"
#include "sample/SampleSecondLayout.h"
#include "sample/SampleSprite.h"
#include "sample/SampleStrings.h"

namespace {

constexpr ResID kFirstObjectId = 128;
constexpr ResID kFirstSpriteId = 256;
constexpr ResID kFirstDrawGroupId = 100;
constexpr ResID kBodyStringsId = 128;
constexpr ResID kDoorWallStyleId = 300;
constexpr int16_t kRoomLiving = 0x08, kRoomKitchen = 0x01, kRoomOutside = 0x10, kRoomMisc = 0x40, kRoomDining = 0x20,
                  kRoomStudy = 0x80, kRoomBedroom = 0x02;
constexpr int16_t kFunctionSeating = 0x01, kFunctionSurfaces = 0x02, kFunctionDecorative = 0x20,
                  kFunctionGeneral = 0x40, kFunctionLighting = 0x80;

// Everything one object file (and its sprite companion) holds, built up resource by resource.
class FileBuilder {
public:
    explicit FileBuilder(bool graphicsInCompanion = false) : companion_(graphicsInCompanion) {}

    void AddObject(ResID id, const std::string& name, const ObjectDefinition& def) {
        const ObjectDefinitionBytes bytes = SerializeObjectDefinition(def);
        iff_.Add(kTypeOBJD, id, name, std::vector<uint8_t>(bytes.begin(), bytes.end()));
        objects_.push_back(name);
    }
    void AddCatalog(ResID catalogId, const std::string& name, const std::string& key) {
        iff_.Add(kTypeCTSS, catalogId, name, MakeCatalogStringSet(GetSampleCatalogTexts(key)));
    }
    void AddStrings(ResID id, const std::string& name, std::vector<uint8_t> data, uint16_t flags = kResFlagConverted) {
        iff_.Add(kTypeSTRList, id, name, std::move(data), flags);
    }
    void AddRaw(ResType type, ResID id, const std::string& name, std::vector<uint8_t> data, uint16_t flags) {
        iff_.Add(type, id, name, std::move(data), flags);
        if (type == kTypeOBJD) objects_.push_back(name);
    }
    void AddBehavior(ResID id, const std::string& name, std::vector<SampleInstruction> code) {
        iff_.Add(kTypeBHAV, id, name, MakeBehavior(std::move(code)));
    }
    void AddPalette(ResID id, const std::string& name, const SamplePalette& palette) {
        Graphics().Add(kTypePALT, id, name, palette.MakePALT());
    }
    // Draws the model into an SPR2 resource that uses palette `paletteId` (added before). The sprite's data is
    // stored unconverted, as the import stores it; the renderer never converts SPR2 data.
    bool AddSprite(ResID id, const std::string& name, const SampleModel& model, const SamplePalette& palette,
                   ResID paletteId, SampleSprite& out) {
        if (!BuildSampleSprite(model, palette, paletteId, out)) return false;
        Graphics().Add(kTypeSPR2, id, name, out.data, 0);
        return true;
    }
    void AddDrawGroup(ResID id, const DrawGroup& group) {
        Graphics().Add(kTypeDGRP, id, group.GetName(), group.Serialize());
    }
    void AddOldDrawGroup(ResID id, const DrawGroup& group) {
        Graphics().Add(kTypeDGRP, id, group.GetName(), SerializeOldLayoutDrawGroup(group));
    }
    void AddSprList(ResID id, const std::string& name, std::vector<uint8_t> data) {
        Graphics().Add(kTypeSPRList, id, name, std::move(data));
    }

    // The file (and its companion, when the graphics live there) as version 2.5, or the file alone as 2.0.
    void Finish(const std::string& path, const std::string& archive, const std::string& description,
                std::vector<SampleOutputFile>& out, bool version20 = false, bool listed = true) {
        SampleOutputFile f;
        f.path = path;
        f.archive = archive;
        f.bytes = version20 ? iff_.Build20() : iff_.Build25();
        f.objects = objects_;
        f.description = description;
        f.listed = listed;
        out.push_back(std::move(f));
        if (companion_) {
            SampleOutputFile s;
            s.path = path.substr(0, path.size() - 4) + ".spf";
            s.archive = archive;
            s.bytes = spf_.Build25();
            s.description = "sprite companion: the graphics of " + path.substr(path.rfind('/') + 1);
            s.listed = false;
            out.push_back(std::move(s));
        }
    }

private:
    SampleIFFImage& Graphics() { return companion_ ? spf_ : iff_; }
    bool companion_;
    SampleIFFImage iff_;
    SampleIFFImage spf_;
    std::vector<std::string> objects_;
};

// A main tree whose GUID operands cover every form the clone remaps (and two it must leave alone): `same` names an
// object of the same file, `otherA` and `otherB` objects of other files.
std::vector<SampleInstruction> ReferencingTree(uint32_t same, uint32_t otherA, uint32_t otherB, uint32_t own) {
    return {
        MakePlainInstruction(kSampleOpExpression, {0, 0, 1, 0, 5, 7, 0, 0}),
        MakeGuidInstruction(kSampleOpSetToNext, same, false, 4),
        MakeGuidInstruction(kSampleOpSetToNext, otherA, true, 0x87),
        MakeGuidInstruction(kSampleOpSetToNext, otherA, false, 5),  // another search kind: not a GUID
        MakeGuidInstruction(kSampleOpTestObjectType, same),
        MakeGuidInstruction(kSampleOpTestObjectType, otherB, true),
        MakeGuidInstruction(kSampleOpCreateObject, otherA),
        MakeGuidInstruction(kSampleOpCreateObject, same, true),
        MakeGuidInstruction(kSampleHelperTree, own),                // a call of a tree of this file
        MakeGuidInstruction(kSampleOpFirstTreeCall, otherB, true),  // a call of a global tree
    };
}

std::vector<SampleInstruction> InitTree(uint32_t createGuid) {
    return {MakePlainInstruction(kSampleOpExpression, {2, 0, 0, 0, 1, 0, 0, 0}),
            MakeGuidInstruction(kSampleOpCreateObject, createGuid)};
}

// The single-tile draw group of sprites already built.
DrawGroup Group(const std::string& name, std::initializer_list<std::pair<ResID, const SampleSprite*>> sprites) {
    return MakeSampleDrawGroup(name, std::vector<std::pair<ResID, const SampleSprite*>>(sprites));
}

struct Context {
    SampleRandom rng;
    SampleGuids& guids;
    uint16_t gameCookie;      // the makers of the game's own objects
    uint16_t downloadCookie;  // someone who made objects for download
    std::vector<SampleOutputFile>& out;
    std::string error;

    uint32_t Guid(const std::string& key) { return guids.Get(key); }
    bool Fail(const std::string& what) {
        error = "could not draw the sprites of " + what;
        return false;
    }
};

// A file of one single-tile object with one sprite and one draw group: used by several simple objects.
bool SimpleObjectFile(Context& c, const std::string& key, const std::string& name, const SampleModel& model,
                      int16_t catalogId, int16_t price, int16_t roomFlags, int16_t functionFlags,
                      const std::string& path, const std::string& archive, const std::string& description,
                      bool listed = true) {
    FileBuilder f;
    ObjectDefinition d = MakeSampleDefinition(c.Guid(key), catalogId, price);
    d.basegraphic = kFirstDrawGroupId;
    d.numgraphics = 1;
    d.roomflags = roomFlags;
    d.functionflags = functionFlags;
    f.AddObject(kFirstObjectId, name, d);
    f.AddCatalog(catalogId, name, key);
    f.AddBehavior(kSampleMainTree, name + " - main",
                  ReferencingTree(c.Guid(key), c.Guid("armchair"), c.Guid("diningtable"), c.Guid(key)));
    SamplePalette palette(model.materials);
    SampleSprite sprite;
    f.AddPalette(kFirstSpriteId, name, palette);
    if (!f.AddSprite(kFirstSpriteId, name, model, palette, kFirstSpriteId, sprite)) return c.Fail(name);
    f.AddDrawGroup(kFirstDrawGroupId, Group(name, {{kFirstSpriteId, &sprite}}));
    f.Finish(path, archive, description, c.out, false, listed);
    return true;
}

bool Armchair(Context& c) {
    FileBuilder f;
    const std::string name = "Armchair";
    ObjectDefinition d = MakeSampleDefinition(c.Guid("armchair"), 2000, 450);
    d.basegraphic = kFirstDrawGroupId;
    d.numgraphics = 2;
    d.roomflags = kRoomLiving | kRoomStudy;
    d.functionflags = kFunctionSeating;
    d.bodystringsid = kBodyStringsId;
    d.chairentryflags = 0x01;
    d.ratingcomfort = 6;
    d.ratingroom = 2;
    d.sittreeid = kSampleHelperTree;
    f.AddObject(kFirstObjectId, name, d);
    f.AddCatalog(2000, name, "armchair");
    f.AddStrings(kBodyStringsId, name + " - interactions",
                 MakeStringTable({"Sit", "Fluff Cushion", "Clean"}, {"pie menu", "", "shown when dirty"},
                                 /*French*/ 2, {"S'asseoir", "Tapoter le coussin", "Nettoyer"}));
    f.AddBehavior(kSampleMainTree, name + " - main",
                  ReferencingTree(c.Guid("armchair"), c.Guid("diningtable"), c.Guid("floorlamp"), c.Guid("armchair")));
    f.AddBehavior(kSampleInitTree, name + " - init", InitTree(c.Guid("stool")));
    f.AddBehavior(kSampleHelperTree, name + " - idle", {});

    const SampleModel body = MakeArmchairBody(c.rng), cushions = MakeArmchairCushions(c.rng);
    const SampleModel shadow = MakeSoftShadow(0.46f, 0.46f);
    const SamplePalette bodyPalette(body.materials), cushionPalette(cushions.materials),
        shadowPalette(shadow.materials);
    SampleSprite bodySprite, cushionSprite, shadowSprite;
    f.AddPalette(256, name + " - body", bodyPalette);
    f.AddPalette(257, name + " - cushions", cushionPalette);
    f.AddPalette(258, name + " - shadow", shadowPalette);
    if (!f.AddSprite(256, name + " - body", body, bodyPalette, 256, bodySprite) ||
        !f.AddSprite(257, name + " - cushions", cushions, cushionPalette, 257, cushionSprite) ||
        !f.AddSprite(258, name + " - shadow", shadow, shadowPalette, 258, shadowSprite))
        return c.Fail(name);
    f.AddDrawGroup(kFirstDrawGroupId,
                   Group(name + " - with cushions", {{258, &shadowSprite}, {256, &bodySprite}, {257, &cushionSprite}}));
    f.AddDrawGroup(kFirstDrawGroupId + 1, Group(name + " - bare", {{258, &shadowSprite}, {256, &bodySprite}}));
    f.Finish("GameData/Objects/Armchair.iff", "", "single-tile object: three sprites of 12 frames, two draw groups",
             c.out);
    return true;
}

bool DiningTable(Context& c) {
    FileBuilder f;
    const std::string name = "Dining Table";
    constexpr int16_t kMaster = 0x0101;
    ObjectDefinition lead = MakeSampleDefinition(c.Guid("diningtable"), 2001, 900);
    lead.masterid = kMaster;
    lead.subindex = -1;
    lead.roomflags = kRoomDining | kRoomKitchen;
    lead.functionflags = kFunctionSurfaces;
    lead.ratingroom = 3;
    f.AddObject(kFirstObjectId, name, lead);
    f.AddCatalog(2001, name, "diningtable");
    f.AddBehavior(
        kSampleMainTree, name + " - main",
        ReferencingTree(c.Guid("diningtable.tile3"), c.Guid("armchair"), c.Guid("stool"), c.Guid("diningtable")));

    SampleModel table = MakeDiningTable(c.rng);
    const SamplePalette palette(table.materials);
    f.AddPalette(kFirstSpriteId, name, palette);
    table.clipToTile = true;
    const std::array<std::pair<int, int>, 4> tiles = {{{0, 0}, {1, 0}, {0, 1}, {1, 1}}};
    std::array<SampleSprite, 4> sprites;
    for (size_t k = 0; k < tiles.size(); ++k) {
        const auto [h, l] = tiles[k];
        const std::string tileName = name + " - tile " + std::to_string(h) + "," + std::to_string(l);
        ObjectDefinition tile = MakeSampleDefinition(c.Guid("diningtable.tile" + std::to_string(k)), 2001, 0);
        tile.masterid = kMaster;
        tile.subindex = static_cast<int16_t>((h << 8) | l);
        tile.basegraphic = static_cast<int16_t>(kFirstDrawGroupId + k);
        tile.numgraphics = 1;
        tile.maintreeid = 0;
        f.AddObject(static_cast<ResID>(kFirstObjectId + 1 + k), tileName, tile);
        table.tileU = static_cast<float>(h);
        table.tileV = static_cast<float>(l);
        const auto spriteId = static_cast<ResID>(kFirstSpriteId + k);
        if (!f.AddSprite(spriteId, tileName, table, palette, kFirstSpriteId, sprites[k])) return c.Fail(tileName);
        f.AddDrawGroup(static_cast<ResID>(kFirstDrawGroupId + k), Group(tileName, {{spriteId, &sprites[k]}}));
    }
    f.Finish("GameData/Objects/DiningTable.iff", "", "multi-tile object: a lead and four tiles sharing one palette",
             c.out);
    return true;
}

bool ArchedDoor(Context& c) {
    FileBuilder f;
    const std::string name = "Arched Door";
    ObjectDefinition d = MakeSampleDefinition(c.Guid("archeddoor"), 2002, 600);
    d.basegraphic = kFirstDrawGroupId;
    d.numgraphics = 1;
    d.wallstyle = 22;
    d.customwallstyleid = kDoorWallStyleId;
    d.buildmodetype = 1;
    d.portaltreeid = kSampleHelperTree;
    f.AddObject(kFirstObjectId, name, d);
    f.AddCatalog(2002, name, "archeddoor");
    f.AddBehavior(kSampleMainTree, name + " - main",
                  ReferencingTree(c.Guid("archeddoor"), c.Guid("bones"), c.Guid("floorlamp"), c.Guid("archeddoor")));
    const SampleModel door = MakeArchedDoor(c.rng);
    const SamplePalette palette(door.materials);
    SampleSprite sprite;
    f.AddPalette(kFirstSpriteId, name, palette);
    if (!f.AddSprite(kFirstSpriteId, name, door, palette, kFirstSpriteId, sprite)) return c.Fail(name);
    f.AddDrawGroup(kFirstDrawGroupId, Group(name, {{kFirstSpriteId, &sprite}}));
    std::array<std::vector<uint8_t>, 6> masks;
    if (!BuildSampleWallStyle(GetArchedDoorOpening(), 0.9f, masks)) return c.Fail(name + " wall style");
    const char* kMaskNames[6] = {"wall large",    "wall medium",    "wall small",
                                 "cutaway large", "cutaway medium", "cutaway small"};
    for (int i = 0; i < 6; ++i)
        f.AddSprList(static_cast<ResID>(kDoorWallStyleId + i), name + " - " + kMaskNames[i],
                     std::move(masks[static_cast<size_t>(i)]));
    f.Finish("GameData/Objects/Doors/Arched Door.iff", "",
             "door with wall style 22 and its six custom wall SPR# sprites", c.out);
    return true;
}

bool FloorLamp(Context& c) {
    FileBuilder f(/*graphicsInCompanion*/ true);
    const std::string name = "Floor Lamp";
    ObjectDefinition d = MakeSampleDefinition(c.Guid("floorlamp"), 2003, 220);
    d.basegraphic = kFirstDrawGroupId;
    d.numgraphics = 1;
    d.roomflags = kRoomLiving | kRoomBedroom;
    d.functionflags = kFunctionLighting;
    d.bodystringsid = kBodyStringsId;
    f.AddObject(kFirstObjectId, name, d);
    f.AddCatalog(2003, name, "floorlamp");
    f.AddStrings(kBodyStringsId, name + " - interactions", MakeStringTable({"Turn On", "Turn Off"}));
    f.AddBehavior(kSampleMainTree, name + " - main",
                  ReferencingTree(c.Guid("floorlamp"), c.Guid("armchair"), c.Guid("beanbag"), c.Guid("floorlamp")));
    const SampleModel lamp = MakeFloorLamp(c.rng);
    const SamplePalette palette(lamp.materials);
    SampleSprite sprite;
    f.AddPalette(kFirstSpriteId, name, palette);
    if (!f.AddSprite(kFirstSpriteId, name, lamp, palette, kFirstSpriteId, sprite)) return c.Fail(name);
    f.AddDrawGroup(kFirstDrawGroupId, Group(name, {{kFirstSpriteId, &sprite}}));
    f.Finish("GameData/UserObjects/FloorLamp.iff", "", "graphics (SPR2, PALT, DGRP) in its .spf companion", c.out);
    return true;
}

bool GrandfatherClock(Context& c) {
    FileBuilder f;
    const std::string name = "Grandfather Clock";
    ObjectDefinition d = MakeSampleDefinition(c.Guid("grandfatherclock"), 2004, 1200);
    d.version = 137;  // an older record: 160 bytes stored, upgraded on load
    d.basegraphic = kFirstDrawGroupId;
    d.numgraphics = 1;
    d.roomflags = kRoomLiving | kRoomMisc;
    d.functionflags = kFunctionDecorative;
    d.bodystringsid = 129;
    const ObjectDefinitionBytes bytes = SerializeObjectDefinition(d);
    f.AddRaw(kTypeOBJD, kFirstObjectId, name, std::vector<uint8_t>(bytes.begin(), bytes.begin() + 160), 0);
    f.AddRaw(kTypeCATS, 2004, name,
             MakeLegacyCatalogStrings(name, "An heirloom clock that chimes on the hour, every hour."), 0);
    f.AddRaw(kTypeTextStrings, 129, name + " - interactions",
             MakeLegacyTextStrings({"Wind", "Set Time", "Listen to Chime"}), 0);
    f.AddStrings(130, name + " - chimes",
                 MakeLengthPrefixedStrings({"Westminster", "Grandfather\xD5s Favourite", "Cuck\xA1\xA1!"}), 0);
    f.AddBehavior(kSampleMainTree, name + " - main",
                  ReferencingTree(c.Guid("grandfatherclock"), c.Guid("bookshelf"), c.Guid("counter"),
                                  c.Guid("grandfatherclock")));
    const SampleModel clock = MakeGrandfatherClock(c.rng);
    const SamplePalette palette(clock.materials);
    SampleSprite sprite;
    f.AddPalette(kFirstSpriteId, name, palette);
    if (!f.AddSprite(kFirstSpriteId, name, clock, palette, kFirstSpriteId, sprite)) return c.Fail(name);
    f.AddOldDrawGroup(kFirstDrawGroupId, Group(name, {{kFirstSpriteId, &sprite}}));
    f.Finish("ExpansionPack/GrandfatherClock.iff", "",
             "version 2.0 file: OBJD version 137, legacy CATS, text-form and length-prefixed string sets, "
             "draw group of the older layout",
             c.out, /*version20*/ true);
    return true;
}

bool Kitchen(Context& c) {
    FileBuilder f;
    ObjectDefinition counter = MakeSampleDefinition(c.Guid("counter"), 2010, 380);
    counter.basegraphic = kFirstDrawGroupId;
    counter.numgraphics = 1;
    counter.roomflags = kRoomKitchen;
    counter.functionflags = kFunctionSurfaces;
    ObjectDefinition stool = MakeSampleDefinition(c.Guid("stool"), 2011, 90);
    stool.basegraphic = kFirstDrawGroupId + 1;
    stool.numgraphics = 1;
    stool.roomflags = kRoomKitchen | kRoomDining;
    stool.functionflags = kFunctionSeating;
    f.AddObject(kFirstObjectId, "Kitchen Counter", counter);
    f.AddObject(kFirstObjectId + 1, "Bar Stool", stool);
    f.AddCatalog(2010, "Kitchen Counter", "counter");
    f.AddCatalog(2011, "Bar Stool", "stool");
    f.AddBehavior(kSampleMainTree, "Kitchen - main",
                  ReferencingTree(c.Guid("stool"), c.Guid("diningtable"), c.Guid("armchair"), c.Guid("counter")));
    const SampleModel counterModel = MakeCounter(c.rng), stoolModel = MakeStool(c.rng);
    const SamplePalette counterPalette(counterModel.materials), stoolPalette(stoolModel.materials);
    SampleSprite counterSprite, stoolSprite;
    f.AddPalette(256, "Kitchen Counter", counterPalette);
    f.AddPalette(257, "Bar Stool", stoolPalette);
    if (!f.AddSprite(256, "Kitchen Counter", counterModel, counterPalette, 256, counterSprite) ||
        !f.AddSprite(257, "Bar Stool", stoolModel, stoolPalette, 257, stoolSprite))
        return c.Fail("Kitchen");
    f.AddDrawGroup(kFirstDrawGroupId, Group("Kitchen Counter", {{256, &counterSprite}}));
    f.AddDrawGroup(kFirstDrawGroupId + 1, Group("Bar Stool", {{257, &stoolSprite}}));
    f.Finish("Kitchen.iff", kSampleArchivePath, "archive member with two objects", c.out);
    return true;
}

}  // namespace

bool BuildSampleBaseFiles(uint64_t seed, SampleGuids& guids, std::vector<SampleOutputFile>& out, std::string& error) {
    SampleRandom root(seed);
    SampleRandom guidRng = root.Fork(1);
    Context c{root.Fork(2), guids, 0, 0, out, {}};
    c.gameCookie = static_cast<uint16_t>(guidRng.Between(0x1000, 0x7FFF));
    c.downloadCookie = static_cast<uint16_t>(guidRng.Between(0x8000, 0xFFFE));
    for (const char* key : {"armchair", "diningtable", "diningtable.tile0", "diningtable.tile1", "diningtable.tile2",
                            "diningtable.tile3", "archeddoor", "floorlamp", "grandfatherclock", "bones", "bookshelf",
                            "counter", "stool", "pottedplant", "roundrug", "squarerug"})
        guids.Make(key, c.gameCookie, guidRng);
    for (const char* key : {"beanbag", "sunflower"}) guids.Make(key, c.downloadCookie, guidRng);
    for (const char* key : kSampleLoftBedKeys) guids.Make(key, c.gameCookie, guidRng);

    bool ok =
        Armchair(c) && DiningTable(c) && ArchedDoor(c) && FloorLamp(c) && GrandfatherClock(c) &&
        SimpleObjectFile(c, "beanbag", "Beanbag", MakeBeanbag(c.rng), 2005, 120, kRoomLiving | kRoomBedroom,
                         kFunctionSeating, "Downloads/Beanbag.IFF", "", "download with an upper-case .IFF extension") &&
        SimpleObjectFile(c, "sunflower", "Sunflower", MakeSunflower(c.rng), 2006, 45, kRoomOutside, kFunctionDecorative,
                         "Downloads/Garden/Sunflower.iff", "", "download in a subdirectory") &&
        BuildSampleSecondLayoutFile(root.Fork(3), guids, c.downloadCookie, out, c.error) &&
        SimpleObjectFile(c, "roundrug", "Round Rug", MakeRoundRug(c.rng), 2007, 150, kRoomLiving, kFunctionDecorative,
                         "GameData/UserObjects/Rug.iff", "", "same display name as ExpansionPack/rug.iff") &&
        SimpleObjectFile(c, "squarerug", "Square Rug", MakeSquareRug(c.rng), 2008, 180, kRoomLiving,
                         kFunctionDecorative, "ExpansionPack/rug.iff", "",
                         "same display name as GameData/UserObjects/Rug.iff") &&
        SimpleObjectFile(c, "bones", "Bones", MakeBones(c.rng), 2009, 0, 0, kFunctionGeneral,
                         "GameData/Objects/People/Bones.iff", "",
                         "internal object (.\\gamedata\\objects\\people\\bones): never listed", false) &&
        SimpleObjectFile(c, "bookshelf", "Bookshelf", MakeBookshelf(c.rng), 2012, 300, kRoomStudy | kRoomLiving,
                         kFunctionDecorative, "Bookshelf.iff", kSampleArchivePath, "archive member") &&
        Kitchen(c) &&
        SimpleObjectFile(c, "pottedplant", "Potted Plant", MakePottedPlant(c.rng), 2013, 60, kRoomMisc,
                         kFunctionDecorative, "Decor/Potted Plant.iff", kSampleArchivePath,
                         "archive member in a subdirectory of the archive") &&
        BuildSampleLoftBed(c.rng, c.guids, c.out, c.error);
    if (!ok) {
        error = c.error;
        return false;
    }
    SampleOutputFile readme;
    readme.path = "GameData/Objects/ReadMe.txt";
    const std::string text =
        "Sample installation of The Domizens, written by reshaper-cli sample-game.\r\n"
        "Object files end in .iff; this file is not one and is never listed.\r\n";
    readme.bytes.assign(text.begin(), text.end());
    readme.description = "not an object file: skipped by the catalogue";
    readme.listed = false;
    out.push_back(std::move(readme));
    return true;
}
