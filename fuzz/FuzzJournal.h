// FuzzJournal: splits a fuzz input into a file and the journal a crash left beside it.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "platform/ByteReader.h"
#include "platform/HostFile.h"
#include "resfile/FileJournal.h"

namespace fuzz_journal {

// The input is the file's bytes, then optionally the marker "~JRNL~" and the journal: with an even first byte
// the rest as raw journal bytes (mostly damaged ones, which must only be removed); with an odd one the fields
// of a well-formed journal (original length, then ranges as offset, length and bytes), so that rolling back is
// reached too. Bit 1 of that byte marks the file as created by the commit, bit 2 names a super-journal.
inline void Split(const uint8_t* data, size_t size, std::vector<uint8_t>& file, std::vector<uint8_t>& journal) {
    static const char kMarker[] = "~JRNL~";
    const uint8_t* end = data + size;
    const uint8_t* at = std::search(data, end, kMarker, kMarker + 6);
    file.assign(data, at);
    journal.clear();
    if (at == end || end - at <= 6) return;
    ByteReader r(at + 6, static_cast<size_t>(end - at - 6));
    uint8_t mode = r.ReadUInt8();
    if ((mode & 1) == 0) {
        journal.assign(at + 7, end);
        return;
    }
    FileJournal j;
    j.createdFile = (mode & 2) != 0;
    if (mode & 4) j.superJournal = "gone-superjournal";
    j.originalLength = r.ReadUInt32LE() % (1 << 20);
    for (uint8_t count = r.ReadUInt8(); count > 0 && !r.HasFailed(); --count) {
        SavedRange range;
        range.offset = r.ReadUInt32LE() % (1 << 20);
        uint16_t n = r.ReadUInt16LE();
        n = static_cast<uint16_t>(std::min<size_t>(n, r.GetRemaining()));
        const uint8_t* p = r.ReadSpan(n);
        if (r.HasFailed()) break;
        range.bytes.assign(p, p + n);
        j.ranges.push_back(std::move(range));
    }
    journal = EncodeJournal(j);
}

// Writes the journal beside the file (or removes one left by the last input).
inline bool Place(const std::string& path, const std::vector<uint8_t>& journal) {
    const std::string journalPath = JournalPathOf(path);
    if (journal.empty()) {
        if (HostFileExists(journalPath)) DeleteHostFile(journalPath);
        return true;
    }
    auto f = HostFile::Create(journalPath);
    return f && f->Write(journal.data(), static_cast<int64_t>(journal.size())) == static_cast<int64_t>(journal.size());
}

}  // namespace fuzz_journal
