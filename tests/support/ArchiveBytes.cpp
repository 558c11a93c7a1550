// ArchiveBytes: writer of small game archives for tests.
#include "support/ArchiveBytes.h"

#include "support/TempDir.h"

namespace reshaper_test {

std::vector<uint8_t> BuildArchive(const std::vector<ArchiveMemberText>& members) {
    std::vector<uint8_t> out;
    AppendText(out, "FAR!byAZ");
    AppendUInt32LE(out, 1);
    AppendUInt32LE(out, 0);  // manifest offset, patched below
    std::vector<uint32_t> offsets;
    for (const ArchiveMemberText& m : members) {
        offsets.push_back(static_cast<uint32_t>(out.size()));
        AppendText(out, m.data);
    }
    uint32_t manifest = static_cast<uint32_t>(out.size());
    for (int i = 0; i < 4; ++i) out[12 + i] = static_cast<uint8_t>(manifest >> (8 * i));
    AppendUInt32LE(out, static_cast<uint32_t>(members.size()));
    for (size_t i = 0; i < members.size(); ++i) {
        AppendUInt32LE(out, static_cast<uint32_t>(members[i].data.size()));
        AppendUInt32LE(out, static_cast<uint32_t>(members[i].data.size()));
        AppendUInt32LE(out, offsets[i]);
        AppendUInt32LE(out, static_cast<uint32_t>(members[i].name.size()));
        AppendText(out, members[i].name);
    }
    return out;
}

}  // namespace reshaper_test
