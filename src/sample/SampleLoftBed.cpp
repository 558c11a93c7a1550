// SampleLoftBed: the models of the two storeys, the lead and its four tiles, and the file that holds them.
#include "sample/SampleLoftBed.h"

#include <algorithm>
#include <array>

#include "objects/definitions/ObjectDefinition.h"
#include "sample/SampleBehaviors.h"
#include "sample/SampleIFFImage.h"
#include "sample/SampleSprite.h"
#include "sample/SampleStrings.h"

namespace {

constexpr ResID kLeadId = 128;
constexpr ResID kFirstSpriteId = 256;
constexpr ResID kFirstDrawGroupId = 100;
constexpr int16_t kCatalogId = 2014;
constexpr int16_t kMaster = 0x0202;
constexpr int16_t kRoomBedroom = 0x02, kRoomStudy = 0x80;
constexpr int16_t kFunctionSurfaces = 0x02;

// One storey is as high as the compositor lifts a tile per level: 50 pixels at the large zoom, 80 pixels a unit.
constexpr float kStorey = 50.0f / 80.0f;

std::vector<SampleMaterial> Materials(SampleRandom& rng) {
    auto vary = [&](SampleMaterial m, int amount) {
        auto c = [&](uint8_t v) { return static_cast<uint8_t>(std::clamp(v + rng.Between(-amount, amount), 0, 255)); };
        return SampleMaterial{c(m.red), c(m.green), c(m.blue)};
    };
    return {vary({120, 80, 48}, 12),    // 0 frame wood
            vary({200, 196, 188}, 8),   // 1 desk top
            vary({60, 110, 170}, 20),   // 2 blanket
            vary({236, 232, 220}, 8),   // 3 pillow
            vary({60, 60, 66}, 6),      // 4 desk lamp
            {20, 16, 28}};              // 5 shadow
}

// The lower storey, the whole length (u from -0.5 to 1.5): four posts up to the storey's height and a desk with a
// lamp.
SampleModel LowerStorey(const std::vector<SampleMaterial>& materials) {
    SampleModel m;
    m.materials = materials;
    m.Shadow(-0.5f, -0.45f, 1.5f, 0.45f, 5);
    for (float u : {-0.42f, 1.36f})
        for (float v : {-0.40f, 0.34f}) m.Box(u, v, 0.0f, u + 0.06f, v + 0.06f, kStorey, 0);
    // The desk stands on the second tile only: nothing of the lower storey lies under the seam of the bed's two
    // tiles, where a pixel of it would show between them.
    m.Box(0.58f, -0.36f, 0.44f, 1.30f, 0.10f, 0.50f, 1);     // desk top
    m.Box(0.60f, -0.34f, 0.0f, 0.66f, 0.08f, 0.44f, 0);       // its legs
    m.Box(1.22f, -0.34f, 0.0f, 1.28f, 0.08f, 0.44f, 0);
    // A desk lamp that stays under the bed: the compositor gives each storey the depth of its own floor, so
    // what rose above the platform would show through it.
    m.Cylinder(0.85f, -0.15f, 0.05f, 0.50f, 0.51f, 4);
    m.Cylinder(0.85f, -0.15f, 0.01f, 0.51f, 0.56f, 4);
    m.Cylinder(0.85f, -0.15f, 0.06f, 0.54f, 0.60f, 3);
    return m;
}

// The upper storey, standing on its own floor: the bed's platform, mattress, pillow and a rail along one side.
SampleModel UpperStorey(const std::vector<SampleMaterial>& materials) {
    SampleModel m;
    m.materials = materials;
    m.Box(-0.45f, -0.42f, 0.0f, 1.45f, 0.42f, 0.08f, 0);      // platform
    m.Box(-0.40f, -0.38f, 0.08f, 1.40f, 0.38f, 0.22f, 2);     // mattress under the blanket
    m.Ellipsoid(-0.38f, -0.30f, 0.20f, -0.05f, 0.30f, 0.34f, 3);  // pillow
    for (float u : {-0.42f, 1.36f}) m.Box(u, 0.34f, 0.08f, u + 0.06f, 0.40f, 0.45f, 0);  // rail posts
    m.Box(-0.42f, 0.34f, 0.40f, 1.42f, 0.40f, 0.45f, 0);      // rail
    return m;
}

// The catalogue texts, in the game's 8-bit form: "–", "’" and "™" are single bytes, lines end in CR LF.
std::vector<SampleText> Texts() {
    return {{0, "Loft Bed", "Sleep up high, work below \x96 it\x92s two storeys in one.\r\nThe Loft Bed\x99."},
            {1, "Loft Bed", "Sleep up high, work below \x96 it\x92s two storeys in one.\r\nThe Loft Bed\x99."},
            {2, "Lit mezzanine", "Dormez en haut, travaillez en bas.\r\nUn lit \xE0 \xE9tage, bureau compris."},
            {3, "Hochbett", "Oben schlafen, unten arbeiten.\r\nZwei Stockwerke in einem M\xF6" "bel."}};
}

}  // namespace

bool BuildSampleLoftBed(SampleRandom& rng, const SampleGuids& guids, std::vector<SampleOutputFile>& out,
                        std::string& error) {
    const std::string name = "Loft Bed";
    SampleIFFImage iff;
    ObjectDefinition lead = MakeSampleDefinition(guids.Get("loftbed"), kCatalogId, 700);
    lead.masterid = kMaster;
    lead.subindex = -1;
    lead.roomflags = kRoomBedroom | kRoomStudy;
    lead.functionflags = kFunctionSurfaces;
    lead.ratingenergy = 5;
    const ObjectDefinitionBytes leadBytes = SerializeObjectDefinition(lead);
    iff.Add(kTypeOBJD, kLeadId, name, std::vector<uint8_t>(leadBytes.begin(), leadBytes.end()));
    std::vector<std::string> objects = {name};
    iff.Add(kTypeCTSS, kCatalogId, name, MakeCatalogStringSet(Texts()));
    iff.Add(kTypeBHAV, kSampleMainTree, name + " - main",
            MakeBehavior({MakePlainInstruction(kSampleOpExpression, {0, 0, 1, 0, 5, 7, 0, 0})}));

    const std::vector<SampleMaterial> materials = Materials(rng);
    const SamplePalette palette(materials);
    iff.Add(kTypePALT, kFirstSpriteId, name, palette.MakePALT());
    // Tiles (h, level): the desk storey first, then the bed storey above it.
    const std::array<std::pair<int, int>, 4> tiles = {{{0, 0}, {1, 0}, {0, 1}, {1, 1}}};
    for (size_t k = 0; k < tiles.size(); ++k) {
        const auto [h, level] = tiles[k];
        const std::string tileName =
            name + " - " + (level == 0 ? "desk" : "bed") + " tile " + std::to_string(h) + ",0";
        ObjectDefinition tile = MakeSampleDefinition(guids.Get(kSampleLoftBedKeys[k + 1]), kCatalogId, 0);
        tile.masterid = kMaster;
        tile.subindex = static_cast<int16_t>(h << 8);
        tile.leveloffset = static_cast<int16_t>(level);
        tile.basegraphic = static_cast<int16_t>(kFirstDrawGroupId + k);
        tile.numgraphics = 1;
        tile.maintreeid = 0;
        const ObjectDefinitionBytes tileBytes = SerializeObjectDefinition(tile);
        iff.Add(kTypeOBJD, static_cast<ResID>(kLeadId + 1 + k), tileName,
                std::vector<uint8_t>(tileBytes.begin(), tileBytes.end()));
        objects.push_back(tileName);

        SampleModel model = level == 0 ? LowerStorey(materials) : UpperStorey(materials);
        model.tileU = static_cast<float>(h);
        model.clipToTile = true;
        SampleSprite sprite;
        const auto spriteId = static_cast<ResID>(kFirstSpriteId + k);
        if (!BuildSampleSprite(model, palette, kFirstSpriteId, sprite)) {
            error = "could not draw the sprites of " + tileName;
            return false;
        }
        iff.Add(kTypeSPR2, spriteId, tileName, sprite.data, 0);
        const DrawGroup group = MakeSampleDrawGroup(tileName, {{spriteId, &sprite}});
        iff.Add(kTypeDGRP, static_cast<ResID>(kFirstDrawGroupId + k), group.GetName(), group.Serialize());
    }

    SampleOutputFile f;
    f.path = "GameData/Objects/Loft Bed.iff";
    f.bytes = iff.Build25();
    f.objects = objects;
    f.description = "two-storey object: two tiles on each storey (level offsets 0 and 1), 8-bit catalogue texts";
    out.push_back(std::move(f));
    return true;
}
