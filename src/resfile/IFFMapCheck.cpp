// IFFMapCheck: plausibility of stored maps and the walk over a file's chunk headers.
#include "resfile/IFFMapCheck.h"

#include <algorithm>

#include "resfile/FlatFile.h"
#include "resfile/IFFFormat.h"

namespace {

// Groups merged by picking the smallest head; more groups than this are sorted instead.
constexpr size_t kMergedGroups = 16;

// True when two entries share an offset; every group must list its entries in ascending order.
bool SharesOffsetMerging(const IFFResMap& map) {
    const size_t groups = map.groups.size();
    size_t next[kMergedGroups] = {};
    int64_t last = -1;
    for (;;) {
        size_t best = groups;
        for (size_t g = 0; g < groups; ++g) {
            const auto& entries = map.groups[g].entries;
            if (next[g] < entries.size() &&
                (best == groups || entries[next[g]].offset < map.groups[best].entries[next[best]].offset))
                best = g;
        }
        if (best == groups) return false;
        const int32_t offset = map.groups[best].entries[next[best]++].offset;
        if (offset == last) return true;
        last = offset;
    }
}

bool SharesOffsetSorting(const IFFResMap& map) {
    std::vector<int32_t> offsets;
    size_t total = 0;
    for (const auto& g : map.groups) total += g.entries.size();
    offsets.reserve(total);
    for (const auto& g : map.groups)
        for (const auto& e : g.entries) offsets.push_back(e.offset);
    std::sort(offsets.begin(), offsets.end());
    return std::adjacent_find(offsets.begin(), offsets.end()) != offsets.end();
}

}  // namespace

bool IsMapPlausible(const IFFResMap& map, int32_t fileLength) {
    // A map this program wrote lists its entries in file order within each type: such groups are merged in
    // place, any others are copied and sorted.
    bool ascending = true;
    for (const auto& g : map.groups) {
        int64_t previous = -1;
        for (const auto& e : g.entries) {
            if (e.offset < kIFFHeaderSize || static_cast<int64_t>(e.offset) + kChunkHeaderSize > fileLength)
                return false;
            if (e.offset == previous) return false;
            if (e.offset < previous) ascending = false;
            previous = e.offset;
        }
    }
    if (ascending && map.groups.size() <= kMergedGroups) return !SharesOffsetMerging(map);
    return !SharesOffsetSorting(map);
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
