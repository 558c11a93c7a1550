// bench_catalog_scan: the start-up catalogue scan of the sample installation at scale 5000, against reading
// the header and map bytes of the same installation's loose object files with plain reads in the same run.
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "app/AppSettings.h"
#include "app/ObjectCatalog.h"
#include "resfile/CTGFileManager.h"
#include "sample/SampleGame.h"

namespace {

struct Installation {
    std::string dir;
    std::vector<std::string> looseFiles;
    Installation() {
        char pattern[] = "/tmp/reshaper-bench-catalog-XXXXXX";
        if (!::mkdtemp(pattern)) std::abort();
        dir = pattern;
        SampleGameOptions options;
        options.directory = dir;
        options.scale = 5000;
        if (!WriteSampleGame(options).ok) std::abort();
        for (const auto& e : std::filesystem::recursive_directory_iterator(dir)) {
            std::string ext = e.path().extension().string();
            if (e.is_regular_file() && (ext == ".iff" || ext == ".IFF")) looseFiles.push_back(e.path().string());
        }
    }
    ~Installation() { std::filesystem::remove_all(dir); }
};

Installation& Get() {
    static Installation installation;
    return installation;
}

void BM_CatalogScan(benchmark::State& state) {
    Installation& inst = Get();
    std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(inst.dir);
    size_t files = 0;
    for (auto _ : state) {
        CTGFileManager::Instance().Reset();
        for (const auto& d : ObjectDirectories()) CTGFileManager::Instance().MapDirectory(d, true, true);
        ObjectCatalog catalog;
        catalog.Scan(ObjectDirectories(), InternalObjectPaths(), CloneDirectory);
        files = catalog.Count();
    }
    std::filesystem::current_path(previous);
    state.counters["files"] = static_cast<double>(files);
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(files));
}

void BM_PlainHeaderAndMapReads(benchmark::State& state) {
    Installation& inst = Get();
    std::vector<uint8_t> buffer(1 << 20);
    for (auto _ : state) {
        for (const auto& p : inst.looseFiles) {
            int fd = ::open(p.c_str(), O_RDONLY);
            uint8_t header[64];
            if (fd < 0 || ::pread(fd, header, 64, 0) != 64) state.SkipWithError("read failed");
            uint32_t map = (header[60] << 24) | (header[61] << 16) | (header[62] << 8) | header[63];
            off_t size = ::lseek(fd, 0, SEEK_END);
            if (map != 0 && map < size) {
                size_t n = std::min<size_t>(buffer.size(), static_cast<size_t>(size - map));
                if (::pread(fd, buffer.data(), n, map) < 0) state.SkipWithError("read failed");
            }
            benchmark::DoNotOptimize(buffer.data());
            ::close(fd);
        }
    }
    state.counters["files"] = static_cast<double>(inst.looseFiles.size());
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(inst.looseFiles.size()));
}

BENCHMARK(BM_PlainHeaderAndMapReads)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CatalogScan)->Unit(benchmark::kMillisecond);

}  // namespace
