// reshaper-cli check FILE: walks a file's chunks and compares them with its map.
#include <CLI/CLI.hpp>
#include <cstdio>
#include <map>
#include <vector>

#include "cli/CliCommon.h"
#include "cli/JsonOutput.h"
#include "cli/TerminalText.h"
#include "resfile/FlatFile.h"
#include "resfile/IFFMapCheck.h"
#include "resfile/IFFResFile2.h"

namespace cli {

namespace {

// A chunk the walk and the map disagree on.
struct ChunkNote {
    ResType type = 0;
    int16_t id = 0;
    int32_t offset = 0;
};

// What the check finds in one IFF 2.x file.
struct CheckReport {
    int version = 0;
    bool mapUsed = false;
    int32_t freeSpace = 0;
    std::vector<ChunkNote> unlisted;  // walked chunks the map does not list
    std::vector<ChunkNote> missing;   // map entries with no chunk at their offset
    size_t chunks = 0;
    int resources = 0;
    int maps = 0;
    long long freeBytes = 0;
    long long brokenAt = -1;       // offset of a chunk whose size ends the walk, -1 when none
    long long trailingBytes = 0;   // bytes after the last chunk
    int Problems() const {
        return static_cast<int>(unlisted.size() + missing.size()) + (brokenAt >= 0 || trailingBytes ? 1 : 0);
    }
};

// Walks one open IFF 2.x file and compares its chunks with its map; false when the file could not be read again
// for the walk.
bool CheckFile(IFFResFile2& file, const std::string& path, CheckReport& report) {
    report.version = file.GetVersion();
    report.mapUsed = file.WasOpenedThroughMap();
    report.freeSpace = file.GetFreeSpace();
    std::map<int32_t, std::pair<ResType, int16_t>> listed;
    for (const auto& g : file.GetMap()->groups)
        for (const auto& e : g.entries) listed[e.offset] = {g.type, e.id};

    FlatFile flat;
    if (flat.Open(path) != kNoErr) {
        PrintError("cannot reopen '" + path + "'");
        return false;
    }
    int32_t length = 0;
    flat.GetLength(length);
    ChunkWalk walk = WalkChunks(flat, length);
    flat.Close();
    for (const auto& c : walk.chunks) {
        if (c.flags & kResFlagFree) continue;
        if (c.type == kTypeResMap) {
            ++report.maps;
            continue;
        }
        ++report.resources;
        if (!listed.erase(c.offset)) report.unlisted.push_back({c.type, c.id, c.offset});
    }
    for (const auto& [offset, what] : listed) report.missing.push_back({what.first, what.second, offset});
    report.chunks = walk.chunks.size();
    report.freeBytes = static_cast<long long>(walk.freeBytes);
    if (walk.brokenChunk)
        report.brokenAt = static_cast<long long>(walk.end);
    else if (walk.trailingBytes)
        report.trailingBytes = static_cast<long long>(length - walk.end);
    return true;
}

void PrintCheck(const CheckReport& r) {
    std::printf("version     %d.%d\n", r.version >> 8, r.version & 0xFF);
    std::printf("map         %s\n", r.mapUsed ? "used" : "absent or not trusted: scanned");
    std::printf("free space  %d bytes (as the file counts it)\n", r.freeSpace);
    for (const ChunkNote& c : r.unlisted)
        std::printf("unlisted    %s %d at offset %d\n", ShowGameText(ResTypeToString(c.type)).c_str(), c.id, c.offset);
    for (const ChunkNote& c : r.missing)
        std::printf("missing     %s %d listed at offset %d has no chunk there\n",
                    ShowGameText(ResTypeToString(c.type)).c_str(), c.id, c.offset);
    std::printf("chunks      %zu (%d resources, %d map chunk%s), %lld free bytes found\n", r.chunks, r.resources,
                r.maps, r.maps == 1 ? "" : "s", r.freeBytes);
    if (r.brokenAt >= 0)
        std::printf("broken      the chunk at offset %lld has an impossible size: the walk ends there\n", r.brokenAt);
    else if (r.trailingBytes)
        std::printf("trailing    %lld bytes after the last chunk (a cut-off chunk header)\n", r.trailingBytes);
    std::printf("%s\n", r.Problems() ? "problems found" : "sound");
}

Json ChunkNotesJson(const std::vector<ChunkNote>& notes) {
    Json list = Json::array();
    for (const ChunkNote& c : notes)
        list.push_back({{"type", GameTextJson(ResTypeToString(c.type))}, {"id", c.id}, {"offset", c.offset}});
    return list;
}

Json CheckJson(const std::string& path, const CheckReport& r) {
    return {{"path", path},
            {"version", std::to_string(r.version >> 8) + "." + std::to_string(r.version & 0xFF)},
            {"mapUsed", r.mapUsed},
            {"freeSpace", r.freeSpace},
            {"unlisted", ChunkNotesJson(r.unlisted)},
            {"missing", ChunkNotesJson(r.missing)},
            {"chunks", r.chunks},
            {"resources", r.resources},
            {"mapChunks", r.maps},
            {"freeBytesFound", r.freeBytes},
            {"brokenAt", r.brokenAt >= 0 ? Json(r.brokenAt) : Json()},
            {"trailingBytes", r.trailingBytes},
            {"sound", r.Problems() == 0}};
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
    auto json = std::make_shared<bool>(false);
    AddJsonFlag(*cmd, *json);
    cmd->callback([path, json, &exitCode] {
        BrowsedFile browsed;
        if (!OpenAsTheBrowserDoes(*path, browsed)) {
            exitCode = kExitError;
            return;
        }
        bool problems = false;
        Json files = Json::array();
        for (iResFile* member : browsed.Members()) {
            std::string memberPath;
            member->GetPath(memberPath);
            if (!*json) std::printf("file        %s\n", ShowText(memberPath).c_str());
            auto* iff = dynamic_cast<IFFResFile2*>(member);
            if (!iff) {
                PrintError("'" + memberPath + "' is not a 2.x file: its chunks are not checked");
                exitCode = kExitError;
                return;
            }
            CheckReport report;
            if (!CheckFile(*iff, memberPath, report)) {
                exitCode = kExitError;
                return;
            }
            if (*json)
                files.push_back(CheckJson(memberPath, report));
            else
                PrintCheck(report);
            problems = problems || report.Problems() > 0;
        }
        if (*json) PrintJson({{"files", files}, {"sound", !problems}});
        if (problems) exitCode = kExitProblems;
    });
}

CommandRegistrar registrar(910, AddCheckCommand);

}  // namespace

}  // namespace cli
