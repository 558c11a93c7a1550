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

bool iResFile::GetIndexedInfo(ResType type, int32_t index, ResID& id, std::string& name) {
    DataHandle* h = GetIndexedResource(type, index, nullptr);
    if (!h) return false;
    GetID(h, id);
    GetName(h, name);
    ReleaseAndFree(h);
    return true;
}

void iResFile::ForEachResourceInfo(ResType type, const std::function<void(ResID, const std::string&)>& use) {
    const int32_t count = CountResources(type);
    ResID id = 0;
    std::string name;
    for (int32_t i = 1; i <= count; ++i)
        if (GetIndexedInfo(type, i, id, name)) use(id, name);
}
