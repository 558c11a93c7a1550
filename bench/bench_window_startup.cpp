// bench_window_startup: how long the workbench takes to show its window on the sample installation at scale
// 5000, against the command line's start-up scan of the same installation in the same run.
#include <benchmark/benchmark.h>

#include <stdlib.h>

#include <QApplication>
#include <QCoreApplication>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "app/AppSettings.h"
#include "app/ObjectCatalog.h"
#include "app/Startup.h"
#include "app/ui/CReshaperDlg.h"
#include "resfile/CTGFileManager.h"
#include "sample/SampleGame.h"

namespace {

struct Installation {
    std::string dir;
    Installation() {
        char pattern[] = "/tmp/reshaper-bench-window-XXXXXX";
        if (!::mkdtemp(pattern)) std::abort();
        dir = pattern;
        SampleGameOptions options;
        options.directory = dir;
        options.scale = 5000;
        if (!WriteSampleGame(options).ok) std::abort();
        // No stored install path: both start-ups stay in the installation.
        ::setenv("RESHAPER_SETTINGS", (dir + "/settings.ini").c_str(), 1);
        std::filesystem::current_path(dir);
    }
    ~Installation() { std::filesystem::remove_all(dir); }
};

Installation& Get() {
    static Installation installation;
    return installation;
}

// The command line's start-up: every object directory mapped, the catalogue scanned.
void BM_CliStartupScan(benchmark::State& state) {
    Get();
    size_t files = 0;
    for (auto _ : state) {
        CTGFileManager::Instance().Reset();
        ObjectCatalog& catalog = ObjectCatalog::Instance();
        StartupOptions options;
        options.seedRandom = false;
        options.buildCatalogue = [&catalog] {
            catalog.Scan(ObjectDirectories(), InternalObjectPaths(), CloneDirectory);
        };
        RunStartup(options);
        files = catalog.Count();
        state.PauseTiming();
        catalog.Clear();
        state.ResumeTiming();
    }
    state.counters["files"] = static_cast<double>(files);
}

// The workbench's start-up up to a shown window: the window built, the same start-up with the list filled, the
// window shown and its first paint done.
void BM_WindowShown(benchmark::State& state) {
    Get();
    size_t files = 0;
    for (auto _ : state) {
        CTGFileManager::Instance().Reset();
        ObjectCatalog& catalog = ObjectCatalog::Instance();
        {
            CReshaperDlg dialog(catalog);
            dialog.StartUp(false);
            dialog.show();
            QCoreApplication::processEvents();
            files = catalog.Count();
            state.PauseTiming();
        }
        catalog.Clear();
        state.ResumeTiming();
    }
    state.counters["files"] = static_cast<double>(files);
}

BENCHMARK(BM_CliStartupScan)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WindowShown)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
