// FileCommit: putting the changes of one or several file sessions on the disk as one atomic step.
#pragma once

#include <memory>
#include <vector>

#include "resfile/ResErrors.h"

class FileSession;

// Commits every session that holds changes (or a hot journal): one file behind its journal, several behind a
// super-journal as well. 0 when the disk now holds every change. On failure the files are rolled back at once
// and every session of the commit fails (FileSession::Fail: the changes are dropped and the files' opens commit
// nothing more until they are opened afresh): -46 (kErrShortWrite) when a journal or a file could not be
// written, -48 when the original bytes could not be read; also -46, with nothing written, when a session had
// failed to take a change. -50 when a sync failed after the commit point: the changes are on the disk but may not
// survive a power cut.
ResErr CommitSessions(const std::vector<std::shared_ptr<FileSession>>& sessions);
