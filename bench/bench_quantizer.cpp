// bench_quantizer: palette building and dithering of the sample installation's sprites and of a large photo-like
// picture, with the PSNR of the result.
//
// Each sprite's frames are decoded to RGB and stacked into one strip (one palette per sprite, as the import builds
// it); the strips and the 1024 x 1024 picture are quantized to 255 colours and dithered. The PSNR counter is over
// all red, green and blue values of a set (99 stands for no error at all). With RESHAPER_BENCH_DUMP=DIR the pictures are written to DIR as
// NAME.bmp (24-bit) and our results as NAME.ours.bmp (8-bit), for scripts/bench-quantizer-vs-imagemagick.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "app/ObjectFile.h"
#include "import/BmpReader.h"
#include "import/ColorQuantizer.h"
#include "objects/palettes/PalWrap.h"
#include "objects/sprites/FrameRenderer.h"
#include "objects/sprites/SpriteFrameCount.h"
#include "platform/Bitmap24.h"
#include "platform/Bitmap8.h"
#include "platform/BmpWriter.h"
#include "resfile/StdResFile.h"
#include "sample/SampleGame.h"

namespace {

struct Picture {
    std::string name;
    int32_t width = 0;
    int32_t height = 0;
    std::vector<uint8_t> rgb;  // top row first, packed
};

// Stacks the frames of one sprite into a strip on the background colour of its first frame.
Picture StackFrames(const std::string& name, const std::vector<RenderedFrame>& frames) {
    Picture p;
    p.name = name;
    for (const RenderedFrame& f : frames) {
        p.width = std::max(p.width, f.color->GetWidth());
        p.height += f.color->GetHeight();
    }
    p.rgb.assign(static_cast<size_t>(p.width) * p.height * 3, 0);
    const RgbQuad bg = frames[0].color->GetColorTable()[frames[0].transparentIndex & 0xFF];
    for (size_t i = 0; i < p.rgb.size(); i += 3) p.rgb[i] = bg.red, p.rgb[i + 1] = bg.green, p.rgb[i + 2] = bg.blue;
    int32_t top = 0;
    for (const RenderedFrame& f : frames) {
        const Bitmap8& b = *f.color;
        for (int32_t r = 0; r < b.GetHeight(); ++r)
            for (int32_t c = 0; c < b.GetWidth(); ++c) {
                const RgbQuad& q = b.GetColorTable()[b.GetRow(r)[c]];
                uint8_t* o = &p.rgb[(static_cast<size_t>(top + r) * p.width + c) * 3];
                o[0] = q.red, o[1] = q.green, o[2] = q.blue;
            }
        top += b.GetHeight();
    }
    return p;
}

std::vector<Picture> SampleSprites() {
    char pattern[] = "/tmp/bench-quantizer-XXXXXX";
    const char* made = mkdtemp(pattern);
    if (!made) std::abort();
    SampleGameOptions options;
    options.directory = made;
    const SampleGameResult game = WriteSampleGame(options);
    if (!game.ok) {
        std::fprintf(stderr, "sample installation failed: %s\n", game.error.c_str());
        std::abort();
    }
    std::vector<Picture> out;
    for (const SampleFileReport& f : game.files) {
        if (!f.archive.empty() || f.path.size() < 4 || f.path.substr(f.path.size() - 4) != ".iff") continue;
        ObjectFile record;
        record.path = game.directory + "/" + f.path;
        auto file = std::make_unique<ObjResFile>();
        if (file->Open(record.path.substr(0, record.path.size() - 4)) != kNoErr) continue;
        record.file = std::move(file);
        LoadObjectFile(record, true);
        for (const SpriteEntry& s : record.sprites) {
            if (s.type != kTypeSPR2) continue;
            const int32_t count = CountSpriteFrames(*record.file, s.id);
            std::vector<RenderedFrame> frames;
            for (int32_t i = 0; i < count; ++i) {
                PalWrap palette;
                FrameRenderRequest request;
                request.background = RgbColor{255, 0, 255};
                request.palette = &palette;
                request.wantColor = true;
                RenderedFrame frame;
                RenderSpriteFrame(*record.file, s.id, i, request, frame);
                if (frame.color && frame.width > 0 && frame.height > 0) frames.push_back(std::move(frame));
            }
            if (!frames.empty()) out.push_back(StackFrames(f.path + "#" + std::to_string(s.id), frames));
        }
    }
    std::string remove = std::string("rm -rf '") + made + "'";
    if (std::system(remove.c_str()) != 0) std::fprintf(stderr, "could not remove %s\n", made);
    for (Picture& p : out)
        for (char& c : p.name)
            if (c == '/' || c == '#' || c == ' ') c = '_';
    return out;
}

// Smooth gradients with mild noise and a few hard-edged shapes, like a photograph of an interior.
Picture PhotoLike() {
    Picture p;
    p.name = "photo1024";
    p.width = p.height = 1024;
    p.rgb.resize(static_cast<size_t>(p.width) * p.height * 3);
    uint32_t seed = 12345;
    for (int32_t y = 0; y < p.height; ++y)
        for (int32_t x = 0; x < p.width; ++x) {
            seed = seed * 1664525u + 1013904223u;
            const int noise = static_cast<int>((seed >> 24) % 13) - 6;
            const double fx = x / 1023.0, fy = y / 1023.0;
            double r = 40 + 180 * fx + 25 * std::sin(fy * 9.0);
            double g = 60 + 120 * fy + 30 * std::cos(fx * 7.0 + fy * 3.0);
            double b = 200 - 150 * fx * fy + 20 * std::sin((fx + fy) * 13.0);
            const int dx = x - 620, dy = y - 410;
            if (dx * dx + dy * dy < 170 * 170) r = 230 - 0.3 * dy, g = 190 - 0.2 * dx, b = 60;  // a lamp shade
            if (x > 120 && x < 380 && y > 600 && y < 900) r = 110 + 0.1 * y, g = 70, b = 45 + 0.05 * x;  // a chest
            uint8_t* o = &p.rgb[(static_cast<size_t>(y) * p.width + x) * 3];
            o[0] = static_cast<uint8_t>(std::clamp(static_cast<int>(r) + noise, 0, 255));
            o[1] = static_cast<uint8_t>(std::clamp(static_cast<int>(g) + noise, 0, 255));
            o[2] = static_cast<uint8_t>(std::clamp(static_cast<int>(b) + noise, 0, 255));
        }
    return p;
}

struct Corpus {
    std::vector<Picture> sprites = SampleSprites();
    std::vector<Picture> photo = {PhotoLike()};
};

Corpus& GetCorpus() {
    static Corpus corpus;
    return corpus;
}

struct Outcome {
    double squaredError = 0;
    double values = 0;
};

// Quantizes and dithers each picture on its own palette; adds the squared error of the result.
void QuantizeAll(ColorQuantizer& q, const std::vector<Picture>& pictures, bool transparentRule,
                 std::vector<std::vector<uint8_t>>& results, Outcome* outcome) {
    results.resize(pictures.size());
    for (size_t i = 0; i < pictures.size(); ++i) {
        const Picture& p = pictures[i];
        const ptrdiff_t step = static_cast<ptrdiff_t>(p.width) * 3;
        q.SetWantedColors(255);
        q.AddRgbRows(p.rgb.data(), step, p.width, p.height);
        q.BuildPalette();
        results[i].resize(static_cast<size_t>(p.width) * p.height);
        q.MapRgbRows(p.rgb.data(), step, p.width, p.height, results[i].data(), p.width, transparentRule);
        if (!outcome) continue;
        const PaletteColor* palette = q.GetPalette();
        for (size_t k = 0; k < results[i].size(); ++k) {
            const PaletteColor& e = palette[results[i][k]];
            const double dr = e.red - p.rgb[k * 3], dg = e.green - p.rgb[k * 3 + 1], db = e.blue - p.rgb[k * 3 + 2];
            outcome->squaredError += dr * dr + dg * dg + db * db;
        }
        outcome->values += 3.0 * results[i].size();
    }
}

double Psnr(const Outcome& o) {
    if (o.squaredError == 0) return 99.0;
    return 10.0 * std::log10(255.0 * 255.0 / (o.squaredError / o.values));
}

// Writes each picture and our result of it when RESHAPER_BENCH_DUMP names a directory.
void Dump(const std::vector<Picture>& pictures, ColorQuantizer& q, bool transparentRule) {
    const char* dir = std::getenv("RESHAPER_BENCH_DUMP");
    if (!dir || !*dir) return;
    for (const Picture& p : pictures) {
        std::unique_ptr<Bitmap24> source = Bitmap24::Create(p.width, p.height);
        std::unique_ptr<Bitmap8> ours = Bitmap8::Create(p.width, p.height, nullptr);
        if (!source || !ours) std::abort();
        for (int32_t r = 0; r < p.height; ++r) {
            uint8_t* row = source->GetRow(r);
            for (int32_t c = 0; c < p.width; ++c) {
                const uint8_t* s = &p.rgb[(static_cast<size_t>(r) * p.width + c) * 3];
                row[c * 3] = s[2], row[c * 3 + 1] = s[1], row[c * 3 + 2] = s[0];  // stored blue, green, red
            }
        }
        q.SetWantedColors(255);
        q.AddRgbRows(p.rgb.data(), p.width * 3, p.width, p.height);
        q.BuildPalette();
        ChannelPicture image;
        image.width = p.width;
        image.height = p.height;
        image.bitDepth = 24;
        image.pixels = p.rgb;
        q.MapImage(image, *ours, transparentRule);
        const std::string base = std::string(dir) + "/" + p.name;
        if (!WriteBmp(base + ".bmp", *source) || !WriteBmp(base + ".ours.bmp", *ours)) std::abort();
    }
}

void RunSet(benchmark::State& state, const std::vector<Picture>& pictures, bool transparentRule) {
    ColorQuantizer q;
    std::vector<std::vector<uint8_t>> results;
    Outcome outcome;
    QuantizeAll(q, pictures, transparentRule, results, &outcome);
    Dump(pictures, q, transparentRule);
    int64_t pixels = 0;
    for (const Picture& p : pictures) pixels += int64_t{p.width} * p.height;
    for (auto _ : state) {
        QuantizeAll(q, pictures, transparentRule, results, nullptr);
        benchmark::DoNotOptimize(results.data());
    }
    state.counters["PSNR_dB"] = Psnr(outcome);
    state.counters["pictures"] = static_cast<double>(pictures.size());
    state.counters["pixels"] = static_cast<double>(pixels);
    state.SetItemsProcessed(state.iterations() * pixels);
}

void BM_QuantizeSampleSprites(benchmark::State& state) { RunSet(state, GetCorpus().sprites, true); }
void BM_QuantizePhoto1024(benchmark::State& state) { RunSet(state, GetCorpus().photo, false); }

}  // namespace

BENCHMARK(BM_QuantizeSampleSprites)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_QuantizePhoto1024)->Unit(benchmark::kMillisecond);
