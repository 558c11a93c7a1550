// JournalRecovery: rolling files back from the journals of interrupted commits.
#include "resfile/JournalRecovery.h"

#include <memory>
#include <set>

#include "platform/HostDirectory.h"
#include "platform/HostFile.h"

namespace {

std::set<std::string> gLeftBehind;  // host paths of files whose journals a failed commit left

RecoveryResult RecoverOne(const std::string& hostPath);

// True when the journal was written for the file now at that path (a file put there since is not touched).
bool BelongsTo(const FileJournal& journal, const std::string& hostPath) {
    if (journal.device == 0 && journal.inode == 0) return true;
    std::unique_ptr<HostFile> file = HostFile::Open(hostPath, false);
    uint64_t device = 0, inode = 0;
    return file && file->GetIdentity(device, inode) && device == journal.device && inode == journal.inode;
}

RecoveryResult RollBackOne(const std::string& hostPath, const FileJournal& journal) {
    const std::string journalPath = JournalPathOf(hostPath);
    if (journal.createdFile) {
        if (HostFileExists(hostPath) && !DeleteHostFile(hostPath)) return RecoveryResult::kFailed;
        RemoveDurably(journalPath);
        return RecoveryResult::kRecovered;
    }
    if (!HostFileExists(hostPath) || !BelongsTo(journal, hostPath)) {
        RemoveDurably(journalPath);
        return RecoveryResult::kRecovered;
    }
    if (!IsHostFileWritable(hostPath)) return RecoveryResult::kNotWritable;
    std::unique_ptr<HostFile> file = HostFile::Open(hostPath, true);
    if (!file) return RecoveryResult::kNotWritable;
    if (!RollBackFile(*file, journal) || !file->Close()) return RecoveryResult::kFailed;
    // Should the removal fail, the next open plays the same journal back again, which changes nothing.
    RemoveDurably(journalPath);
    return RecoveryResult::kRecovered;
}

// Rolls back a file of a super-journal that is not the one being opened; true when it needs nothing more.
bool RollBackMember(const std::string& hostPath) {
    FileJournal journal;
    JournalRead read = ReadJournal(JournalPathOf(hostPath), journal);
    if (read == JournalRead::kMissing) return true;  // its journal never got written: the file was not touched
    if (read == JournalRead::kDamaged) return RemoveDurably(JournalPathOf(hostPath));
    if (read != JournalRead::kOk) return false;
    return RollBackOne(hostPath, journal) == RecoveryResult::kRecovered;
}

}  // namespace

std::string NameRelativeTo(const std::string& directory, const std::string& hostPath) {
    if (HostDirectoryOf(hostPath) == directory) {
        size_t slash = hostPath.rfind('/');
        return slash == std::string::npos ? hostPath : hostPath.substr(slash + 1);
    }
    if (!hostPath.empty() && hostPath[0] == '/') return hostPath;
    return CurrentHostDirectory() + "/" + hostPath;
}

std::string ResolveRelativeTo(const std::string& directory, const std::string& name) {
    if (name.find('/') != std::string::npos || directory.empty()) return name;
    return directory == "/" ? "/" + name : directory + "/" + name;
}

bool RollBackFile(HostFile& file, const FileJournal& journal) {
    for (const SavedRange& r : journal.ranges)
        if (!file.WriteAt(r.offset, r.bytes.data(), static_cast<int64_t>(r.bytes.size()))) return false;
    if (file.Size() != journal.originalLength && !file.SetLength(journal.originalLength)) return false;
    return file.Flush();
}

void NoteJournalLeftBehind(const std::string& hostPath) { gLeftBehind.insert(hostPath); }

bool IsJournalLeftBehind(const std::string& hostPath) { return gLeftBehind.count(hostPath) != 0; }

RecoveryResult RecoverInterruptedCommit(const std::string& hostPath) {
    RecoveryResult result = RecoverOne(hostPath);
    if (result == RecoveryResult::kRecovered || result == RecoveryResult::kNothing) gLeftBehind.erase(hostPath);
    return result;
}

namespace {

RecoveryResult RecoverOne(const std::string& hostPath) {
    const std::string journalPath = JournalPathOf(hostPath);
    FileJournal journal;
    switch (ReadJournal(journalPath, journal)) {
    case JournalRead::kMissing:
        return RecoveryResult::kNothing;
    case JournalRead::kUnreadable:
        return RecoveryResult::kFailed;
    case JournalRead::kDamaged:
        // Still being written when the writer stopped: the file itself was not touched yet.
        RemoveDurably(journalPath);
        return RecoveryResult::kRecovered;
    case JournalRead::kOk:
        break;
    }
    if (journal.superJournal.empty()) return RollBackOne(hostPath, journal);

    const std::string directory = HostDirectoryOf(hostPath);
    const std::string superPath = ResolveRelativeTo(directory, journal.superJournal);
    SuperJournal super;
    JournalRead read = ReadSuperJournal(superPath, super);
    if (read == JournalRead::kMissing) {
        // The super-journal's removal committed every file of it.
        RemoveDurably(journalPath);
        return RecoveryResult::kRecovered;
    }
    if (read != JournalRead::kOk) return RollBackOne(hostPath, journal);  // the others find it and roll back too
    bool allDone = true;
    const std::string superDirectory = HostDirectoryOf(superPath);
    for (const std::string& name : super.files) {
        std::string member = ResolveRelativeTo(superDirectory, name);
        if (member != hostPath && !RollBackMember(member)) allDone = false;
    }
    RecoveryResult result = RollBackOne(hostPath, journal);
    if (result != RecoveryResult::kRecovered) allDone = false;
    if (allDone) RemoveDurably(superPath);
    return result;
}

}  // namespace

bool FindJournalToView(const std::string& hostPath, FileJournal& out) {
    if (ReadJournal(JournalPathOf(hostPath), out) != JournalRead::kOk) return false;
    if (!out.superJournal.empty()) {
        SuperJournal super;
        std::string superPath = ResolveRelativeTo(HostDirectoryOf(hostPath), out.superJournal);
        if (ReadSuperJournal(superPath, super) == JournalRead::kMissing) return false;
    }
    return BelongsTo(out, hostPath);
}

bool IsJournalName(const std::string& name) {
    auto endsWith = [&](const char* tail) {
        size_t n = std::char_traits<char>::length(tail);
        return name.size() > n && name.compare(name.size() - n, n, tail) == 0;
    };
    return endsWith("-journal") || endsWith("-superjournal");
}

bool RecoverStrayJournal(const std::string& journalHostPath) {
    static const std::string kSuper = "-superjournal";
    static const std::string kJournal = "-journal";
    if (journalHostPath.size() > kSuper.size() &&
        journalHostPath.compare(journalHostPath.size() - kSuper.size(), kSuper.size(), kSuper) == 0) {
        SuperJournal super;
        JournalRead read = ReadSuperJournal(journalHostPath, super);
        if (read == JournalRead::kDamaged) return RemoveDurably(journalHostPath), true;
        if (read != JournalRead::kOk) return true;
        // Each file's own open rolls the whole commit back and removes the super-journal.
        const std::string directory = HostDirectoryOf(journalHostPath);
        for (const std::string& name : super.files) RecoverInterruptedCommit(ResolveRelativeTo(directory, name));
        if (HostFileExists(journalHostPath)) {
            bool anyJournal = false;
            for (const std::string& name : super.files)
                anyJournal = anyJournal || HostFileExists(JournalPathOf(ResolveRelativeTo(directory, name)));
            if (!anyJournal) RemoveDurably(journalHostPath);
        }
        return true;
    }
    if (journalHostPath.size() > kJournal.size() &&
        journalHostPath.compare(journalHostPath.size() - kJournal.size(), kJournal.size(), kJournal) == 0) {
        RecoverInterruptedCommit(journalHostPath.substr(0, journalHostPath.size() - kJournal.size()));
        return true;
    }
    return false;
}
