// bench_iff_open: opening 5,000 version 2.5 files of 200 resources through their maps, against
// reading just their header and map bytes with plain reads in the same run.
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/HostFile.h"
#include "resfile/IFFResFile2.h"

namespace {

constexpr int kFiles = 5000;
constexpr int kResources = 200;

struct Corpus {
    std::string directory;
    std::vector<std::string> paths;
    uint32_t mapOffset = 0;
    uint32_t mapSize = 0;

    Corpus() {
        char pattern[] = "/tmp/reshaper-bench-open-XXXXXX";
        if (!::mkdtemp(pattern)) std::abort();
        directory = pattern;
        // One file written through the class, then copied: every file has the same layout.
        std::string first = directory + "/object0000.iff";
        IFFResFile2 f;
        f.Create(first);
        f.Open(first);
        for (int i = 0; i < kResources; ++i) {
            std::vector<uint8_t> data(static_cast<size_t>(40 + (i * 37) % 400), static_cast<uint8_t>(i));
            f.Add(NewHandleFrom(data.data(), static_cast<int32_t>(data.size())), i % 2 ? kTypeOBJD : kTypeBHAV,
                  static_cast<ResID>(128 + i), "resource " + std::to_string(i), true);
        }
        f.Close();
        auto src = HostFile::Open(first, false);
        std::vector<uint8_t> bytes(static_cast<size_t>(src->Size()));
        src->Read(bytes.data(), static_cast<int64_t>(bytes.size()));
        mapOffset = (bytes[60] << 24) | (bytes[61] << 16) | (bytes[62] << 8) | bytes[63];
        mapSize = static_cast<uint32_t>(bytes.size()) - mapOffset;
        paths.push_back(first);
        for (int i = 1; i < kFiles; ++i) {
            char name[64];
            std::snprintf(name, sizeof name, "/object%04d.iff", i);
            paths.push_back(directory + name);
            auto out = HostFile::Create(paths.back());
            out->Write(bytes.data(), static_cast<int64_t>(bytes.size()));
        }
    }
    ~Corpus() {
        for (const auto& p : paths) DeleteHostFile(p);
        ::rmdir(directory.c_str());
    }
};

Corpus& GetCorpus() {
    static Corpus corpus;
    return corpus;
}

void BM_OpenThroughMap(benchmark::State& state) {
    Corpus& c = GetCorpus();
    for (auto _ : state) {
        for (const auto& p : c.paths) {
            IFFResFile2 f;
            if (f.Open(p) != kNoErr || f.CountResources(kTypeOBJD) != kResources / 2) state.SkipWithError("open failed");
            f.Close();
        }
    }
    state.SetItemsProcessed(state.iterations() * kFiles);
}

void BM_PlainHeaderAndMapReads(benchmark::State& state) {
    Corpus& c = GetCorpus();
    std::vector<uint8_t> buffer(c.mapSize + 64);
    for (auto _ : state) {
        for (const auto& p : c.paths) {
            int fd = ::open(p.c_str(), O_RDONLY);
            if (::pread(fd, buffer.data(), 64, 0) != 64) state.SkipWithError("read failed");
            if (::pread(fd, buffer.data(), c.mapSize, c.mapOffset) != static_cast<ssize_t>(c.mapSize))
                state.SkipWithError("read failed");
            benchmark::DoNotOptimize(buffer.data());
            ::close(fd);
        }
    }
    state.SetItemsProcessed(state.iterations() * kFiles);
}

BENCHMARK(BM_PlainHeaderAndMapReads)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenThroughMap)->Unit(benchmark::kMillisecond);

}  // namespace
