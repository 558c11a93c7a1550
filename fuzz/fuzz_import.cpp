// fuzz_import: splits the input into an XML object document and one BMP file beside it, and imports the document
// into a fresh small object file (one object, one draw group, one sprite) with every question answered OK.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "app/ObjectFile.h"
#include "app/Prompt.h"
#include "import/ObjectImporter.h"
#include "platform/HostFile.h"
#include "resfile/IFFResFile2.h"
#include "resfile/StdResFile.h"

namespace {

std::string gBase;
// The document ends where this line begins; the rest of the input is the BMP file "f.bmp".
constexpr char kSplit[] = "\n--bmp--\n";

void RemoveScratch() {
    if (gBase.empty()) return;
    DeleteHostFile(gBase + "/doc.xml");
    DeleteHostFile(gBase + "/f.bmp");
    DeleteHostFile(gBase + "/object.iff");
    ::rmdir(gBase.c_str());
}

bool WriteFile(const std::string& path, const uint8_t* data, size_t size) {
    auto f = HostFile::Create(path);
    return f && f->Write(data, static_cast<int64_t>(size)) == static_cast<int64_t>(size);
}

void Put(IFFResFile2& f, ResType type, ResID id, const std::vector<uint8_t>& bytes) {
    DataHandle* h = NewHandleFrom(bytes.data(), static_cast<int32_t>(bytes.size()));
    f.AddVariant(h, type, id, "x", 0, true);
    if (f.GetError() != kNoErr) {
        FreeHandle(h);
        return;
    }
    f.Write(h);
    f.ReleaseAndFree(h);
}

bool MakeObjectFile(const std::string& path) {
    IFFResFile2 f;
    if (f.Create(path) != kNoErr || f.Open(path) != kNoErr) return false;
    std::vector<uint8_t> objd(216, 0);
    objd[0] = 138;            // version
    objd[6] = 100;            // basegraphic
    objd[8] = 1;              // numgraphics
    Put(f, kTypeOBJD, 128, objd);
    // A draw group (version 20004, one list, one item on sprite 200) and an empty sprite.
    std::vector<uint8_t> dgrp = {0x24, 0x4E, 1, 0, 0, 0, 0x10, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 200, 0, 0, 0};
    dgrp.resize(dgrp.size() + 28, 0);
    Put(f, kTypeDGRP, 100, dgrp);
    Put(f, kTypeSPR2, 200, {0xE8, 3, 0, 0, 0, 0, 0, 0, 7, 0, 0, 0});
    return f.Close() == kNoErr;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (gBase.empty()) {
        char pattern[] = "/dev/shm/reshaper-fuzz-import-XXXXXX";
        if (!::mkdtemp(pattern)) return 0;
        gBase = pattern;
        std::atexit(RemoveScratch);
        SetDefaultPromptAnswer(true);
    }
    const uint8_t* end = data + size;
    const uint8_t* split = static_cast<const uint8_t*>(memmem(data, size, kSplit, sizeof kSplit - 1));
    const size_t docSize = split ? static_cast<size_t>(split - data) : size;
    const uint8_t* bmp = split ? split + sizeof kSplit - 1 : end;
    if (!WriteFile(gBase + "/doc.xml", data, docSize)) return 0;
    if (!WriteFile(gBase + "/f.bmp", bmp, static_cast<size_t>(end - bmp))) return 0;
    DeleteHostFile(gBase + "/object.iff");
    if (!MakeObjectFile(gBase + "/object.iff")) return 0;

    ObjectFile record;
    auto file = std::make_unique<ObjResFile>();
    if (file->Open(gBase + "/object") != kNoErr) return 0;
    record.path = gBase + "/object.iff";
    record.file = std::move(file);
    LoadObjectFile(record, true);
    ImportObjectDocument(record, gBase + "/doc.xml");
    return 0;
}
