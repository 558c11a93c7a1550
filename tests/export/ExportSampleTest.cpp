// Exporting every object file of the sample installation with every preset: documents well-formed and laid out
// line by line as written, attribute orders, file names, proxies, multi-tile marks, progress range, and every
// channel file opened by PIL with the size its frame element gives.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <sstream>

#include "ExportTestSupport.h"
#include "app/AppSettings.h"
#include "app/ObjectCatalog.h"
#include "export/ExportWhizzerModel.h"
#include "export/ObjectExporter.h"
#include "objects/definitions/ObjectDefinitionFields.h"
#include "support/RecordingHosts.h"
#include "support/SampleInstallationSuite.h"

using namespace export_test;
using namespace reshaper_test;

namespace {

const std::map<std::string, int> kIndent = {{"objectsexportedfromthedomizens", 0},
                                            {"objectdefinitions", 4},
                                            {"drawgroups", 4},
                                            {"bitmaps", 4},
                                            {"sprites", 4},
                                            {"objectdefinition", 8},
                                            {"drawgroup", 8},
                                            {"sprite", 8},
                                            {"drawgroupitemlist", 12},
                                            {"bitmap", 12},
                                            {"spriteframe", 12},
                                            {"drawgroupitem", 16},
                                            {"spritechannel", 16}};

int Blanks(const std::string& line) {
    int n = 0;
    while (n < static_cast<int>(line.size()) && line[static_cast<size_t>(n)] == ' ') ++n;
    return n;
}

// Checks the layout line by line; returns the first fault found, empty when there is none.
std::string CheckLayout(const std::string& text) {
    if (text.size() < 2 || text.substr(text.size() - 2) != "\r\n") return "the text does not end with CR LF";
    std::vector<std::string> lines;
    size_t at = 0;
    while (at < text.size()) {
        const size_t end = text.find("\r\n", at);
        if (end == std::string::npos) return "a line without CR LF at byte " + std::to_string(at);
        lines.push_back(text.substr(at, end - at));
        at = end + 2;
    }
    for (const std::string& l : lines)
        if (l.find('\n') != std::string::npos || l.find('\r') != std::string::npos) return "a bare line break";
    for (size_t i = 5; i < lines.size(); ++i) {
        const std::string& l = lines[i];
        if (l.empty()) continue;
        const int indent = Blanks(l);
        const std::string rest = l.substr(static_cast<size_t>(indent));
        const std::string where = "line " + std::to_string(i + 1) + ": " + l;
        if (rest.rfind("</", 0) == 0) {
            const std::string name = rest.substr(2, rest.size() - 3);
            if (!kIndent.count(name) || kIndent.at(name) != indent) return "end tag indentation, " + where;
            if (i + 1 < lines.size() && !lines[i + 1].empty()) return "no empty line after the end tag, " + where;
            continue;
        }
        if (rest[0] != '<') return "text outside a tag, " + where;
        const bool closedHere = rest.back() == '>';
        const std::string name = rest.substr(1, closedHere ? rest.size() - 2 : std::string::npos);
        if (!kIndent.count(name) || kIndent.at(name) != indent) return "start tag indentation, " + where;
        if (closedHere) {
            if (!lines[i + 1].empty()) return "no empty line after a section tag, " + where;
            continue;
        }
        // Attribute lines, the last one closing the tag, then an empty line.
        size_t j = i + 1;
        for (;; ++j) {
            if (j >= lines.size()) return "unterminated tag, " + where;
            const std::string& a = lines[j];
            if (Blanks(a) != indent + 2) return "attribute indentation, line " + std::to_string(j + 1) + ": " + a;
            const size_t eq = a.find("=\"");
            if (eq == std::string::npos) return "attribute form, line " + std::to_string(j + 1);
            if (a.back() == '>') break;
            if (a.back() != '"') return "attribute line end, line " + std::to_string(j + 1);
        }
        if (lines[j].find("\"/>") == std::string::npos && lines[j].substr(lines[j].size() - 2) != "\">")
            return "tag end, line " + std::to_string(j + 1);
        if (j + 1 >= lines.size() || !lines[j + 1].empty()) return "no empty line after the tag, " + where;
        i = j;
    }
    return "";
}

std::vector<std::string> Names(const XmlElement& e) {
    std::vector<std::string> out;
    for (const auto& [k, v] : e.attributes) out.push_back(k);
    return out;
}

struct Preset {
    const char* name;
    int id;
};
constexpr Preset kPresets[] = {{"one-zoom-one-channel", kWhizPresetOneZoomOneChannel},
                               {"all-zooms-one-channel", kWhizPresetAllZoomsOneChannel},
                               {"one-zoom-all-channels", kWhizPresetOneZoomAllChannels},
                               {"all-zooms-all-channels", kWhizPresetAllZoomsAllChannels}};

class ExportSample : public SampleInstallationSuite {};

TEST_F(ExportSample, EveryFileWithEveryPresetGivesALaidOutDocumentAndReadableChannelFiles) {
    ASSERT_GE(catalog_.Files().size(), 12u);

    std::vector<std::string> objdFields;
    objdFields.push_back("name");
    objdFields.push_back("id");
    for (const auto& f : GetObjectDefinitionFields()) objdFields.push_back(f.name);
    const std::vector<std::string> realFrame = {
        "index", "zoom", "rot", "x", "y", "width", "height", "paletteid", "transparentpixel"};
    const std::vector<std::string> proxyFrame = {"index", "zoom", "rot", "proxy", "shrink"};
    const std::vector<std::string> spriteAttrs = {
        "name", "id", "type", "multitile", "defaultpaletteid", "framecount", "iscustomwallstyle"};

    std::ostringstream pilChecks;  // path, width, height per channel file
    int documents = 0, customWalls = 0, multiTileSprites = 0, proxies = 0, twelveFrameSprites = 0;
    for (const auto& file : catalog_.Files()) {
        for (const Preset& preset : kPresets)
            for (bool subdirs : {true, false}) {
                ExportWhizzerModel model;
                model.Click(kWhizJustChangeColors);
                model.Click(preset.id);
                model.SetChecked(kWhizSubDirectories, subdirs);
                model.SetChecked(kWhizCompress, documents % 2 == 0);
                ExportOptions options = model.BuildOptions();
                const std::string out = dir_->Join("out" + std::to_string(documents));
                ASSERT_TRUE(MakeDirectories(out));
                const std::string docName = file->displayName + ".xml";
                SCOPED_TRACE(file->path + " " + preset.name + (subdirs ? " subdirs" : ""));
                progress_.calls.clear();
                ObjectExporter exporter(*file);
                ASSERT_TRUE(exporter.ExportTo(out + "/" + docName, options));
                ++documents;
                const std::string text = ReadText(out + "/" + docName);
                EXPECT_EQ(CheckLayout(text), "");
                std::string error;
                auto root = ParseXml(text, error);
                ASSERT_TRUE(root) << error;
                EXPECT_EQ(root->AttrInt("thingstodo"), progress_.calls.front().total);
                EXPECT_EQ(root->AttrInt("thingstodo"), exporter.CountSteps(options) + 1);
                EXPECT_EQ(Names(*root).size(), 20u);
                for (const XmlElement* o : root->Children("objectdefinitions")[0]->Children("objectdefinition"))
                    EXPECT_EQ(Names(*o), objdFields);
                for (const XmlElement* s : root->Children("sprites")[0]->Children("sprite")) {
                    EXPECT_EQ(Names(*s), spriteAttrs);
                    const bool wall = s->Attr("iscustomwallstyle") == "1";
                    customWalls += wall;
                    multiTileSprites += s->Attr("multitile") == "1";
                    const int count = s->AttrInt("framecount");
                    twelveFrameSprites += count == 12;
                    const int rotations = wall ? count : count / 3;
                    auto frames = s->Children("spriteframe");
                    ASSERT_EQ(static_cast<int>(frames.size()), count);
                    for (int i = 0; i < count; ++i) {
                        const XmlElement* f = frames[static_cast<size_t>(i)];
                        const bool proxy = !wall && !options.exportallzooms && i >= rotations;
                        EXPECT_EQ(Names(*f), proxy ? proxyFrame : realFrame);
                        EXPECT_EQ(f->AttrInt("zoom"), wall ? 0 : i / rotations);
                        if (proxy) {
                            ++proxies;
                            EXPECT_EQ(f->AttrInt("proxy"), i % rotations);
                            continue;
                        }
                        for (const XmlElement* c : f->Children("spritechannel")) {
                            if (c->Attr("generate") == "1") continue;
                            std::string path = c->Attr("filename");
                            EXPECT_EQ(path.rfind(file->displayName + "_sprites\\", 0), 0u) << path;
                            if (!wall && count == 12) {
                                EXPECT_NE(path.find(std::string("_") +
                                                    (i % 4 == 0   ? "nw"
                                                     : i % 4 == 1 ? "ne"
                                                     : i % 4 == 2 ? "se"
                                                                  : "sw") +
                                                    "_" + c->Attr("type") + ".bmp"),
                                          std::string::npos)
                                    << path;
                            }
                            for (char& ch : path)
                                if (ch == '\\') ch = '/';
                            pilChecks << out << "/" << path << "\t" << f->Attr("width") << " " << f->Attr("height")
                                      << "\n";
                        }
                    }
                }
            }
    }
    EXPECT_EQ(documents, static_cast<int>(catalog_.Files().size()) * 8);
    EXPECT_GT(customWalls, 0);
    EXPECT_GT(multiTileSprites, 0);
    EXPECT_GT(proxies, 0);
    EXPECT_GT(twelveFrameSprites, 0);
    EXPECT_EQ(prompts_.calls.size(), 0u);

    if (!HavePil()) GTEST_SKIP() << "python3 with PIL is not installed: channel files not read back";
    const std::string list = dir_->Join("channels.txt");
    ASSERT_TRUE(WriteFileText(list, pilChecks.str()));
    const std::string out = RunPython(
        "from PIL import Image\n"
        "bad = 0\n"
        "n = 0\n"
        "for line in open('" +
        list +
        "'):\n"
        "    path, size = line.rstrip('\\n').split('\\t')\n"
        "    im = Image.open(path)\n"
        "    im.load()\n"
        "    n += 1\n"
        "    if '%d %d' % im.size != size:\n"
        "        bad += 1\n"
        "        print('size', path, im.size, size)\n"
        "print('checked', n, 'bad', bad)\n");
    EXPECT_NE(out.find(" bad 0\n"), std::string::npos) << out.substr(0, 2000);
    EXPECT_EQ(out.find("checked 0 "), std::string::npos) << out;
    EXPECT_GT(pilChecks.str().size(), 1000u);
}

}  // namespace
