// export --png and the import of PNG channel files: every sample file comes back as its BMP export does, frames
// repainted with PIL (indexed and RGBA) show and change nothing else, malformed files are refused with a reason.
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <regex>
#include <sstream>

#include "CliRunner.h"
#include "support/RunPython.h"
#include "support/TempDir.h"

using namespace reshaper_test;

namespace {

class CliPngChannels : public CliSampleSuite {
protected:
    static CliResult Run(const std::string& args) { return CliSampleSuite::Run(args + " </dev/null"); }
    // The channel files a document names, in document order.
    static std::vector<std::string> ChannelFiles(const std::string& document) {
        const std::string text = ReadFileText(document);
        std::vector<std::string> names;
        const std::regex file("spritechannel\\s+type=\"[pza]\"\\s+filename=\"([^\"]+)\"");
        for (auto it = std::sregex_iterator(text.begin(), text.end(), file); it != std::sregex_iterator(); ++it) {
            std::string name = (*it)[1];
            for (char& c : name) c = c == '\\' ? '/' : c;
            names.push_back(name);
        }
        return names;
    }
};

// Each file of the installation's own catalogue: exported with --png and as BMP files, both documents imported into
// twin installations, the two give the same contact sheet; PIL reads the colour files as indexed, the others grey.
TEST_F(CliPngChannels, EverySampleFileComesBackAsFromItsBmpExport) {
    if (!HavePil()) GTEST_SKIP() << "python3 with PIL is not installed";
    TempDir work;
    for (const char* game : {"png", "bmp"}) ASSERT_EQ(RunCli("sample-game '" + work.Join(game) + "'").exitCode, 0);
    auto in = [&](const std::string& game, const std::string& args) {
        return RunCli("--settings '" + work.Join(game + "/reshaper.ini") + "' " + args + " </dev/null");
    };
    std::istringstream list(in("png", "list").out);
    std::string line;
    int files = 0, imported = 0;
    while (std::getline(list, line)) {
        const size_t at = line.find("  .\\");
        if (at == std::string::npos) continue;
        const std::string path = line.substr(at + 2);
        const bool editable = line.find(" editable ") != std::string::npos;
        SCOPED_TRACE(path);
        const std::string n = std::to_string(++files);
        for (const std::string game : {"png", "bmp"}) {
            const std::string doc = work.Join("doc-" + game + n + "/doc.xml");
            CliResult r = in(game, "export '" + path + "' '" + doc + "'" +
                                       (game == "png" ? " --png --preset all-zooms-all-channels --no-just-change-colors"
                                                      : " --preset all-zooms-all-channels --no-just-change-colors"));
            ASSERT_EQ(r.exitCode, 0) << r.out;
            const std::vector<std::string> channels = ChannelFiles(doc);
            ASSERT_FALSE(channels.empty());
            for (const std::string& c : channels) EXPECT_EQ(c.substr(c.size() - 4), "." + game) << c;
            if (game == "png") {
                std::string script = "from PIL import Image\nimport sys\nfor name in [";
                for (const std::string& c : channels) script += "'" + work.Join("doc-png" + n + "/" + c) + "',";
                script += "]:\n    im = Image.open(name)\n"
                          "    want = 'P' if name.endswith('_p.png') else 'L'\n"
                          "    print(name if im.mode != want else '', end='')\n";
                EXPECT_EQ(RunPython(script), "");
            }
            if (!editable) continue;
            r = in(game, "import '" + path + "' '" + doc + "' --yes");
            ASSERT_EQ(r.exitCode, 0) << r.out;
            ASSERT_EQ(in(game, "render '" + path + "' --sheet -o '" + work.Join(game + n + ".png") + "'").exitCode, 0);
        }
        if (!editable) continue;
        ++imported;
        EXPECT_EQ(ReadFileBytes(work.Join("png" + n + ".png")), ReadFileBytes(work.Join("bmp" + n + ".png")));
    }
    EXPECT_EQ(files, 14);
    EXPECT_GE(imported, 10);
}

TEST_F(CliPngChannels, RepaintedFramesShowAndNothingElseChanges) {
    if (!HavePil()) GTEST_SKIP() << "python3 with PIL is not installed";
    ASSERT_EQ(Run("clone armchair --all --name PngPaint").exitCode, 0);
    const std::string doc = dir->Join("paint/doc.xml");
    CliResult r = Run("export PngPaint '" + doc + "' --png --preset all-zooms-one-channel");
    ASSERT_EQ(r.exitCode, 0) << r.out;
    std::istringstream objects(Run("objects PngPaint").out);
    std::string header, id;
    std::getline(objects, header);
    objects >> id;  // the first object's id
    ASSERT_EQ(id, "128");
    auto renderViews = [&](const std::string& tag) {
        for (int zoom = 0; zoom < 3; ++zoom)
            for (int rotation = 0; rotation < 4; ++rotation)
                ASSERT_EQ(Run("render PngPaint " + id + " --zoom " + std::to_string(zoom) + " --rotation " +
                              std::to_string(rotation) + " -o '" + dir->Join("views/" + tag + std::to_string(zoom) +
                                                                             std::to_string(rotation) + ".png'"))
                              .exitCode,
                          0);
    };
    renderViews("before");

    // The body's large north-west frame repainted green through its palette, its large south-east frame red as RGBA;
    // yellow stays transparent.
    const std::string nw = dir->Join("paint/doc_sprites/sprite0256/Armchair---body_large_nw_p.png");
    const std::string se = dir->Join("paint/doc_sprites/sprite0256/Armchair---body_large_se_p.png");
    ASSERT_EQ(RunPython("from PIL import Image\n"
                        "im = Image.open('" + nw + "')\n"
                        "pal = im.getpalette()\n"
                        "for i in range(0, len(pal), 3):\n"
                        "    if pal[i:i + 3] != [255, 255, 0]: pal[i:i + 3] = [0, 200, 0]\n"
                        "im.putpalette(pal)\n"
                        "im.save('" + nw + "')\n"
                        "im = Image.open('" + se + "').convert('RGBA')\n"
                        "im.putdata([p if p[:3] == (255, 255, 0) else (200, 0, 0, 255) for p in im.getdata()])\n"
                        "im.save('" + se + "')\n"
                        "print(Image.open('" + nw + "').mode, Image.open('" + se + "').mode)\n"),
              "P RGBA\n");
    r = Run("import PngPaint '" + doc + "' --yes");
    ASSERT_EQ(r.exitCode, 0) << r.out;
    renderViews("after");
    // Per view: how many pixels are green and red before and after, and whether anything else changed.
    const std::string counts = RunPython(
        "from PIL import Image, ImageChops\n"
        "for zoom in range(3):\n"
        "    for rotation in range(4):\n"
        "        v = '" + dir->Join("views/") + "%s%d%d.png'\n"
        "        a, b = Image.open(v % ('before', zoom, rotation)), Image.open(v % ('after', zoom, rotation))\n"
        "        count = lambda im, c: sum(1 for p in im.convert('RGB').getdata() if p == c)\n"
        "        if a.size == b.size and ImageChops.difference(a.convert('RGB'), b.convert('RGB')).getbbox() is None:\n"
        "            print('same', end=' ')\n"
        "        else:\n"
        "            g, r = count(b, (0, 200, 0)), count(b, (200, 0, 0))\n"
        "            print('green' if g > 50 and r == 0 else 'red' if r > 50 and g == 0 else 'other', end=' ')\n");
    // Only the two repainted large views changed, each to its own colour.
    std::istringstream views(counts);
    std::vector<std::string> seen{std::istream_iterator<std::string>(views), std::istream_iterator<std::string>()};
    ASSERT_EQ(seen.size(), 12u) << counts;
    EXPECT_EQ(std::count(seen.begin(), seen.end(), "same"), 10) << counts;
    EXPECT_EQ(std::count(seen.begin(), seen.begin() + 4, "green"), 1) << counts;
    EXPECT_EQ(std::count(seen.begin(), seen.begin() + 4, "red"), 1) << counts;

    // Malformed PNG files are refused with their reason.
    const std::vector<uint8_t> good = ReadFileBytes(nw);
    const struct {
        const char* script;
        std::string message;
    } cases[] = {
        {"Image.new('I;16', Image.open(f).size).save(f)",
         "Couldn't open PNG file \"doc_sprites\\sprite0256\\Armchair---body_large_nw_p.png\"! (16-bit PNG files cannot "
         "be read)"},
        {"d = open(f, 'rb').read(); open(f, 'wb').write(d[:len(d) // 2])",
         "Couldn't open PNG file \"doc_sprites\\sprite0256\\Armchair---body_large_nw_p.png\"! (the file ends before its "
         "last row or its end chunk)"},
        {"im = Image.open(f); im.resize((im.width + 2, im.height)).save(f)",
         "The size of PNG file \"doc_sprites\\sprite0256\\Armchair---body_large_nw_p.png\" does not match its sprite "
         "frame: "},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(WriteFileBytes(nw, good));
        ASSERT_EQ(RunPython("from PIL import Image\nf = '" + nw + "'\n" + c.script + "\n"), "");
        r = Run("import PngPaint '" + doc + "' --yes");
        EXPECT_EQ(r.exitCode, 1) << r.out;
        EXPECT_NE(r.out.find(c.message), std::string::npos) << r.out;
    }
}

}  // namespace
