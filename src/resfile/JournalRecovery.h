// JournalRecovery: what an open does with a journal that an interrupted commit left beside the file.
#pragma once

#include <string>

#include "resfile/FileJournal.h"

class HostFile;

enum class RecoveryResult {
    kNothing,      // no journal
    kRecovered,    // the file is as the last complete commit left it (rolled back, or the journal was stale)
    kNotWritable,  // a journal applies but the file cannot be written: read it through the journal
    kFailed,       // the journal or the file could not be read or written; the file must not be trusted
};

// Rolls the file back when a complete journal belongs to an unfinished commit: saved ranges restored, the length
// put back, the file synced, the journal removed (a file that the commit created is removed). Every other file
// of the same super-journal is rolled back too. A damaged journal (the commit had not touched the file yet), or
// one whose super-journal is gone (the commit completed), is only removed.
RecoveryResult RecoverInterruptedCommit(const std::string& hostPath);
// Deals with a journal or super-journal found in a directory listing, whose file may be gone (a commit that was to
// create it was interrupted): a journal is dealt with as the open of its file would; the files of a super-journal
// are rolled back through their own journals and the super-journal removed once none of them has one. True when
// the path is a journal's at all.
bool RecoverStrayJournal(const std::string& journalHostPath);
// True for the names journals are kept under ("NAME-journal", "NAME-superjournal").
bool IsJournalName(const std::string& name);
// A journal that a failed commit of this process could not remove (its rollback failed too): an open of the file
// must play it back even where the directory's listing is trusted. Played back, it is forgotten again.
void NoteJournalLeftBehind(const std::string& hostPath);
bool IsJournalLeftBehind(const std::string& hostPath);
// The journal through which a file that cannot be written is read as it was before the interrupted commit;
// false when none applies.
bool FindJournalToView(const std::string& hostPath, FileJournal& out);
// Writes the journal's saved ranges back, restores the file's original length and syncs it.
bool RollBackFile(HostFile& file, const FileJournal& journal);
// The way one file of a super-journal is named in it, and back (a bare name when both sit in one directory).
std::string NameRelativeTo(const std::string& directory, const std::string& hostPath);
std::string ResolveRelativeTo(const std::string& directory, const std::string& name);
