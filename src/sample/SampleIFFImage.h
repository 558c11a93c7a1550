// SampleIFFImage: the bytes of a whole IFF resource file, laid out in memory from a list of resources.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "resfile/ResTypes.h"

// The sample installation writes thousands of files; writing each through IFFResFile2 would flush the disk after
// every resource. The images built here have the form that class leaves behind when it closes a new file: the
// header, the chunks from offset 64 without gaps (here in the order added), and for version 2.5 the resource map
// as the last chunk, named by the header.
class SampleIFFImage {
public:
    // Adds a resource; `flags` are stored as given (converted, 0x0010, for data in host order; 0 for older data that
    // the loader still has to convert). Names are cut to 63 characters.
    void Add(ResType type, ResID id, const std::string& name, std::vector<uint8_t> data,
             uint16_t flags = kResFlagConverted);
    bool IsEmpty() const { return resources_.empty(); }
    size_t Count() const { return resources_.size(); }

    // A version 2.5 file: header (map offset at 60), chunks, then the rsmp chunk (id 0, converted, no name) listing
    // every resource by type in the order types were first added, with a free-space count of 0. Empty when a chunk
    // or the map would pass the format's limits.
    std::vector<uint8_t> Build25() const;
    // A version 2.0 file as older tools wrote it: the header with version digits 2 and 0 and zero bytes at 60, then
    // the chunks; no map, so readers scan it. Empty when a chunk would pass the format's limits.
    std::vector<uint8_t> Build20() const;

private:
    struct Resource {
        ResType type;
        ResID id;
        std::string name;
        uint16_t flags;
        std::vector<uint8_t> data;
    };
    // Appends every chunk; false when one is too large. Offsets of the chunks go to `offsets`.
    bool AppendChunks(std::vector<uint8_t>& out, std::vector<int32_t>& offsets) const;
    std::vector<Resource> resources_;
};
