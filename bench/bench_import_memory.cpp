// bench_import_memory: the peak resident memory of importing a document of 120 sprites (all zooms, all channels)
// above the program's size just before the import, measured in a child process so that each run starts afresh.
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app/ObjectFile.h"
#include "app/Progress.h"
#include "app/Prompt.h"
#include "app/TerminalProgressHost.h"
#include "export/ExportWhizzerModel.h"
#include "export/ObjectExporter.h"
#include "import/ObjectImporter.h"
#include "resfile/CTGFileManager.h"
#include "resfile/StdResFile.h"
#include "sample/SampleGame.h"

namespace {

namespace fs = std::filesystem;

constexpr int kSprites = 120;

// The resident size now, in kilobytes (from /proc, which unlike the peak can go down).
long ResidentKilobytes() {
    long pages = 0, resident = 0;
    if (FILE* f = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2) resident = 0;
        std::fclose(f);
    }
    return resident * (::sysconf(_SC_PAGESIZE) / 1024);
}

// The armchair of the sample installation with its sprites copied until it holds 120, exported once.
struct Document {
    fs::path dir;
    std::string gamePath = ".\\gamedata\\objects\\armchair";
    fs::path xml;
    bool ok = false;
    Document() {
        dir = fs::temp_directory_path() / ("reshaper-bench-importmem-" + std::to_string(::getpid()));
        SampleGameOptions options;
        options.directory = dir.string();
        if (!WriteSampleGame(options).ok || ::chdir(dir.c_str()) != 0) return;
        ObjectFile record;
        if (!Open(record)) return;
        iResFile& file = *record.file;
        std::vector<std::vector<uint8_t>> sprites;
        for (int32_t i = 1; i <= file.CountResources(kTypeSPR2); ++i)
            if (DataHandle* h = file.GetIndexedResource(kTypeSPR2, i, nullptr)) {
                sprites.push_back(h->bytes);
                file.ReleaseAndFree(h);
            }
        if (sprites.empty()) return;
        for (int n = static_cast<int>(sprites.size()); n < kSprites; ++n) {
            const auto& bytes = sprites[static_cast<size_t>(n) % sprites.size()];
            file.Add(NewHandleFrom(bytes.data(), static_cast<int32_t>(bytes.size())), kTypeSPR2,
                     static_cast<ResID>(2000 + n), "copy " + std::to_string(n), true);
        }
        file.Update();
        LoadObjectFile(record, true);
        ExportWhizzerModel model;
        model.Click(kWhizJustChangeColors);
        model.Click(kWhizPresetAllZoomsAllChannels);
        std::string resourcePath;
        record.file->GetPath(resourcePath);
        model.SetObjectFilePath(resourcePath);
        xml = dir / "export" / "armchair.xml";
        fs::create_directories(xml.parent_path());
        ObjectExporter exporter(record);
        ok = exporter.ExportTo(xml.string(), model.BuildOptions()) && file.GetError() == 0;
    }
    bool Open(ObjectFile& record) const {
        record.path = gamePath + ".iff";
        record.file = std::make_unique<ObjResFile>();
        if (record.file->Open(gamePath) != 0) return false;
        LoadObjectFile(record, true);
        return true;
    }
    ~Document() {
        std::error_code ignored;
        fs::remove_all(dir, ignored);
    }
};

Document& Get() {
    static Document document;
    return document;
}

void BM_Import120Sprites(benchmark::State& state) {
    Document& doc = Get();
    if (!doc.ok) {
        state.SkipWithError("document not exported");
        return;
    }
    long above = 0, idle = 0;
    for (auto _ : state) {
        int pipeFds[2];
        if (::pipe(pipeFds) != 0) break;
        pid_t pid = ::fork();
        if (pid == 0) {
            ::close(pipeFds[0]);
            CTGFileManager::Instance().Reset();
            TerminalHostOptions quiet;
            quiet.out = stderr;
            quiet.assumeYes = true;
            TerminalProgressHost host(quiet);
            SetProgressHost(&host);
            SetPromptHost(&host);
            ObjectFile record;
            long values[2] = {0, 0};
            if (doc.Open(record)) {
                values[0] = ResidentKilobytes();
                int state = ImportObjectDocument(record, doc.xml.string());
                struct rusage usage {};
                ::getrusage(RUSAGE_SELF, &usage);
                values[1] = state == kImportOk ? usage.ru_maxrss : -1;
            }
            if (::write(pipeFds[1], values, sizeof values) != sizeof values) ::_exit(1);
            ::_exit(0);
        }
        ::close(pipeFds[1]);
        long values[2] = {0, 0};
        if (::read(pipeFds[0], values, sizeof values) != sizeof values || values[1] < 0)
            state.SkipWithError("import failed");
        ::close(pipeFds[0]);
        int status = 0;
        ::waitpid(pid, &status, 0);
        idle = values[0];
        above = values[1] - values[0];
    }
    state.counters["idle_MB"] = static_cast<double>(idle) / 1024.0;
    state.counters["peak_above_idle_MB"] = static_cast<double>(above) / 1024.0;
}
BENCHMARK(BM_Import120Sprites)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

}  // namespace
