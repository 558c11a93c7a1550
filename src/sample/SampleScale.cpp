// SampleScale: many small generated object files built from a few cached pictures.
#include "sample/SampleScale.h"

#include <array>
#include <cstdio>
#include <memory>

#include "objects/definitions/ObjectDefinition.h"
#include "sample/SampleArt.h"
#include "sample/SampleBehaviors.h"
#include "sample/SampleIFFImage.h"
#include "sample/SampleSprite.h"
#include "sample/SampleStrings.h"

namespace {

constexpr int kVariantCount = 10;
constexpr ResID kObjectId = 128;
constexpr ResID kSpriteId = 256;
constexpr ResID kDrawGroupId = 100;
constexpr int16_t kFirstCatalogId = 3000;

struct KindNames {
    const char* us;
    const char* french;
    const char* german;
    const char* italian;
    const char* spanish;
};
constexpr std::array<KindNames, kGeneratedVariantKinds> kKinds = {{
    {"Crate", "Caisse", "Kiste", "Cassa", "Caja"},
    {"Vase", "Vase", "Vase", "Vaso", "Jarron"},
    {"Barrel", "Tonneau", "Fass", "Botte", "Barril"},
    {"Cube Stack", "Pile de cubes", "Wuerfelstapel", "Pila di cubi", "Pila de cubos"},
    {"Side Table", "Gueridon", "Beistelltisch", "Tavolino", "Mesita"},
}};

struct Variant {
    SampleSprite sprite;
    std::vector<uint8_t> palette;
    DrawGroup group;
};

std::string Number(int32_t n) {
    char text[16];
    std::snprintf(text, sizeof text, "%05d", n);
    return text;
}

std::vector<SampleText> GeneratedTexts(const KindNames& kind, int32_t n) {
    const std::string num = std::to_string(n);
    return {{0, std::string(kind.us) + " No. " + num, std::string("Generated object number ") + num + "."},
            {1, std::string(kind.us) + " No. " + num, std::string("Generated object number ") + num + "."},
            {2, std::string(kind.french) + " n. " + num, "Objet genere numero " + num + "."},
            {3, std::string(kind.german) + " Nr. " + num, "Erzeugtes Objekt Nummer " + num + "."},
            {4, std::string(kind.italian) + " n. " + num, "Oggetto generato numero " + num + "."},
            {5, std::string(kind.spanish) + " n. " + num, "Objeto generado numero " + num + "."}};
}

}  // namespace

bool BuildSampleScaleFiles(uint64_t seed, int32_t count, SampleGuids& guids,
                           const std::function<bool(SampleOutputFile&&)>& sink, std::string& error) {
    SampleRandom root(seed);
    SampleRandom guidRng = root.Fork(3);
    SampleRandom artRng = root.Fork(4);
    const auto cookie = static_cast<uint16_t>(guidRng.Between(0x8000, 0xFFFE));
    std::array<std::unique_ptr<Variant>, kVariantCount> variants;
    uint32_t previous = guids.Get("armchair");

    for (int32_t i = 0; i < count; ++i) {
        const int v = static_cast<int>(i % kVariantCount);
        const KindNames& kind = kKinds[static_cast<size_t>(v % kGeneratedVariantKinds)];
        if (!variants[static_cast<size_t>(v)]) {
            auto made = std::make_unique<Variant>();
            SampleRandom rng = artRng.Fork(static_cast<uint64_t>(v) + 1);
            const SampleModel model = MakeGeneratedObject(v, rng);
            const SamplePalette palette(model.materials);
            if (!BuildSampleSprite(model, palette, kSpriteId, made->sprite)) {
                error = std::string("could not draw the sprite of the generated ") + kind.us;
                return false;
            }
            made->palette = palette.MakePALT();
            made->group = MakeSampleDrawGroup(kind.us, {{kSpriteId, &made->sprite}});
            variants[static_cast<size_t>(v)] = std::move(made);
        }
        const Variant& art = *variants[static_cast<size_t>(v)];

        const std::string number = Number(i);
        const std::string name = std::string(kind.us) + " " + number;
        const uint32_t guid = guids.Make("generated." + number, cookie, guidRng);
        const auto catalogId = static_cast<int16_t>(kFirstCatalogId + i % 1000);
        SampleIFFImage image;
        ObjectDefinition d = MakeSampleDefinition(guid, catalogId, static_cast<int16_t>(20 + (i * 37) % 900));
        d.basegraphic = kDrawGroupId;
        d.numgraphics = 1;
        d.roomflags = static_cast<int16_t>(1 << (i % 8));
        d.functionflags = static_cast<int16_t>(1 << ((i / 8) % 8));
        const ObjectDefinitionBytes bytes = SerializeObjectDefinition(d);
        SampleOutputFile file;
        image.Add(kTypeOBJD, kObjectId, name, std::vector<uint8_t>(bytes.begin(), bytes.end()));
        file.objects.push_back(name);
        if (i % 7 == 0) {
            // A second object in the same file, drawn by the same draw group.
            const std::string second = name + " (spare)";
            ObjectDefinition s = d;
            s.guid = static_cast<int32_t>(guids.Make("generated." + number + ".spare", cookie, guidRng));
            s.originalguid = s.guid;
            const ObjectDefinitionBytes sb = SerializeObjectDefinition(s);
            image.Add(kTypeOBJD, kObjectId + 1, second, std::vector<uint8_t>(sb.begin(), sb.end()));
            file.objects.push_back(second);
        }
        image.Add(kTypeCTSS, catalogId, name, MakeCatalogStringSet(GeneratedTexts(kind, i)));
        image.Add(kTypeBHAV, kSampleMainTree, name + " - main",
                  MakeBehavior({MakeGuidInstruction(kSampleOpTestObjectType, guid),
                                MakeGuidInstruction(kSampleOpSetToNext, previous, true, 4),
                                MakeGuidInstruction(kSampleOpCreateObject, guids.Get("stool"))}));
        image.Add(kTypeDGRP, kDrawGroupId, art.group.GetName(), art.group.Serialize());
        image.Add(kTypeSPR2, kSpriteId, kind.us, art.sprite.data, 0);
        image.Add(kTypePALT, kSpriteId, kind.us, art.palette);
        previous = guid;

        const int32_t directory = i / kSampleFilesPerDirectory;
        if (i % 4 == 3) {
            char archive[64];
            std::snprintf(archive, sizeof archive, "ExpansionPack/Packs/Pack%03d.far", (i / 4) / kSampleMembersPerPack);
            file.archive = archive;
            char member[64];
            std::snprintf(member, sizeof member, "Set%02d/Gen%s.iff", directory, number.c_str());
            file.path = member;
            file.description = "generated archive member";
        } else {
            char path[64];
            std::snprintf(path, sizeof path, "Downloads/Generated/Set%02d/Gen%s.iff", directory, number.c_str());
            file.path = path;
            file.description = "generated file";
        }
        file.bytes = image.Build25();
        if (file.bytes.empty()) {
            error = "could not lay out generated file " + file.path;
            return false;
        }
        if (!sink(std::move(file))) return false;
    }
    return true;
}
