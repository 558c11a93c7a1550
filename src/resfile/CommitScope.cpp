// CommitScope: the process's stack of scopes and the sessions the outermost one commits.
#include "resfile/CommitScope.h"

#include <algorithm>

#include "resfile/FileCommit.h"

namespace {

int gDepth = 0;
std::vector<std::shared_ptr<FileSession>> gEnrolled;

}  // namespace

CommitScope::CommitScope() { ++gDepth; }

CommitScope::~CommitScope() { Finish(); }

ResErr CommitScope::Finish() {
    if (finished_) return kNoErr;
    finished_ = true;
    if (--gDepth > 0) return kNoErr;
    std::vector<std::shared_ptr<FileSession>> sessions;
    sessions.swap(gEnrolled);
    return CommitSessions(sessions);
}

bool CommitScope::IsOpen() { return gDepth > 0; }

void CommitScope::Enroll(const std::shared_ptr<FileSession>& session) {
    if (!session || std::find(gEnrolled.begin(), gEnrolled.end(), session) != gEnrolled.end()) return;
    gEnrolled.push_back(session);
}
