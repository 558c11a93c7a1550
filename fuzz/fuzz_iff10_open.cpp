// fuzz_iff10_open: opens the input as an IFF 1.0 file (with a journal beside it, when the input holds one),
// fetches every resource with its name, edits it and closes it.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>
#include <unistd.h>

#include "platform/HostFile.h"
#include "resfile/IFFFormat.h"
#include "resfile/IFFResFile.h"
#include "FuzzJournal.h"

namespace {
std::string gPath;

void RemoveScratch() {
    if (gPath.empty()) return;
    DeleteHostFile(gPath);
    DeleteHostFile(JournalPathOf(gPath));
}

// An input that does not start like a header is taken as the chunk sequence behind the exact 1.0
// header, so that the fuzzer reaches the chunks without having to find the 64 header bytes first.
bool WriteInput(const uint8_t* data, size_t size) {
    if (gPath.empty()) {
        char pattern[] = "/tmp/reshaper-fuzz-iff10-XXXXXX";
        int fd = ::mkstemp(pattern);
        if (fd < 0) return false;
        ::close(fd);
        gPath = pattern;
        std::atexit(RemoveScratch);
    }
    auto f = HostFile::Create(gPath);
    if (!f) return false;
    if (size < 4 || std::memcmp(data, "IFF ", 4) != 0) {
        auto header = MakeIFFHeader10();
        if (f->Write(header.data(), kIFFHeaderSize) != kIFFHeaderSize) return false;
    }
    return f->Write(data, static_cast<int64_t>(size)) == static_cast<int64_t>(size);
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* input, size_t inputSize) {
    // A journal may follow the file's bytes; the open that finds it rolls the file back first.
    std::vector<uint8_t> fileBytes, journal;
    fuzz_journal::Split(input, inputSize, fileBytes, journal);
    if (!WriteInput(fileBytes.data(), fileBytes.size()) || !fuzz_journal::Place(gPath, journal)) return 0;
    IFFResFile file;
    if (file.Open(gPath) != kNoErr) return 0;
    std::string name;
    for (int32_t t = 1; t <= file.CountTypes(); ++t) {
        ResType type = file.GetIndexedType(t);
        for (int32_t i = 1; i <= file.CountResources(type); ++i)
            if (DataHandle* h = file.GetIndexedResource(type, i, nullptr)) file.GetName(h, name);
    }
    // Edits run the allocator, the name list written back and, at close, compaction.
    if (file.CountTypes() > 0) {
        ResType type = file.GetIndexedType(1);
        if (DataHandle* h = file.GetIndexedResource(type, 1, nullptr)) {
            h->Resize(h->Size() + 3);
            file.Write(h);
            file.SetInfo(h, 7, "renamed", 0);
        }
    }
    DataHandle* added = NewHandle(40);
    file.Add(added, kTypeBHAV, 1, "fuzz", true);
    if (file.GetError() != kNoErr) FreeHandle(added);  // a refused handle stays the caller's
    file.Close();
    // What was written must open again.
    IFFResFile again;
    if (again.Open(gPath) == kNoErr) again.Close();
    return 0;
}
