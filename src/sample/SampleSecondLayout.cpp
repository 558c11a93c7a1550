// SampleSecondLayout: the ottoman stored in the 1001 sprite layout and its twin stored as 1000.
#include "sample/SampleSecondLayout.h"

#include <tuple>

#include "objects/definitions/ObjectDefinition.h"
#include "objects/sprites/Spr2Resource.h"
#include "objects/sprites/SpriteFormat.h"
#include "platform/ByteWriter.h"
#include "sample/SampleIFFImage.h"
#include "sample/SamplePalette.h"
#include "sample/SampleSprite.h"
#include "sample/SampleStrings.h"

namespace {

constexpr ResID kPaletteId = 256;
constexpr ResID kSequentialSpriteId = 256;
constexpr ResID kTwinSpriteId = 257;
constexpr ResID kFirstDrawGroupId = 100;
constexpr int16_t kCatalogId = 2020;
constexpr int16_t kTwinCatalogId = 2021;
constexpr int16_t kRoomLiving = 0x08;
constexpr int16_t kFunctionSeating = 0x01;

// A round padded footstool on four short feet.
SampleModel MakeOttoman(SampleRandom& rng) {
    SampleModel m;
    const auto plum = static_cast<uint8_t>(rng.Between(130, 170));
    const auto blue = static_cast<uint8_t>(rng.Between(90, 120));
    m.materials = {SampleMaterial{plum, 64, blue}, SampleMaterial{70, 48, 34}};
    m.Cylinder(0, 0, 0.30f, 0.07f, 0.34f, 0);
    m.Ellipsoid(-0.30f, -0.30f, 0.24f, 0.30f, 0.30f, 0.44f, 0);
    for (float u : {-0.2f, 0.2f})
        for (float v : {-0.2f, 0.2f}) m.Cylinder(u, v, 0.03f, 0.0f, 0.08f, 1);
    return m;
}

void AddObject(SampleIFFImage& iff, ResID id, const std::string& name, const ObjectDefinition& def,
               const std::string& description) {
    const ObjectDefinitionBytes bytes = SerializeObjectDefinition(def);
    iff.Add(kTypeOBJD, id, name, std::vector<uint8_t>(bytes.begin(), bytes.end()));
    iff.Add(kTypeCTSS, def.catalogid, name, MakeCatalogStringSet({SampleText{0, name, description}}));
}

}  // namespace

std::vector<uint8_t> ToSequentialSpr2(const std::vector<uint8_t>& tableLayout) {
    const ByteReader data(tableLayout.data(), tableLayout.size());
    Spr2Header header;
    if (!ReadSpr2Header(data, header) || header.sequential || header.frameCount != header.storedFrameCount)
        return {};
    std::vector<uint8_t> out;
    ByteWriter(out).WriteInt32LE(kSpr2SequentialVersion);
    ByteWriter(out).WriteInt32LE(header.paletteId);
    ByteWriter(out).WriteInt32LE(header.frameCount);
    // A frame ends where the next one starts; the last one at the end of the data.
    size_t end = tableLayout.size();
    std::vector<std::pair<size_t, size_t>> frames(static_cast<size_t>(header.frameCount));
    for (int32_t i = header.frameCount - 1; i >= 0; --i) {
        ByteReader bytes;
        if (!GetSpr2FrameBytes(data, i, bytes)) return {};
        const size_t start = tableLayout.size() - bytes.GetSize();
        if (start > end) return {};
        frames[static_cast<size_t>(i)] = {start, end - start};
        end = start;
    }
    for (const auto& [start, size] : frames) {
        ByteWriter(out).WriteInt32LE(kSpr2SequentialVersion);
        ByteWriter(out).WriteInt32LE(static_cast<int32_t>(size));
        out.insert(out.end(), tableLayout.begin() + static_cast<std::ptrdiff_t>(start),
                   tableLayout.begin() + static_cast<std::ptrdiff_t>(start + size));
    }
    return out;
}

bool BuildSampleSecondLayoutFile(SampleRandom rng, SampleGuids& guids, uint16_t cookie,
                                 std::vector<SampleOutputFile>& out, std::string& error) {
    const std::string name = "Ottoman", twinName = "Ottoman Twin";
    const SampleModel model = MakeOttoman(rng);
    const SamplePalette palette(model.materials);
    SampleSprite sprite;
    std::vector<uint8_t> sequential;
    if (BuildSampleSprite(model, palette, kPaletteId, sprite)) sequential = ToSequentialSpr2(sprite.data);
    if (sequential.empty()) {
        error = "could not draw the sprites of " + name;
        return false;
    }

    SampleIFFImage iff;
    ObjectDefinition def = MakeSampleDefinition(guids.Make("ottoman", cookie, rng), kCatalogId, 140);
    def.basegraphic = kFirstDrawGroupId;
    def.numgraphics = 1;
    def.roomflags = kRoomLiving;
    def.functionflags = kFunctionSeating;
    AddObject(iff, kSampleSecondLayoutObject, name, def, "A padded footstool, its sprites stored as 1001.");
    ObjectDefinition twin = MakeSampleDefinition(guids.Make("ottoman.twin", cookie, rng), kTwinCatalogId, 140);
    twin.basegraphic = kFirstDrawGroupId + 1;
    twin.numgraphics = 1;
    twin.roomflags = kRoomLiving;
    twin.functionflags = kFunctionSeating;
    AddObject(iff, kSampleSecondLayoutTwin, twinName, twin, "The same footstool, its sprites stored as 1000.");

    iff.Add(kTypePALT, kPaletteId, name, palette.MakePALT());
    // Sprite data is stored unconverted, as the community tools and the import store it.
    iff.Add(kTypeSPR2, kSequentialSpriteId, name, sequential, 0);
    iff.Add(kTypeSPR2, kTwinSpriteId, twinName, sprite.data, 0);
    for (const auto& [id, spriteId, groupName] :
         {std::tuple{kFirstDrawGroupId, kSequentialSpriteId, name},
          std::tuple{static_cast<ResID>(kFirstDrawGroupId + 1), kTwinSpriteId, twinName}}) {
        const DrawGroup group = MakeSampleDrawGroup(groupName, {{spriteId, &sprite}});
        iff.Add(kTypeDGRP, id, group.GetName(), group.Serialize());
    }

    SampleOutputFile f;
    f.path = kSampleSecondLayoutPath;
    f.bytes = iff.Build25();
    if (f.bytes.empty()) {
        error = "could not lay out " + f.path;
        return false;
    }
    f.objects = {name, twinName};
    f.description = "download from a community tool: SPR2 sprites in the 1001 layout, and a twin stored as 1000";
    out.push_back(std::move(f));
    return true;
}
