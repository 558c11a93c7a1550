// CommitScope: holds back the commits made while an operation runs, so that all of them reach the disk at once.
#pragma once

#include <memory>
#include <vector>

#include "resfile/ResErrors.h"

class FileSession;

// An operation that changes several files, or commits one file several times (an import updates, collects
// garbage and updates again), opens a scope around its work. Inside it a file's commit only enrols the file;
// when the outermost scope finishes, every enrolled file commits together (behind one super-journal when there
// are several), so a crash leaves every file as it was before the operation or as the operation left it.
// Scopes nest; only the outermost commits. Single-threaded, as the program is.
class CommitScope {
public:
    CommitScope();
    // Finishes the scope when Finish was not called (its result is then lost: call Finish).
    ~CommitScope();
    CommitScope(const CommitScope&) = delete;
    CommitScope& operator=(const CommitScope&) = delete;

    // Commits what the outermost scope enrolled (an inner scope returns 0 and leaves it to the outer one); the
    // result of CommitSessions. Later calls return 0.
    ResErr Finish();

    // True while a scope is open.
    static bool IsOpen();
    // Enrols a session in the outermost open scope (once however often it commits).
    static void Enroll(const std::shared_ptr<FileSession>& session);

private:
    bool finished_ = false;
};
