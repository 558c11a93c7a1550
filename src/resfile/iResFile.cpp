// iResFile: the process-wide list of resource file objects and the base operations.
#include "resfile/iResFile.h"

namespace {
iResFile* gFirstResFile = nullptr;
}

iResFile::iResFile() {
    next_ = gFirstResFile;
    if (next_) next_->prev_ = this;
    gFirstResFile = this;
}

iResFile::~iResFile() {
    if (prev_)
        prev_->next_ = next_;
    else if (gFirstResFile == this)
        gFirstResFile = next_;
    if (next_) next_->prev_ = prev_;
}

iResFile* iResFile::GetFirstResFile() { return gFirstResFile; }

void iResFile::ReleaseAndFree(DataHandle* h) {
    Release(h);
    if (GetError() == kNoErr) FreeHandle(h);
}
