// IFFMapCheck: the checks that decide whether a stored map and a chunk sequence can be trusted,
// shared by the open of a file and by the `check` command.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "resfile/IFFResMap.h"

class FlatFile;

// True when every entry of the map lies inside a file of this length (room for its chunk header
// behind offset 64) and no two entries share an offset.
bool IsMapPlausible(const IFFResMap& map, int32_t fileLength);

// One chunk as a walk from offset 64 met it.
struct ChunkWalkItem {
    int32_t offset = 0;
    uint32_t type = 0;
    int32_t size = 0;
    int16_t id = 0;
    uint16_t flags = 0;
    std::string name;
};

struct ChunkWalk {
    std::vector<ChunkWalkItem> chunks;
    int64_t freeBytes = 0;
    int64_t end = 0;           // offset where the walk stopped
    bool brokenChunk = false;  // a chunk size outside 76..0x40000000 or past the file's end stopped it
    bool trailingBytes = false; // bytes after the last whole chunk header
};

// Walks every chunk header of a version 2.x file from offset 64 (the file must be open).
ChunkWalk WalkChunks(FlatFile& file, int32_t fileLength);
