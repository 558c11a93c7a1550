// reshaper-cli check FILE: walks a file's chunks and compares them with its map.
#include <CLI/CLI.hpp>
#include <cstdio>
#include <map>

#include "cli/CliCommon.h"
#include "cli/TerminalText.h"
#include "resfile/FlatFile.h"
#include "resfile/IFFMapCheck.h"
#include "resfile/IFFResFile2.h"

namespace cli {

namespace {

// Reports on one open IFF 2.x file: version, map, free space, then the walk of its chunks compared with the map.
// Returns the number of problems found, or -1 when the file could not be read again for the walk.
int CheckFile(IFFResFile2& file, const std::string& path) {
    int problems = 0;
    std::printf("version     %d.%d\n", file.GetVersion() >> 8, file.GetVersion() & 0xFF);
    std::printf("map         %s\n", file.WasOpenedThroughMap() ? "used" : "absent or not trusted: scanned");
    std::printf("free space  %d bytes (as the file counts it)\n", file.GetFreeSpace());
    std::map<int32_t, std::pair<ResType, int16_t>> listed;
    for (const auto& g : file.GetMap()->groups)
        for (const auto& e : g.entries) listed[e.offset] = {g.type, e.id};

    FlatFile flat;
    if (flat.Open(path) != kNoErr) {
        PrintError("cannot reopen '" + path + "'");
        return -1;
    }
    int32_t length = 0;
    flat.GetLength(length);
    ChunkWalk walk = WalkChunks(flat, length);
    flat.Close();
    int resources = 0;
    int maps = 0;
    for (const auto& c : walk.chunks) {
        if (c.flags & kResFlagFree) continue;
        if (c.type == kTypeResMap) {
            ++maps;
            continue;
        }
        ++resources;
        if (!listed.erase(c.offset)) {
            std::printf("unlisted    %s %d at offset %d\n", ShowGameText(ResTypeToString(c.type)).c_str(), c.id, c.offset);
            ++problems;
        }
    }
    for (const auto& [offset, what] : listed) {
        std::printf("missing     %s %d listed at offset %d has no chunk there\n",
                    ShowGameText(ResTypeToString(what.first)).c_str(), what.second, offset);
        ++problems;
    }
    std::printf("chunks      %zu (%d resources, %d map chunk%s), %lld free bytes found\n", walk.chunks.size(),
                resources, maps, maps == 1 ? "" : "s", static_cast<long long>(walk.freeBytes));
    if (walk.brokenChunk) {
        std::printf("broken      the chunk at offset %lld has an impossible size: the walk ends there\n",
                    static_cast<long long>(walk.end));
        ++problems;
    } else if (walk.trailingBytes) {
        std::printf("trailing    %lld bytes after the last chunk (a cut-off chunk header)\n",
                    static_cast<long long>(length - walk.end));
        ++problems;
    }
    std::printf("%s\n", problems ? "problems found" : "sound");
    return problems;
}

void AddCheckCommand(CLI::App& app, int& exitCode) {
    auto* cmd = app.add_subcommand("check", "Open FILE, walk its chunks and report free space, the state of its map "
                                            "and any chunk that ends a walk early (exit 3 when problems are found); "
                                            "an object file's .iff and .spf one after the other");
    auto path = std::make_shared<std::string>();
    cmd->add_option("FILE", *path,
                    "Resource file: a path (.iff, .spf), a name from the catalogue or a game path (archive members "
                    "too)")
        ->required();
    cmd->callback([path, &exitCode] {
        BrowsedFile browsed;
        if (!OpenAsTheBrowserDoes(*path, browsed)) {
            exitCode = kExitError;
            return;
        }
        bool problems = false;
        for (iResFile* member : browsed.Members()) {
            std::string memberPath;
            member->GetPath(memberPath);
            std::printf("file        %s\n", ShowText(memberPath).c_str());
            auto* iff = dynamic_cast<IFFResFile2*>(member);
            if (!iff) {
                PrintError("'" + memberPath + "' is not a 2.x file: its chunks are not checked");
                exitCode = kExitError;
                return;
            }
            const int found = CheckFile(*iff, memberPath);
            if (found < 0) {
                exitCode = kExitError;
                return;
            }
            problems = problems || found > 0;
        }
        if (problems) exitCode = kExitProblems;
    });
}

CommandRegistrar registrar(910, AddCheckCommand);

}  // namespace

}  // namespace cli
