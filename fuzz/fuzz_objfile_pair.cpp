// fuzz_objfile_pair: splits the input into an .iff and an .spf file, opens the pair as an object file,
// reads everything through the chain, draws the first frames of every sprite, adds resources of both routes and
// closes.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <unistd.h>
#include <vector>

#include "objects/palettes/PalWrap.h"
#include "objects/sprites/FrameRenderer.h"
#include "objects/sprites/SpriteFrameCount.h"
#include "platform/HostFile.h"
#include "resfile/IFFFormat.h"
#include "resfile/StdResFile.h"

namespace {
std::string gBase;

void RemoveScratch() {
    if (gBase.empty()) return;
    DeleteHostFile(gBase + "/pair.iff");
    DeleteHostFile(gBase + "/pair.spf");
    ::rmdir(gBase.c_str());
}

bool WriteFile(const std::string& path, const uint8_t* data, size_t size) {
    // Each half gets a version 2.5 header (map offset from its first bytes) unless it has one.
    std::vector<uint8_t> bytes(data, data + size);
    if (size < 8 || std::memcmp(data, "IFF FILE", 8) != 0) {
        uint32_t mapOffset = 0;
        for (size_t i = 0; i < 2 && i < size; ++i) mapOffset = (mapOffset << 8) | data[i];
        auto header = MakeIFFHeader25(mapOffset % 2048);
        bytes.assign(header.begin(), header.end());
        if (size > 2) bytes.insert(bytes.end(), data + 2, data + size);
    }
    auto f = HostFile::Create(path);
    return f && f->Write(bytes.data(), static_cast<int64_t>(bytes.size())) == static_cast<int64_t>(bytes.size());
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (gBase.empty()) {
        char pattern[] = "/dev/shm/reshaper-fuzz-pair-XXXXXX";
        if (!::mkdtemp(pattern)) return 0;
        gBase = pattern;
        std::atexit(RemoveScratch);
    }
    if (size < 2) return 0;
    size_t split = (static_cast<size_t>(data[0]) * 256 + data[1]) % (size - 1) + 2;
    if (!WriteFile(gBase + "/pair.iff", data + 2, split - 2)) return 0;
    if (!WriteFile(gBase + "/pair.spf", data + split, size - split)) return 0;

    ObjResFile file;
    if (file.Open(gBase + "/pair") != kNoErr) return 0;
    for (int32_t t = 1; t <= file.CountTypes(); ++t) {
        ResType type = file.GetIndexedType(t);
        for (int32_t i = 1; i <= file.CountResources(type); ++i)
            if (DataHandle* h = file.GetIndexedResource(type, i, nullptr)) {
                std::string name;
                file.GetName(h, name);
                ResID id = 0;
                file.GetID(h, id);
            }
    }
    // Sprites of either type and layout, found through the chain as the viewer and the export find them.
    for (ResType type : {kTypeSPRList, kTypeSPR2})
        for (int32_t i = 1; i <= file.CountResources(type); ++i) {
            DataHandle* h = file.GetIndexedResource(type, i, nullptr);
            if (!h) continue;
            ResID id = 0;
            file.GetID(h, id);
            file.ReleaseAndFree(h);  // the lookups below fetch it again, by id
            SurveySpriteFrames(file, id);
            const int32_t frames = CountSpriteFrames(file, id);
            for (int32_t f = 0; f < frames && f < 4; ++f) {
                PalWrap palette;
                FrameRenderRequest request;
                request.palette = &palette;
                request.wantColor = request.wantDepth = request.wantAlpha = true;
                RenderedFrame out;
                RenderSpriteFrame(file, id, f, request, out);
            }
        }
    file.Add(NewHandle(30), kTypeSPR2, 1, "sprite", true);
    file.Add(NewHandle(20), kTypeOBJD, 1, "object", true);
    std::string name;
    file.MakeUniqueName(kTypeOBJD, name);
    file.Close();
    return 0;
}
