// FileCommit: journal, apply and commit point for one file or a group of files.
#include "resfile/FileCommit.h"

#include "platform/HostFile.h"
#include "resfile/FileJournal.h"
#include "resfile/FileSession.h"
#include "resfile/JournalRecovery.h"

namespace {

// After a failure before the commit point: each touched file gets its bytes back and loses its journal; a file
// that cannot be rolled back keeps its journal hot for the next commit or open.
void RollBackAll(const std::vector<FileSession*>& work, const std::vector<FileJournal>& journals, size_t written,
                 const std::string& superPath) {
    bool allBack = true;
    for (size_t i = 0; i < written; ++i) {
        if (work[i]->RollBack(journals[i]) && RemoveDurably(JournalPathOf(work[i]->GetHostPath()))) continue;
        work[i]->SetHotJournal(true);
        NoteJournalLeftBehind(work[i]->GetHostPath());
        allBack = false;
    }
    if (!superPath.empty() && allBack) RemoveDurably(superPath);
}

// Everything CommitSessions does but the failing of the sessions.
ResErr CommitChanged(const std::vector<std::shared_ptr<FileSession>>& sessions) {
    // Files that change together fail together: when one of them could not take its changes, none is written
    // and none may commit later.
    for (const auto& s : sessions)
        if (s && !s->IsAbandoned() && s->HasFailed()) return kErrShortWrite;
    std::vector<FileSession*> work;
    for (const auto& s : sessions) {
        if (!s || s->IsAbandoned()) continue;
        if (!s->ReplayHotJournal()) return kErrShortWrite;
        if (s->HasChanges()) work.push_back(s.get());
    }
    if (work.empty()) return kNoErr;

    std::string superPath;
    if (work.size() > 1) {
        superPath = SuperJournalPathOf(work[0]->GetHostPath());
        SuperJournal super;
        const std::string superDirectory = HostDirectoryOf(superPath);
        for (FileSession* s : work) super.files.push_back(NameRelativeTo(superDirectory, s->GetHostPath()));
        if (!WriteDurably(superPath, EncodeSuperJournal(super))) return kErrShortWrite;
    }

    std::vector<FileJournal> journals(work.size());
    for (size_t i = 0; i < work.size(); ++i) {
        const std::string& path = work[i]->GetHostPath();
        std::string superName = superPath.empty() ? std::string() : NameRelativeTo(HostDirectoryOf(path), superPath);
        ResErr err = kNoErr;
        if (!work[i]->BuildJournal(superName, journals[i]))
            err = kErrRead;
        else if (!WriteDurably(JournalPathOf(path), EncodeJournal(journals[i])))
            err = kErrShortWrite;
        if (err) {
            // No file has been touched yet: the journals written so far only go.
            for (size_t j = 0; j < i; ++j) RemoveDurably(JournalPathOf(work[j]->GetHostPath()));
            if (!superPath.empty()) RemoveDurably(superPath);
            return err;
        }
    }

    for (size_t i = 0; i < work.size(); ++i)
        if (!work[i]->Apply()) {
            RollBackAll(work, journals, work.size(), superPath);
            return kErrShortWrite;
        }

    // The commit point: the super-journal's removal, or the one journal's.
    const std::string& point = superPath.empty() ? JournalPathOf(work[0]->GetHostPath()) : superPath;
    if (!DeleteHostFile(point)) {
        RollBackAll(work, journals, work.size(), superPath);
        return kErrShortWrite;
    }
    for (FileSession* s : work) s->MarkCommitted();
    bool durable = SyncHostDirectory(HostDirectoryOf(point));
    if (!superPath.empty())
        for (FileSession* s : work) durable = RemoveDurably(JournalPathOf(s->GetHostPath())) && durable;
    return durable ? kNoErr : kErrOpenFailed;
}

}  // namespace

ResErr CommitSessions(const std::vector<std::shared_ptr<FileSession>>& sessions) {
    ResErr err = CommitChanged(sessions);
    // A commit that failed leaves the files as they were, and what it was to write is dropped: the operation
    // that made it has failed, so no later commit may put part of it on the disk.
    if (err && err != kErrOpenFailed)
        for (const auto& s : sessions)
            if (s) s->Fail();
    return err;
}
