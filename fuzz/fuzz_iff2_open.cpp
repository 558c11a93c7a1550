// fuzz_iff2_open: opens the input as an IFF 2.x file (with a journal beside it, when the input holds one), fetches
// every resource, edits it and closes it.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>
#include <string>
#include <unistd.h>

#include "platform/HostFile.h"
#include "FuzzJournal.h"
#include "resfile/IFFResFile2.h"

namespace {
std::string gPath;

void RemoveScratch() {
    if (gPath.empty()) return;
    DeleteHostFile(gPath);
    DeleteHostFile(JournalPathOf(gPath));
}

bool WriteInput(const uint8_t* data, size_t size) {
    if (gPath.empty()) {
        // Memory-backed, so the syncs of each commit cost little.
        char pattern[] = "/dev/shm/reshaper-fuzz-iff2-XXXXXX";
        int fd = ::mkstemp(pattern);
        if (fd < 0) return false;
        ::close(fd);
        gPath = pattern;
        std::atexit(RemoveScratch);
    }
    auto f = HostFile::Create(gPath);
    return f && f->Write(data, static_cast<int64_t>(size)) == static_cast<int64_t>(size);
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* input, size_t inputSize) {
    // A journal may follow the file's bytes; the open that finds it rolls the file back first.
    std::vector<uint8_t> fileBytes, journal;
    fuzz_journal::Split(input, inputSize, fileBytes, journal);
    const uint8_t* data = fileBytes.data();
    const size_t size = fileBytes.size();
    // Inputs that do not start like a file get a version 2.5 header whose map offset is taken from
    // their first four bytes, so the fuzzer reaches maps and chunks without guessing the signature.
    std::vector<uint8_t> bytes(data, data + size);
    if (size < 8 || std::memcmp(data, "IFF FILE", 8) != 0) {
        uint32_t mapOffset = 0;
        for (size_t i = 0; i < 4 && i < size; ++i) mapOffset = (mapOffset << 8) | data[i];
        auto header = MakeIFFHeader25(mapOffset % 4096);
        bytes.assign(header.begin(), header.end());
        if (size > 4) bytes.insert(bytes.end(), data + 4, data + size);
    }
    if (!WriteInput(bytes.data(), bytes.size()) || !fuzz_journal::Place(gPath, journal)) return 0;
    IFFResFile2 file;
    if (file.Open(gPath) != kNoErr) return 0;
    for (int32_t t = 1; t <= file.CountTypes(); ++t) {
        ResType type = file.GetIndexedType(t);
        for (int32_t i = 1; i <= file.CountResources(type); ++i) file.GetIndexedResource(type, i, nullptr);
    }
    // Edits run the allocator, the freeing of the old map and, at close, compaction and the new map.
    if (file.CountTypes() > 0) {
        ResType type = file.GetIndexedType(1);
        if (DataHandle* h = file.GetIndexedResource(type, 1, nullptr)) {
            h->Resize(h->Size() + 3);
            file.Write(h);
        }
    }
    file.Add(NewHandle(40), kTypeBHAV, 1, "fuzz", true);
    file.Close();
    // What was written must open again.
    IFFResFile2 again;
    if (again.Open(gPath) == kNoErr) again.Close();
    return 0;
}
