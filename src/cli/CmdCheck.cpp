// reshaper-cli check FILE: walks a file's chunks and compares them with its map.
#include <CLI/CLI.hpp>
#include <cstdio>
#include <map>

#include "cli/CliCommon.h"
#include "resfile/FlatFile.h"
#include "resfile/IFFMapCheck.h"
#include "resfile/IFFResFile2.h"

namespace cli {

namespace {

void AddCheckCommand(CLI::App& app, int& exitCode) {
    auto* cmd = app.add_subcommand("check", "Open FILE, walk its chunks and report free space, the state of its map "
                                            "and any chunk that ends a walk early (exit 3 when problems are found)");
    auto path = std::make_shared<std::string>();
    cmd->add_option("FILE", *path, "Resource file (.iff, .spf)")->required();
    cmd->callback([path, &exitCode] {
        IFFResFile2 file;
        ResErr err = file.Open(*path);
        if (err) {
            PrintError("cannot open '" + *path + "': " + ErrorText(err));
            exitCode = kExitError;
            return;
        }
        int problems = 0;
        std::printf("version     %d.%d\n", file.GetVersion() >> 8, file.GetVersion() & 0xFF);
        std::printf("map         %s\n", file.WasOpenedThroughMap() ? "used" : "absent or not trusted: scanned");
        std::printf("free space  %d bytes (as the file counts it)\n", file.GetFreeSpace());
        std::map<int32_t, std::pair<ResType, int16_t>> listed;
        for (const auto& g : file.GetMap()->groups)
            for (const auto& e : g.entries) listed[e.offset] = {g.type, e.id};
        file.Close();

        FlatFile flat;
        if (flat.Open(*path) != kNoErr) {
            PrintError("cannot reopen '" + *path + "'");
            exitCode = kExitError;
            return;
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
                std::printf("unlisted    %s %d at offset %d\n", ResTypeToString(c.type).c_str(), c.id, c.offset);
                ++problems;
            }
        }
        for (const auto& [offset, what] : listed) {
            std::printf("missing     %s %d listed at offset %d has no chunk there\n",
                        ResTypeToString(what.first).c_str(), what.second, offset);
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
        if (problems) exitCode = kExitProblems;
    });
}

CommandRegistrar registrar(910, AddCheckCommand);

}  // namespace

}  // namespace cli
