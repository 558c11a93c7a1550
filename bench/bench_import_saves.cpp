// bench_import_saves: importing the export of the largest sample object back into it, with the syncs and writes
// that reach the disk counted, next to a floor of writing the file's final bytes once and syncing them.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app/ObjectFile.h"
#include "export/ExportWhizzerModel.h"
#include "export/ObjectExporter.h"
#include "import/ObjectImporter.h"
#include "platform/FaultInjection.h"
#include "platform/HostFile.h"
#include "resfile/CTGFileManager.h"
#include "resfile/StdResFile.h"
#include "sample/SampleGame.h"

namespace {

namespace fs = std::filesystem;

std::vector<uint8_t> ReadAll(const fs::path& p) {
    std::unique_ptr<HostFile> f = HostFile::Open(p.string(), false);
    std::vector<uint8_t> bytes(f ? static_cast<size_t>(f->Size()) : 0);
    if (f && f->Read(bytes.data(), static_cast<int64_t>(bytes.size())) != static_cast<int64_t>(bytes.size()))
        bytes.clear();
    return bytes;
}

void WriteAll(const fs::path& p, const std::vector<uint8_t>& bytes, bool sync) {
    std::unique_ptr<HostFile> f = HostFile::Create(p.string());
    if (!f) return;
    f->Write(bytes.data(), static_cast<int64_t>(bytes.size()));
    if (sync) f->Flush();
}

// The sample installation with its largest object file exported (all zooms, all channels) once.
struct Installation {
    fs::path dir;
    fs::path object;
    std::string gamePath;  // as the catalogue names it, relative to the installation
    std::vector<uint8_t> original;
    fs::path document;
    bool ok = false;
    Installation() {
        dir = fs::temp_directory_path() / ("reshaper-bench-import-" + std::to_string(::getpid()));
        SampleGameOptions options;
        options.directory = dir.string();
        if (!WriteSampleGame(options).ok || ::chdir(dir.c_str()) != 0) return;
        uintmax_t largest = 0;
        for (const auto& e : fs::recursive_directory_iterator(dir))
            if (e.is_regular_file() && e.path().extension() == ".iff" && e.file_size() > largest) {
                largest = e.file_size();
                object = e.path();
            }
        gamePath = ".\\" + fs::relative(object, dir).string();
        for (char& c : gamePath)
            if (c == '/') c = '\\';
        original = ReadAll(object);
        ObjectFile record;
        if (!Open(record)) return;
        ExportWhizzerModel model;
        model.Click(kWhizJustChangeColors);
        model.Click(kWhizPresetAllZoomsAllChannels);
        std::string resourcePath;
        record.file->GetPath(resourcePath);
        model.SetObjectFilePath(resourcePath);
        document = dir / "export" / "object.xml";
        fs::create_directories(document.parent_path());
        ObjectExporter exporter(record);
        ok = exporter.ExportTo(document.string(), model.BuildOptions());
    }
    bool Open(ObjectFile& record) const {
        record.path = gamePath;
        record.file = std::make_unique<ObjResFile>();
        if (record.file->Open(gamePath.substr(0, gamePath.size() - 4)) != 0) return false;
        LoadObjectFile(record, true);
        return true;
    }
    ~Installation() {
        std::error_code ignored;
        fs::remove_all(dir, ignored);
    }
};

Installation& Get() {
    static Installation installation;
    return installation;
}

void BM_ImportLargestObject(benchmark::State& state) {
    Installation& inst = Get();
    if (!inst.ok) {
        state.SkipWithError("sample installation not exported");
        return;
    }
    int64_t syncs = 0, writes = 0;
    for (auto _ : state) {
        state.PauseTiming();
        WriteAll(inst.object, inst.original, false);
        CTGFileManager::Instance().Reset();
        state.ResumeTiming();
        FaultInjection::StartCounting();
        {
            ObjectFile record;
            if (!inst.Open(record) || ImportObjectDocument(record, inst.document.string()) != kImportOk)
                state.SkipWithError("import failed");
        }
        syncs = FaultInjection::GetCount(FaultInjection::Op::Flush);
        writes = FaultInjection::GetCount(FaultInjection::Op::Write);
        FaultInjection::Reset();
    }
    state.counters["syncs"] = static_cast<double>(syncs);
    state.counters["writes"] = static_cast<double>(writes);
}
BENCHMARK(BM_ImportLargestObject)->Unit(benchmark::kMillisecond)->UseRealTime();

// The floor: the imported file's bytes written once and synced once.
void BM_WriteImportedBytesOnce(benchmark::State& state) {
    Installation& inst = Get();
    const std::vector<uint8_t> bytes = ReadAll(inst.object);
    const fs::path target = inst.dir / "floor.iff";
    for (auto _ : state) WriteAll(target, bytes, true);
    state.counters["bytes"] = static_cast<double>(bytes.size());
}
BENCHMARK(BM_WriteImportedBytesOnce)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
