// IFFMapCheck: plausibility of stored maps and the walk over a file's chunk headers.
#include "resfile/IFFMapCheck.h"

#include <algorithm>
#include <cstdint>

#include "resfile/FlatFile.h"
#include "resfile/IFFFormat.h"

namespace {

// Groups merged by picking the smallest head; more groups than this are sorted instead.
constexpr size_t kMergedGroups = 16;

// True when two entries share an offset. Every group lists its offsets in ascending order, or in descending
// order (descending[g]), and is merged from its low end; each group's next offset is kept at hand.
bool SharesOffsetMerging(const IFFResMap& map, const bool* descending) {
    const size_t groups = map.groups.size();
    if (groups == 0) return false;
    constexpr int64_t kDone = INT64_MAX;
    size_t taken[kMergedGroups] = {};
    int64_t head[kMergedGroups];
    auto refresh = [&](size_t g) {
        const auto& entries = map.groups[g].entries;
        const size_t n = entries.size();
        head[g] = taken[g] >= n ? kDone : entries[descending[g] ? n - 1 - taken[g] : taken[g]].offset;
    };
    for (size_t g = 0; g < groups; ++g) refresh(g);
    int64_t last = -1;
    for (;;) {
        size_t best = 0;
        for (size_t g = 1; g < groups; ++g)
            if (head[g] < head[best]) best = g;
        if (head[best] == kDone) return false;
        if (head[best] == last) return true;
        last = head[best];
        ++taken[best];
        refresh(best);
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
    // A map this program wrote lists each type's entries in file order, or in reverse order for resources
    // written at close: such groups are merged in place, any others are copied and sorted.
    const bool mergeable = map.groups.size() <= kMergedGroups;
    bool descending[kMergedGroups] = {};
    bool monotonic = mergeable;
    for (size_t g = 0; g < map.groups.size(); ++g) {
        int64_t previous = -1;
        size_t rises = 0, falls = 0;
        for (const auto& e : map.groups[g].entries) {
            if (e.offset < kIFFHeaderSize || static_cast<int64_t>(e.offset) + kChunkHeaderSize > fileLength)
                return false;
            if (e.offset == previous) return false;
            if (previous >= 0) ++(e.offset > previous ? rises : falls);
            previous = e.offset;
        }
        if (rises && falls) monotonic = false;
        if (mergeable) descending[g] = falls > 0;
    }
    if (monotonic) return !SharesOffsetMerging(map, descending);
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
