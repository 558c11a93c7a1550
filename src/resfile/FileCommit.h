// FileCommit: putting the changes of one or several file sessions on the disk as one atomic step.
#pragma once

#include <memory>
#include <vector>

#include "resfile/ResErrors.h"

class FileSession;

// Commits every session that holds changes (or a hot journal): one file behind its journal, several behind a
// super-journal as well. 0 when the disk now holds every change. On failure the files are rolled back at once
// and the sessions keep their changes for a later commit: -46 (kErrShortWrite) when a journal or the file could
// not be written, -48 when the original bytes could not be read, -50 when a sync failed after the commit point
// (the changes are on the disk but may not survive a power cut). When one session failed to take a change
// (FileSession::HasFailed) nothing is written and every session of the commit fails with it: -46.
ResErr CommitSessions(const std::vector<std::shared_ptr<FileSession>>& sessions);
