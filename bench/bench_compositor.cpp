// bench_compositor: composing one view of a four-tile object whose tiles each place two 60 x 90 frames.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "app/ObjectFile.h"
#include "objects/definitions/ObjectDefinition.h"
#include "objects/drawing/Compositor.h"
#include "objects/drawing/DrawGroup.h"
#include "platform/HostFile.h"
#include "resfile/StdResFile.h"

namespace {

void Put16(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}
void Put32(std::vector<uint8_t>& out, uint32_t v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

// One frame of w x h opaque pixels with a soft-alpha edge, depth growing downward.
std::vector<uint8_t> Sprite(int w, int h) {
    std::vector<uint8_t> s;
    Put32(s, 1000), Put32(s, 1), Put32(s, static_cast<uint32_t>(-1)), Put32(s, 16);
    Put16(s, static_cast<uint32_t>(w)), Put16(s, static_cast<uint32_t>(h)), Put32(s, 7);
    Put16(s, 0xFFFF), Put16(s, 0), Put16(s, 0), Put16(s, 0);
    for (int r = 0; r < h; ++r) {
        int rowBytes = 4 + 3 * w + (w & 1);
        Put16(s, static_cast<uint32_t>(rowBytes));
        Put16(s, 0x4000u | static_cast<uint32_t>(w));
        for (int c = 0; c < w; ++c) {
            s.push_back(static_cast<uint8_t>(r));                 // Z
            s.push_back(static_cast<uint8_t>(1 + (r + c) % 200)); // P
            s.push_back(c == 0 || c == w - 1 ? 16 : 31);          // A
        }
        if (w & 1) s.push_back(0xB0);
    }
    Put16(s, 0xA000);
    return s;
}

struct Scene {
    std::string dir;
    ObjectFile record;
    ObjectEntry* lead = nullptr;
    Scene() {
        char pattern[] = "/tmp/reshaper-bench-compose-XXXXXX";
        if (!::mkdtemp(pattern)) std::abort();
        dir = pattern;
        auto file = std::make_unique<ObjResFile>();
        file->Create(dir + "/scene");
        file->Open(dir + "/scene");
        auto add = [&](ResType t, ResID id, const std::vector<uint8_t>& d) {
            file->Add(NewHandleFrom(d.data(), static_cast<int32_t>(d.size())), t, id, "", true);
        };
        add(kTypeSPR2, 200, Sprite(60, 90));
        auto obj = [&](ResID id, int16_t sub, int16_t base, int16_t count) {
            ObjectDefinition d;
            d.masterid = 9;
            d.subindex = sub;
            d.basegraphic = base;
            d.numgraphics = count;
            auto b = SerializeObjectDefinition(d);
            add(kTypeOBJD, id, std::vector<uint8_t>(b.begin(), b.end()));
        };
        obj(128, -1, 0, 0);
        int16_t subs[4] = {0x0000, 0x0001, 0x0100, 0x0101};
        for (int t = 0; t < 4; ++t) {
            DrawGroup g;
            for (int v = 0; v < 12; ++v) {
                g.AddItemList();
                DrawGroupItem a, b;
                a.spriteid = b.spriteid = 200;
                b.pixelx = 20;
                b.pixely = -30;
                g.AddItem(v, a);
                g.AddItem(v, b);
            }
            g.Save(*file, static_cast<ResID>(300 + t));
            obj(static_cast<ResID>(129 + t), subs[t], static_cast<int16_t>(300 + t), 1);
        }
        record.file = std::move(file);
        LoadObjectFile(record, false);
        for (auto& e : record.objects)
            if (e->id == 128) lead = e.get();
    }
    ~Scene() {
        record.file->Close();
        record.file.reset();
        DeleteHostFile(dir + "/scene.iff");
        DeleteHostFile(dir + "/scene.spf");
        ::rmdir(dir.c_str());
    }
};

void BM_ComposeFourTiles(benchmark::State& state) {
    static Scene scene;
    int64_t pixels = 0;
    for (auto _ : state) {
        auto pic = ComposeObject(*scene.lead, ComposeViewIndex(2, 2), kWhite);
        if (!pic) state.SkipWithError("compose failed");
        pixels = int64_t{pic->GetWidth()} * pic->GetHeight();
        benchmark::DoNotOptimize(pic.get());
    }
    state.counters["picture_pixels"] = static_cast<double>(pixels);
    state.SetItemsProcessed(state.iterations());
}

BENCHMARK(BM_ComposeFourTiles)->Unit(benchmark::kMicrosecond);

}  // namespace
