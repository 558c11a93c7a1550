// ArchiveManifest: reads the list of members at the end of a game archive (the layout ArchiveWriter writes).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class HostFile;

struct ArchiveMember {
    std::string name;  // as stored: not normalised
    int64_t offset = 0;
    int32_t size = 0;
};

// The archive's members in manifest order. A header or manifest that cannot be read lists nothing; a cut
// manifest lists the members read before the cut. Names longer than `maxNameLength` and members with a negative
// offset or length are left out; a member whose data lies (partly) past the archive's end is listed all the same
// (its reads come short). At most `maxManifestBytes` of the manifest are read.
std::vector<ArchiveMember> ReadArchiveManifest(HostFile& archive, int32_t maxNameLength, int64_t maxManifestBytes);
