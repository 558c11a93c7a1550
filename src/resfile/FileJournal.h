// FileJournal: the rollback journal kept beside a file while a commit changes it, and the super-journal that
// ties the journals of several files into one commit.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Bytes the file held before the commit, and where.
struct SavedRange {
    int64_t offset = 0;
    std::vector<uint8_t> bytes;
};

// What rolling a file back needs. Stored little-endian:
//   0   8   magic "RSHJRNL1"
//   8   4   flags: 1 = the file did not exist before the commit (rolling back removes it)
//   12  8   the file's length before the commit
//   20  8   device and 28 8 inode of the file (both 0 when not known: the file was new)
//   36  4   length L of the super-journal's host path, then L bytes (L = 0: the commit stands alone)
//   ..  4   number of saved ranges, then per range: offset (8), length n (4), n bytes
//   ..  8   FNV-1a 64 checksum of every byte before it
// A journal whose checksum does not match was still being written when the writer stopped.
struct FileJournal {
    int64_t originalLength = 0;
    bool createdFile = false;
    uint64_t device = 0;
    uint64_t inode = 0;
    std::string superJournal;
    std::vector<SavedRange> ranges;
};

// The super-journal of a commit of several files: the host paths of their journals' files. Stored as magic
// "RSHSUPR1", count (4), per file: length (4) and bytes, then the FNV-1a 64 checksum of the bytes before it.
struct SuperJournal {
    std::vector<std::string> files;
};

enum class JournalRead { kMissing, kDamaged, kUnreadable, kOk };

// The journal's host path beside a file: "NAME-journal".
std::string JournalPathOf(const std::string& hostPath);
// The super-journal's host path for a commit led by this file: "NAME-superjournal".
std::string SuperJournalPathOf(const std::string& hostPath);

std::vector<uint8_t> EncodeJournal(const FileJournal& journal);
std::vector<uint8_t> EncodeSuperJournal(const SuperJournal& super);
// False when the bytes are cut short, damaged or not a journal of this kind.
bool DecodeJournal(const std::vector<uint8_t>& bytes, FileJournal& out);
bool DecodeSuperJournal(const std::vector<uint8_t>& bytes, SuperJournal& out);

// Creates (or replaces) the file with the bytes and syncs it, then syncs its directory so the entry is durable
// too; false when any step failed (the file is then removed again when that is possible).
bool WriteDurably(const std::string& hostPath, const std::vector<uint8_t>& bytes);
// Removes a journal file and syncs its directory; false when either failed.
bool RemoveDurably(const std::string& hostPath);

JournalRead ReadJournal(const std::string& hostPath, FileJournal& out);
JournalRead ReadSuperJournal(const std::string& hostPath, SuperJournal& out);
