// bench_catalog_scan: the start-up catalogue scan of the sample installation at scale 5000, against a floor of
// plain reads of exactly the bytes the scan needs from the same files, in the same run.
#include <benchmark/benchmark.h>

#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "app/AppSettings.h"
#include "app/ObjectCatalog.h"
#include "platform/HostFile.h"
#include "platform/HostPath.h"
#include "resfile/CTGFileManager.h"
#include "resfile/IFFResFile2.h"
#include "resfile/StdResFile.h"
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

// What the scan cannot do without: for every catalogued file (archive members included) its header, its map
// chunk and every object definition chunk, each read with one pread at an offset known beforehand, the loose
// files opened and closed, and one listing of each directory in place of the companion probes.
struct Floor {
    struct Region {
        int64_t offset;
        int64_t size;
    };
    struct File {
        std::string hostPath;               // a loose file, opened for its reads
        std::shared_ptr<HostFile> archive;  // else the archive its member lies in
        int64_t base = 0;
        std::vector<Region> regions;
    };
    std::vector<File> files;
    std::vector<std::string> directories;
    int64_t bytes = 0;
};

Floor& GetFloor() {
    static Floor floor = [] {
        Floor out;
        Installation& inst = Get();
        std::filesystem::path previous = std::filesystem::current_path();
        std::filesystem::current_path(inst.dir);
        CTGFileManager& fm = CTGFileManager::Instance();
        fm.Reset();
        for (const auto& d : ObjectDirectories()) fm.MapDirectory(d, true, true);
        ObjectCatalog catalog;
        catalog.Scan(ObjectDirectories(), InternalObjectPaths(), CloneDirectory);
        std::set<std::string> directories;
        for (const auto& record : catalog.Files()) {
            for (int m = 0; m < record->file->CountMembers(); ++m) {
                auto* member = dynamic_cast<IFFResFile2*>(record->file->GetMember(m));
                if (!member || !member->GetMap()) continue;
                std::string path;
                member->GetPath(path);
                const CTGFileManager::Entry* e = fm.FindEntry(CTGFileManager::NormalizePath(path));
                Floor::File f;
                if (e && e->archiveMember) {
                    f.archive = e->archive;
                    f.base = e->offset;
                } else {
                    f.hostPath = (std::filesystem::path(inst.dir) / ResolveHostPath(path)).string();
                    directories.insert(std::filesystem::path(f.hostPath).parent_path().string());
                }
                auto sizeAt = [&](int64_t at) {
                    uint8_t h[8] = {};
                    std::unique_ptr<HostFile> own = f.archive ? nullptr : HostFile::Open(f.hostPath, false);
                    HostFile& file = f.archive ? *f.archive : *own;
                    file.ReadAt(f.base + at, h, 8);
                    return static_cast<int64_t>((h[4] << 24) | (h[5] << 16) | (h[6] << 8) | h[7]);
                };
                f.regions.push_back({0, 64});
                uint8_t header[64] = {};
                {
                    std::unique_ptr<HostFile> own = f.archive ? nullptr : HostFile::Open(f.hostPath, false);
                    (f.archive ? *f.archive : *own).ReadAt(f.base, header, 64);
                }
                int64_t map = (header[60] << 24) | (header[61] << 16) | (header[62] << 8) | header[63];
                if (map != 0) f.regions.push_back({map, sizeAt(map)});
                for (const auto& g : member->GetMap()->groups)
                    if (g.type == kTypeOBJD)
                        for (const auto& entry : g.entries) f.regions.push_back({entry.offset, sizeAt(entry.offset)});
                for (const auto& r : f.regions) out.bytes += r.size;
                out.files.push_back(std::move(f));
            }
        }
        out.directories.assign(directories.begin(), directories.end());
        fm.Reset();
        std::filesystem::current_path(previous);
        return out;
    }();
    return floor;
}

void BM_FloorReads(benchmark::State& state) {
    Floor& floor = GetFloor();
    std::vector<uint8_t> buffer(1 << 20);
    for (auto _ : state) {
        for (const auto& d : floor.directories) {
            DIR* dir = ::opendir(d.c_str());
            while (dir && ::readdir(dir)) {
            }
            if (dir) ::closedir(dir);
        }
        for (const auto& f : floor.files) {
            int fd = f.archive ? -1 : ::open(f.hostPath.c_str(), O_RDONLY);
            for (const auto& r : f.regions) {
                size_t n = std::min<size_t>(buffer.size(), static_cast<size_t>(r.size));
                if (f.archive)
                    f.archive->ReadAt(f.base + r.offset, buffer.data(), static_cast<int64_t>(n));
                else if (::pread(fd, buffer.data(), n, r.offset) < 0)
                    state.SkipWithError("read failed");
            }
            benchmark::DoNotOptimize(buffer.data());
            if (fd >= 0) ::close(fd);
        }
    }
    state.counters["files"] = static_cast<double>(floor.files.size());
    state.counters["bytes"] = static_cast<double>(floor.bytes);
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(floor.files.size()));
}

BENCHMARK(BM_FloorReads)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CatalogScan)->Unit(benchmark::kMillisecond);

}  // namespace
