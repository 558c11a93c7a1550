// bench_sprite_codec: SPR2 frame decoding and encoding throughput, each next to a memcpy of the same bytes.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#include "objects/sprites/Spr2Assembler.h"
#include "objects/sprites/Spr2Decoder.h"
#include "objects/sprites/Spr2Encoder.h"
#include "objects/sprites/Spr2Resource.h"
#include "platform/Bitmap8.h"

namespace {

constexpr int kFrames = 12;

struct Images {
    std::unique_ptr<Bitmap8> p, z, a;
    Images(int w, int h)
        : p(Bitmap8::Create(w, h, nullptr)), z(Bitmap8::Create(w, h, nullptr)), a(Bitmap8::Create(w, h, nullptr)) {
        if (!p || !z || !a) std::abort();
    }
};

// Twelve object-like frames drawn by code: an ellipse of shaded colour bands with a soft one-pixel rim, depth
// rising towards the bottom, transparent around it, like the frames of a large-zoom sprite.
struct Corpus {
    std::vector<Images> sources;
    std::vector<Rect> bounds;
    std::vector<uint8_t> resource;
    size_t encodedBytes = 0;  // frame blocks only
    size_t channelBytes = 0;  // three channel bytes per pixel of every frame

    Corpus() {
        std::vector<std::vector<uint8_t>> frames;
        for (int i = 0; i < kFrames; ++i) {
            const int w = 96 + 8 * (i % 4), h = 160 + 16 * (i % 3);
            sources.emplace_back(w, h);
            Images& img = sources.back();
            const double cx = w / 2.0, cy = h / 2.0, rx = w / 2.0 - 2, ry = h / 2.0 - 2;
            for (int r = 0; r < h; ++r) {
                for (int c = 0; c < w; ++c) {
                    const double d = std::pow((c - cx) / rx, 2) + std::pow((r - cy) / ry, 2);
                    const bool inside = d <= 1.0;
                    const bool rim = inside && d > 0.93;
                    img.p->GetRow(r)[c] = inside ? static_cast<uint8_t>(16 + ((c / 6 + r / 9 + i) % 40)) : 0;
                    img.z->GetRow(r)[c] = inside ? static_cast<uint8_t>(40 + r * 160 / h) : 255;
                    img.a->GetRow(r)[c] = inside ? (rim ? 128 : 255) : 0;
                }
            }
            bounds.push_back(Rect{0, 0, static_cast<int16_t>(h), static_cast<int16_t>(w)});
            std::vector<uint8_t> out;
            if (EncodeSpr2Frame(ViewOf(*img.p), ViewOf(*img.z), ViewOf(*img.a), bounds.back(), Point{0, 0}, 5, out) !=
                Spr2EncodeResult::kOk) {
                std::abort();
            }
            encodedBytes += out.size();
            channelBytes += 3 * static_cast<size_t>(w) * static_cast<size_t>(h);
            frames.push_back(out);
        }
        if (!AssembleSpr2(128, frames, -1, resource)) std::abort();
    }
};

const Corpus& GetCorpus() {
    static const Corpus corpus;
    return corpus;
}

void SetCounters(benchmark::State& state, size_t bytes) {
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * kFrames);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes));
    state.counters["frames/s"] =
        benchmark::Counter(static_cast<double>(kFrames), benchmark::Counter::kIsIterationInvariantRate);
}

// Decoding every frame of the sprite into its three channel images; bytes are the coded frame bytes read.
void BM_Spr2Decode(benchmark::State& state) {
    const Corpus& corpus = GetCorpus();
    const ByteReader data(corpus.resource.data(), corpus.resource.size());
    std::vector<Spr2Frame> frames(kFrames);
    std::vector<Images> targets;
    for (int i = 0; i < kFrames; ++i) {
        if (!ReadSpr2Frame(data, i, frames[static_cast<size_t>(i)])) std::abort();
        targets.emplace_back(frames[static_cast<size_t>(i)].width, frames[static_cast<size_t>(i)].height);
    }
    for (auto _ : state) {
        for (int i = 0; i < kFrames; ++i) {
            Images& t = targets[static_cast<size_t>(i)];
            DecodeSpr2Frame(frames[static_cast<size_t>(i)], {ViewOf(*t.p), ViewOf(*t.z), ViewOf(*t.a)}, 0);
        }
        benchmark::ClobberMemory();
    }
    SetCounters(state, corpus.encodedBytes);
}
BENCHMARK(BM_Spr2Decode);

void BM_MemcpyCodedBytes(benchmark::State& state) {
    const Corpus& corpus = GetCorpus();
    std::vector<uint8_t> to(corpus.encodedBytes);
    for (auto _ : state) {
        std::memcpy(to.data(), corpus.resource.data() + (corpus.resource.size() - corpus.encodedBytes),
                    corpus.encodedBytes);
        benchmark::ClobberMemory();
    }
    SetCounters(state, corpus.encodedBytes);
}
BENCHMARK(BM_MemcpyCodedBytes);

// Encoding every frame from its three channel images; bytes are the channel bytes read.
void BM_Spr2Encode(benchmark::State& state) {
    Corpus& corpus = const_cast<Corpus&>(GetCorpus());
    std::vector<uint8_t> out;
    for (auto _ : state) {
        for (int i = 0; i < kFrames; ++i) {
            Images& s = corpus.sources[static_cast<size_t>(i)];
            EncodeSpr2Frame(ViewOf(*s.p), ViewOf(*s.z), ViewOf(*s.a), corpus.bounds[static_cast<size_t>(i)],
                            Point{0, 0}, 5, out);
            benchmark::DoNotOptimize(out.data());
        }
    }
    SetCounters(state, corpus.channelBytes);
}
BENCHMARK(BM_Spr2Encode);

void BM_MemcpyChannelBytes(benchmark::State& state) {
    const Corpus& corpus = GetCorpus();
    std::vector<uint8_t> from(corpus.channelBytes, 1), to(corpus.channelBytes);
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), corpus.channelBytes);
        benchmark::ClobberMemory();
    }
    SetCounters(state, corpus.channelBytes);
}
BENCHMARK(BM_MemcpyChannelBytes);

}  // namespace
