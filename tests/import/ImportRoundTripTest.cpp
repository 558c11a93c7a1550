// Round trips over the sample installation: every object file exported with every preset, imported into a clone
// of itself and exported again gives the same definitions, draw groups and names; with all channels the depth
// and alpha files are identical and every colour pixel keeps its colour. Then a document edited as a user would
// (a frame repainted as 24-bit, another saved as RLE8, an item moved) shows its changes in a rendered view.
#include <gtest/gtest.h>

#include <dirent.h>

#include <fstream>
#include <sstream>

#include "app/AppSettings.h"
#include "app/ObjectCatalog.h"
#include "clone/CloneIntoCatalog.h"
#include "export/ExportWhizzerModel.h"
#include "export/ObjectExporter.h"
#include "export/Rle8Encoder.h"
#include "import/ChannelPictureReader.h"
#include "import/ObjectImporter.h"
#include "objects/drawing/Compositor.h"
#include "objects/drawing/DrawGroup.h"
#include "platform/Bitmap24.h"
#include "platform/BmpWriter.h"
#include "resfile/StdResFile.h"
#include "support/RecordingHosts.h"
#include "support/SampleInstallationSuite.h"
#include "support/TempDir.h"

using namespace reshaper_test;

namespace {

struct Preset {
    const char* name;
    int id;
    bool justChangeColors;
};
constexpr Preset kPresets[] = {{"one-zoom-one-channel", kWhizPresetOneZoomOneChannel, false},
                               {"all-zooms-one-channel", kWhizPresetAllZoomsOneChannel, false},
                               {"one-zoom-all-channels", kWhizPresetOneZoomAllChannels, false},
                               {"all-zooms-all-channels", kWhizPresetAllZoomsAllChannels, false},
                               {"all-zooms-just-colours", kWhizPresetAllZoomsOneChannel, true}};

std::string ReadText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// The document without the values an import may change: the file's path, the step count, palette ids and
// transparent indices. Without `withSprites` the sprites section is reduced to the sprites' names.
std::string Comparable(const std::string& text, bool withSprites) {
    std::istringstream in(text);
    std::string line, out;
    bool inSprites = false;
    while (std::getline(in, line)) {
        const size_t at = line.find_first_not_of(' ');
        const std::string rest = at == std::string::npos ? "" : line.substr(at);
        if (rest.rfind("<sprites>", 0) == 0) inSprites = true;
        for (const char* skip : {"objectfilename=", "thingstodo=", "defaultpaletteid=", "paletteid=",
                                 "transparentpixel="})
            if (rest.rfind(skip, 0) == 0) goto next;
        if (inSprites && !withSprites && rest.rfind("name=", 0) != 0) goto next;
        out += line + "\n";
    next:;
    }
    return out;
}

// Every channel file the document names.
std::vector<std::string> ChannelFiles(const std::string& text) {
    std::vector<std::string> out;
    size_t at = 0;
    while ((at = text.find(" filename=\"", at)) != std::string::npos) {
        ++at;
        at += 10;
        out.push_back(text.substr(at, text.find('"', at) - at));
    }
    return out;
}

std::string HostName(const std::string& dir, std::string file) {
    for (char& c : file)
        if (c == '\\') c = '/';
    return dir + "/" + file;
}

class ImportRoundTrip : public SampleInstallationSuite {
protected:
    void SetUp() override {
        SampleInstallationSuite::SetUp();
        prompts_.defaultAnswer = true;  // the clone's name differs from the document's file
    }

    ExportOptions OptionsFor(const Preset& preset, const ObjectFile& file) {
        ExportWhizzerModel model;
        if (!preset.justChangeColors) model.Click(kWhizJustChangeColors);
        model.Click(preset.id);
        model.SetChecked(kWhizCompress, (counter_ % 2) == 0);
        model.SetObjectFilePath(file.path);
        return model.BuildOptions();
    }
    ObjectFile* Clone(ObjectFile& source) {
        CloneSettings settings;
        settings.nameText = "roundtrip" + std::to_string(counter_);
        settings.cookie = 0x4242;
        settings.selectedRoots.assign(source.roots.size(), true);
        CloneOutcome outcome = RunClone(catalog_, source, settings);
        EXPECT_TRUE(outcome.ok) << outcome.error;
        return outcome.ok ? outcome.file : nullptr;
    }

    int counter_ = 0;
};

TEST_F(ImportRoundTrip, EveryFileAndPresetSurvivesExportImportExport) {
    std::vector<ObjectFile*> sources;
    for (const auto& f : catalog_.Files())
        if (!f->roots.empty()) sources.push_back(f.get());
    ASSERT_GE(sources.size(), 12u);
    int comparedPixels = 0;
    for (ObjectFile* source : sources) {
        for (const Preset& preset : kPresets) {
            SCOPED_TRACE(source->path + " " + preset.name);
            ++counter_;
            const ExportOptions options = OptionsFor(preset, *source);
            const std::string first = dir_->Join("a" + std::to_string(counter_));
            const std::string second = dir_->Join("b" + std::to_string(counter_));
            ASSERT_TRUE(MakeDirectories(first) && MakeDirectories(second));
            {
                ObjectExporter exporter(*source);
                ASSERT_TRUE(exporter.ExportTo(first + "/doc.xml", options));
            }
            ObjectFile* clone = Clone(*source);
            ASSERT_NE(clone, nullptr);
            prompts_.calls.clear();
            ASSERT_EQ(ImportObjectDocument(*clone, first + "/doc.xml"), kImportOk)
                << progress_.TextInColour(255, 0, 0);
            {
                ObjectExporter exporter(*clone);
                ExportOptions again = options;
                again.objectfilename.clear();
                ASSERT_TRUE(exporter.ExportTo(second + "/doc.xml", again));
            }
            const std::string a = ReadText(first + "/doc.xml");
            const std::string b = ReadText(second + "/doc.xml");
            const bool allChannels = options.exportz && options.exporta;
            const bool keptShapes = allChannels || options.justchangecolors;
            EXPECT_EQ(Comparable(a, keptShapes), Comparable(b, keptShapes));
            if (!keptShapes) continue;
            for (const std::string& name : ChannelFiles(a)) {
                ChannelPicture before, after;
                ASSERT_TRUE(ReadChannelPicture(HostName(first, name), before)) << name;
                ASSERT_TRUE(ReadChannelPicture(HostName(second, name), after)) << name;
                ASSERT_EQ(before.width, after.width);
                ASSERT_EQ(before.height, after.height);
                const bool colour = name.size() > 6 && name.substr(name.size() - 6) == "_p.bmp";
                for (int32_t r = 0; r < before.height; ++r)
                    for (int32_t c = 0; c < before.width; ++c) {
                        const uint8_t i = before.GetRow(r)[c], j = after.GetRow(r)[c];
                        if (colour) {
                            const PaletteColor &x = before.palette[i], &y = after.palette[j];
                            ASSERT_TRUE(x.red == y.red && x.green == y.green && x.blue == y.blue)
                                << name << " at " << r << "," << c;
                        } else {
                            ASSERT_EQ(i, j) << name << " at " << r << "," << c;
                        }
                        ++comparedPixels;
                    }
            }
        }
    }
    EXPECT_GT(comparedPixels, 100000);
}

// The bytes of an RLE8 BMP file of the image's indices and palette, as a paint program saves one.
std::vector<uint8_t> EncodeRle8Bmp(const ChannelPicture& image, const PaletteColor palette[256]) {
    std::vector<uint8_t> rows(image.pixels.size());
    for (int32_t r = 0; r < image.height; ++r)  // bottom row first
        std::copy_n(image.GetRow(image.height - 1 - r), image.width, rows.data() + static_cast<size_t>(r) * image.width);
    std::vector<uint8_t> data;
    EncodeRle8(rows.data(), image.width, image.width, image.height, data);
    std::vector<uint8_t> out;
    auto put16 = [&](uint32_t v) { out.push_back(v & 0xFF); out.push_back((v >> 8) & 0xFF); };
    auto put32 = [&](uint32_t v) { put16(v & 0xFFFF); put16(v >> 16); };
    const uint32_t offset = 14 + 40 + 1024;
    out.push_back('B');
    out.push_back('M');
    put32(offset + static_cast<uint32_t>(data.size()));
    put32(0);
    put32(offset);
    put32(40);
    put32(static_cast<uint32_t>(image.width));
    put32(static_cast<uint32_t>(image.height));
    put16(1);
    put16(8);
    put32(1);  // RLE8
    put32(static_cast<uint32_t>(data.size()));
    put32(2835);
    put32(2835);
    put32(256);
    put32(0);
    for (int i = 0; i < 256; ++i) {
        out.push_back(palette[i].blue);
        out.push_back(palette[i].green);
        out.push_back(palette[i].red);
        out.push_back(0);
    }
    out.insert(out.end(), data.begin(), data.end());
    return out;
}

bool IsYellow(const PaletteColor& c) { return c.red == 255 && c.green == 255 && c.blue == 0; }

// How many pixels of the picture have exactly this colour.
int CountColour(const Bitmap24& picture, uint8_t red, uint8_t green, uint8_t blue) {
    int n = 0;
    for (int32_t r = 0; r < picture.GetHeight(); ++r)
        for (int32_t c = 0; c < picture.GetWidth(); ++c) {
            const uint8_t* p = picture.GetRow(r) + 3 * c;
            n += (p[0] == blue && p[1] == green && p[2] == red) ? 1 : 0;
        }
    return n;
}

TEST_F(ImportRoundTrip, UserEditedDocumentShowsItsChangesInTheRenderedView) {
    // A single-tile object whose first draw group shows sprites.
    ObjectFile* source = nullptr;
    for (const auto& f : catalog_.Files())
        if (f->IsEditable() && !f->roots.empty() && f->roots[0]->tiles.empty() && f->roots[0]->definition.basegraphic > 0)
            source = f.get();
    ASSERT_NE(source, nullptr);
    Preset preset{"all", kWhizPresetAllZoomsAllChannels, false};
    ExportOptions options = OptionsFor(preset, *source);
    options.compressbitmaps = 0;
    options.createsubdirectories = 1;
    const std::string out = dir_->Join("edited");
    ASSERT_TRUE(MakeDirectories(out));
    {
        ObjectExporter exporter(*source);
        ASSERT_TRUE(exporter.ExportTo(out + "/doc.xml", options));
    }
    std::string text = ReadText(out + "/doc.xml");
    std::vector<std::string> colourFiles;
    for (const std::string& name : ChannelFiles(text))
        if (name.substr(name.size() - 6) == "_p.bmp") colourFiles.push_back(name);
    ASSERT_GE(colourFiles.size(), 2u);

    // The first colour file repainted green and saved as 24-bit; the second repainted red through its colour
    // table and saved as RLE8.
    ChannelPicture first, second;
    ASSERT_TRUE(ReadChannelPicture(HostName(out, colourFiles[0]), first));
    ASSERT_TRUE(ReadChannelPicture(HostName(out, colourFiles[1]), second));
    auto painted = Bitmap24::Create(first.width, first.height);
    for (int32_t r = 0; r < first.height; ++r)
        for (int32_t c = 0; c < first.width; ++c) {
            const PaletteColor& was = first.palette[first.GetRow(r)[c]];
            uint8_t* p = painted->GetRow(r) + 3 * c;
            p[0] = IsYellow(was) ? 0 : 0;
            p[1] = IsYellow(was) ? 255 : 200;
            p[2] = IsYellow(was) ? 255 : 0;
        }
    ASSERT_TRUE(WriteBmp(HostName(out, colourFiles[0]), *painted));
    PaletteColor red[256];
    for (int i = 0; i < 256; ++i) red[i] = IsYellow(second.palette[i]) ? second.palette[i] : PaletteColor{200, 0, 0, 0};
    ASSERT_TRUE(WriteFileBytes(HostName(out, colourFiles[1]), EncodeRle8Bmp(second, red)));

    // The first item of the document moves 7 pixels right.
    const size_t item = text.find("pixelx=\"");
    ASSERT_NE(item, std::string::npos);
    const size_t valueAt = item + 8;
    const int oldX = std::stoi(text.substr(valueAt));
    text.replace(valueAt, text.find('"', valueAt) - valueAt, std::to_string(oldX + 7));
    ASSERT_TRUE(WriteFileText(out + "/doc.xml", text));

    ObjectFile* clone = Clone(*source);
    ASSERT_NE(clone, nullptr);
    ASSERT_EQ(ImportObjectDocument(*clone, out + "/doc.xml"), kImportOk) << progress_.TextInColour(255, 0, 0);

    // The moved item is stored moved; the views show green and red where the source shows neither.
    bool moved = false;
    for (const DrawGroupEntry& g : clone->drawGroups) {
        DrawGroup group;
        if (group.Load(*clone->file, g.id) != kNoErr) continue;
        for (int32_t j = 0; j < group.CountItemLists() && !moved; ++j)
            for (int32_t k = 0; k < group.GetItemList(j)->CountItems(); ++k)
                if (group.GetItem(j, k)->pixelx == oldX + 7) moved = true;
    }
    EXPECT_TRUE(moved);
    ObjectEntry* before = source->roots[0];
    ObjectEntry* after = nullptr;
    for (ObjectEntry* root : clone->roots)
        if (root->id == before->id) after = root;
    ASSERT_NE(after, nullptr);
    int greenBefore = 0, greenAfter = 0, redBefore = 0, redAfter = 0, changedViews = 0;
    for (int32_t view = 0; view < kViewCount; ++view) {
        auto a = ComposeObject(*source->file, *before, view, RgbColor{0, 0, 0});
        auto b = ComposeObject(*clone->file, *after, view, RgbColor{0, 0, 0});
        ASSERT_TRUE(a && b);
        greenBefore += CountColour(*a, 0, 200, 0);
        greenAfter += CountColour(*b, 0, 200, 0);
        redBefore += CountColour(*a, 200, 0, 0);
        redAfter += CountColour(*b, 200, 0, 0);
        const bool same = a->GetWidth() == b->GetWidth() && a->GetHeight() == b->GetHeight() &&
                          std::equal(a->GetBits(), a->GetBits() + a->GetBitsSize(), b->GetBits());
        changedViews += same ? 0 : 1;
    }
    EXPECT_EQ(greenBefore, 0);
    EXPECT_EQ(redBefore, 0);
    EXPECT_GT(greenAfter, 50);
    EXPECT_GT(redAfter, 50);
    EXPECT_GE(changedViews, 2);
}

}  // namespace
