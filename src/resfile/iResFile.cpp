// iResFile: the process-wide list of resource file objects and the base operations.
#include "resfile/iResFile.h"

namespace {
iResFile* gFirstResFile = nullptr;
}

iResFile::iResFile() {
    next_ = gFirstResFile;
    gFirstResFile = this;
}

iResFile::~iResFile() {
    for (iResFile** p = &gFirstResFile; *p; p = &(*p)->next_) {
        if (*p == this) {
            *p = next_;
            break;
        }
    }
}

iResFile* iResFile::GetFirstResFile() { return gFirstResFile; }

void iResFile::ReleaseAndFree(DataHandle* h) {
    Release(h);
    if (GetError() == kNoErr) FreeHandle(h);
}
