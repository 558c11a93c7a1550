// bench_export: exporting the largest object file of the sample installation with every preset, plain and RLE8,
// next to plain file copies of the very bytes each export wrote.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app/ObjectFile.h"
#include "export/ExportWhizzerModel.h"
#include "export/ObjectExporter.h"
#include "platform/HostFile.h"
#include "resfile/StdResFile.h"
#include "sample/SampleGame.h"

namespace {

namespace fs = std::filesystem;

constexpr int kPresets[4] = {kWhizPresetOneZoomOneChannel, kWhizPresetAllZoomsOneChannel, kWhizPresetOneZoomAllChannels,
                             kWhizPresetAllZoomsAllChannels};

// The sample installation, written once, and its largest object file opened as the catalogue opens it.
struct Installation {
    fs::path dir;
    ObjectFile record;
    Installation() {
        dir = fs::temp_directory_path() / ("reshaper-bench-export-" + std::to_string(::getpid()));
        SampleGameOptions options;
        options.directory = dir.string();
        if (!WriteSampleGame(options).ok) return;
        uintmax_t largest = 0;
        for (const auto& e : fs::recursive_directory_iterator(dir))
            if (e.is_regular_file() && e.path().extension() == ".iff" && e.file_size() > largest) {
                largest = e.file_size();
                record.path = e.path().string();
            }
        record.file = std::make_unique<ObjResFile>();
        if (record.file->Open(record.path) != 0)
            record.file.reset();
        else
            LoadObjectFile(record, true);
    }
    ~Installation() {
        std::error_code ignored;
        fs::remove_all(dir, ignored);
    }
};

// Bytes this process has read from files so far (every read and pread, from the page cache or not).
int64_t BytesReadSoFar() {
    int64_t rchar = -1;
    if (FILE* f = std::fopen("/proc/self/io", "r")) {
        char key[64];
        long long value = 0;
        while (std::fscanf(f, "%63s %lld", key, &value) == 2)
            if (std::string(key) == "rchar:") rchar = value;
        std::fclose(f);
    }
    return rchar;
}

Installation& Get() {
    static Installation installation;
    return installation;
}

ExportOptions OptionsFor(int preset, bool compressed) {
    ExportWhizzerModel model;
    model.Click(kWhizJustChangeColors);
    model.Click(preset);
    model.SetChecked(kWhizCompress, compressed);
    return model.BuildOptions();
}

// Args: preset index 0..3, compressed 0/1.
void BM_Export(benchmark::State& state) {
    Installation& inst = Get();
    if (!inst.record.file) {
        state.SkipWithError("sample installation not written");
        return;
    }
    const ExportOptions options = OptionsFor(kPresets[state.range(0)], state.range(1) != 0);
    const fs::path out = inst.dir / ("out-" + std::to_string(state.range(0)) + std::to_string(state.range(1)));
    fs::create_directories(out);
    ExportStatistics last;
    int64_t bytesRead = 0;
    for (auto _ : state) {
        const int64_t before = BytesReadSoFar();
        ObjectExporter exporter(inst.record);
        if (!exporter.ExportTo((out / "object.xml").string(), options)) state.SkipWithError("export failed");
        last = exporter.GetStatistics();
        bytesRead = BytesReadSoFar() - before;
    }
    // Each sprite and palette is read once: the bytes read stay near the object file's size.
    state.counters["read_per_file_size"] =
        static_cast<double>(bytesRead) / static_cast<double>(fs::file_size(inst.record.path));
    state.SetBytesProcessed(state.iterations() * last.bytesWritten);
    state.counters["frames"] =
        benchmark::Counter(static_cast<double>(state.iterations()) * last.realFrames, benchmark::Counter::kIsRate);
    state.counters["files"] = last.bmpFiles + 1;
    state.counters["bytes_per_export"] = static_cast<double>(last.bytesWritten);
}

// The same files copied one by one with plain reads and writes: what writing those bytes costs by itself.
void BM_CopySameBytes(benchmark::State& state) {
    Installation& inst = Get();
    const fs::path from = inst.dir / ("out-" + std::to_string(state.range(0)) + std::to_string(state.range(1)));
    std::vector<fs::path> files;
    int64_t bytes = 0;
    if (fs::exists(from))
        for (const auto& e : fs::recursive_directory_iterator(from))
            if (e.is_regular_file()) {
                files.push_back(e.path());
                bytes += static_cast<int64_t>(e.file_size());
            }
    if (files.empty()) {
        state.SkipWithError("run BM_Export first (same arguments)");
        return;
    }
    const fs::path to = inst.dir / ("copy-" + std::to_string(state.range(0)) + std::to_string(state.range(1)));
    for (const auto& f : files) fs::create_directories(to / fs::relative(f.parent_path(), from));
    for (auto _ : state)
        for (const auto& f : files)
            if (!CopyHostFile(f.string(), (to / fs::relative(f, from)).string(), false))
                state.SkipWithError("copy failed");
    state.SetBytesProcessed(state.iterations() * bytes);
    state.counters["files"] = static_cast<double>(files.size());
}

void Presets(benchmark::internal::Benchmark* b) {
    for (int compressed = 0; compressed < 2; ++compressed)
        for (int p = 0; p < 4; ++p) b->Args({p, compressed});
    b->ArgNames({"preset", "rle8"});
    b->Unit(benchmark::kMillisecond);
}

BENCHMARK(BM_Export)->Apply(Presets);
BENCHMARK(BM_CopySameBytes)->Apply(Presets);

}  // namespace
