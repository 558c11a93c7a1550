// fuzz_archive_map: maps a directory holding the input as an archive, then enumerates and reads every member.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include <unistd.h>

#include "platform/HostFile.h"
#include "resfile/CTGFileManager.h"

namespace {

std::string gDirectory;  // host path of the scratch directory, made once per process

void RemoveScratch() {
    if (gDirectory.empty()) return;
    DeleteHostFile(gDirectory + "/x.far");
    ::rmdir(gDirectory.c_str());
}

bool MakeScratch() {
    if (!gDirectory.empty()) return true;
    char pattern[] = "/tmp/reshaper-fuzz-XXXXXX";
    if (!::mkdtemp(pattern)) return false;
    gDirectory = pattern;
    std::atexit(RemoveScratch);
    return true;
}

// Reads every file below `directory` (a normalised key with its final '\'), descending into subdirectories.
void ReadEverything(CTGFileManager& fm, const std::string& directory, int depth) {
    if (depth > 300) return;  // member names are at most 259 characters, so real trees are never deeper
    std::vector<std::string> subdirectories;
    TGFindData found;
    for (bool ok = fm.FindFirst(directory + "*", found); ok; ok = fm.FindNext(found)) {
        std::string path = directory + found.name;
        if (found.isDirectory) {
            subdirectories.push_back(path + "\\");
            continue;
        }
        TGOpenFile* file = fm.Open(path, false);
        if (!file) continue;
        uint8_t buffer[4096];
        while (file->Read(buffer, sizeof buffer) > 0) {
        }
        // Seeking to the end and past it must behave too.
        file->Seek(file->GetLength());
        file->Read(buffer, 1);
        file->Seek(file->GetLength() + 1 > 0 ? file->GetLength() + 1 : 0);
        fm.Close(file);
        if (fm.Open(path, true)) std::abort();  // a member must never open for writing
    }
    for (const std::string& sub : subdirectories) ReadEverything(fm, sub, depth + 1);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (!MakeScratch()) return 0;
    {
        std::unique_ptr<HostFile> archive = HostFile::Create(gDirectory + "/x.far");
        if (!archive) return 0;
        if (size > 0 && archive->Write(data, static_cast<int64_t>(size)) != static_cast<int64_t>(size)) return 0;
    }
    CTGFileManager& fm = CTGFileManager::Instance();
    std::string key = gDirectory + "\\";
    fm.MapDirectory(key, false, true);
    ReadEverything(fm, CTGFileManager::NormalizePath(key), 0);
    fm.Reset();
    return 0;
}
