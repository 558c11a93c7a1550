// reshaper-cli sample-game DIR [--scale N] [--seed S]: writes the deterministic sample installation of the game.
#include <CLI/CLI.hpp>
#include <cstdio>

#include "cli/CliCommon.h"
#include "sample/SampleGame.h"

namespace cli {

namespace {

std::string Where(const SampleFileReport& f) { return f.archive.empty() ? f.path : f.archive + " : " + f.path; }

void PrintReport(const SampleGameResult& result) {
    std::printf("\n%-58s %9s  %s\n", "File", "Bytes", "Objects");
    for (const SampleFileReport& f : result.files) {
        std::string objects;
        for (const std::string& o : f.objects) objects += (objects.empty() ? "" : ", ") + o;
        if (!f.listed && !f.objects.empty()) objects += " (not listed)";
        std::printf("%-58s %9lld  %s\n", Where(f).c_str(), static_cast<long long>(f.size),
                    objects.empty() ? ("(" + f.description + ")").c_str() : objects.c_str());
    }
    if (result.generatedFiles)
        std::printf("%-58s %9s  %d files, %d of them in %d archives\n", "(generated)", "", result.generatedFiles,
                    result.generatedFiles / 4, result.generatedArchives);
    std::printf("\nSample installation written to %s (%lld bytes).\n", result.directory.c_str(),
                static_cast<long long>(result.bytesWritten));
    std::printf("Magic cookie %d. Start the program on it with RESHAPER_SETTINGS=%s\n", result.magicCookie,
                result.settingsPath.c_str());
}

void AddSampleGameCommand(CLI::App& app, int& exitCode) {
    auto* cmd = app.add_subcommand("sample-game",
                                   "Write a complete sample installation of the game (program files, object "
                                   "directories, object files, an archive and its settings file) into DIR");
    auto options = std::make_shared<SampleGameOptions>();
    cmd->add_option("DIR", options->directory, "Directory to write the installation into (made when missing)")
        ->required();
    cmd->add_option("--scale", options->scale, "Add N generated object files, loose and in archives (benchmarks)")
        ->check(CLI::Range(0, kMaxSampleScale));
    cmd->add_option("--seed", options->seed, "Seed of everything the installation holds (default 1)");
    cmd->callback([options, &exitCode] {
        options->progress = [](const std::string& line) {
            std::printf("%s\n", line.c_str());
            std::fflush(stdout);
        };
        const SampleGameResult result = WriteSampleGame(*options);
        if (!result.ok) {
            PrintError("sample-game: " + result.error);
            exitCode = kExitError;
            return;
        }
        PrintReport(result);
    });
}

CommandRegistrar registrar(50, AddSampleGameCommand);

}  // namespace

}  // namespace cli
