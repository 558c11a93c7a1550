// SampleIFFImage: header, chunk sequence and resource map of an IFF file built in memory.
#include "sample/SampleIFFImage.h"

#include "resfile/DataHandle.h"
#include "resfile/IFFFormat.h"
#include "resfile/IFFResMap.h"
#include "resfile/ReconBlock.h"
#include "resfile/ReconObject.h"

namespace {

void AppendChunk(std::vector<uint8_t>& out, ResType type, ResID id, uint16_t flags, const std::string& name,
                 const uint8_t* data, size_t size) {
    ChunkHeader h;
    h.type = type;
    h.size = static_cast<int32_t>(size) + kChunkHeaderSize;
    h.id = id;
    h.flags = flags;
    h.SetName(name);
    const auto header = SerializeChunkHeader(h);
    out.insert(out.end(), header.begin(), header.end());
    if (size) out.insert(out.end(), data, data + size);
}

}  // namespace

void SampleIFFImage::Add(ResType type, ResID id, const std::string& name, std::vector<uint8_t> data, uint16_t flags) {
    resources_.push_back(Resource{type, id, name.substr(0, kChunkNameSize - 1), flags, std::move(data)});
}

bool SampleIFFImage::AppendChunks(std::vector<uint8_t>& out, std::vector<int32_t>& offsets) const {
    for (const Resource& r : resources_) {
        if (r.data.size() > static_cast<size_t>(kMaxChunkSize - kChunkHeaderSize)) return false;
        if (out.size() + r.data.size() + kChunkHeaderSize > static_cast<size_t>(INT32_MAX)) return false;
        offsets.push_back(static_cast<int32_t>(out.size()));
        AppendChunk(out, r.type, r.id, r.flags, r.name, r.data.data(), r.data.size());
    }
    return true;
}

std::vector<uint8_t> SampleIFFImage::Build25() const {
    std::vector<uint8_t> out(kIFFHeaderSize);
    std::vector<int32_t> offsets;
    if (!AppendChunks(out, offsets)) return {};
    IFFResMap map;
    for (size_t i = 0; i < resources_.size(); ++i) {
        const Resource& r = resources_[i];
        IFFResTypeGroup& group = map.GetOrAddGroup(r.type);
        group.entries.emplace_back();
        IFFResMapEntry& e = group.entries.back();
        e.offset = offsets[i];
        e.id = r.id;
        e.flags = e.storedFlags = r.flags;
        e.name = r.name;
    }
    SimpleReconObject<IFFResMap> object(&map, kTypeResMap);
    HandleOwner block(SerializeToHandle(object, 0));
    if (!block) return {};
    const auto mapOffset = static_cast<uint32_t>(out.size());
    if (out.size() + static_cast<size_t>(block->Size()) + kChunkHeaderSize > static_cast<size_t>(INT32_MAX)) return {};
    AppendChunk(out, kTypeResMap, 0, kResFlagConverted, "", block->Data(), static_cast<size_t>(block->Size()));
    const IFFHeaderBytes header = MakeIFFHeader25(mapOffset);
    std::copy(header.begin(), header.end(), out.begin());
    return out;
}

std::vector<uint8_t> SampleIFFImage::Build20() const {
    std::vector<uint8_t> out(kIFFHeaderSize);
    std::vector<int32_t> offsets;
    if (!AppendChunks(out, offsets)) return {};
    IFFHeaderBytes header = MakeIFFHeader25(0);
    header[11] = '0';
    std::copy(header.begin(), header.end(), out.begin());
    return out;
}
