// IFFMapCheck: plausibility of stored maps and the walk over a file's chunk headers.
#include "resfile/IFFMapCheck.h"

#include <algorithm>

#include "resfile/FlatFile.h"
#include "resfile/IFFFormat.h"

bool IsMapPlausible(const IFFResMap& map, int32_t fileLength) {
    std::vector<int32_t> offsets;
    size_t total = 0;
    for (const auto& g : map.groups) total += g.entries.size();
    offsets.reserve(total);
    for (const auto& g : map.groups)
        for (const auto& e : g.entries) {
            if (e.offset < kIFFHeaderSize || static_cast<int64_t>(e.offset) + kChunkHeaderSize > fileLength)
                return false;
            offsets.push_back(e.offset);
        }
    // A map this program wrote lists its entries in file order within each type; the sort is for the others.
    if (!std::is_sorted(offsets.begin(), offsets.end())) std::sort(offsets.begin(), offsets.end());
    return std::adjacent_find(offsets.begin(), offsets.end()) == offsets.end();
}

ChunkWalk WalkChunks(FlatFile& file, int32_t fileLength) {
    ChunkWalk walk;
    int64_t offset = kIFFHeaderSize;
    uint8_t bytes[kChunkHeaderSize];
    while (offset + kChunkHeaderSize <= fileLength) {
        if (file.Seek(static_cast<int32_t>(offset)) || file.Read(bytes, kChunkHeaderSize)) break;
        ChunkHeader h = ParseChunkHeader(bytes);
        if (!h.SizeInRange() || offset + h.size > fileLength) {
            walk.brokenChunk = true;
            break;
        }
        walk.chunks.push_back({static_cast<int32_t>(offset), h.type, h.size, h.id, h.flags, h.NameText()});
        if (h.IsFree()) walk.freeBytes += h.size;
        offset += h.size;
    }
    walk.end = offset;
    walk.trailingBytes = !walk.brokenChunk && offset < fileLength;
    return walk;
}
