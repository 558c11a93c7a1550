// DataHandle: allocation and release of resource data blocks.
#include "resfile/DataHandle.h"

#include <cstring>
#include <new>

bool DataHandle::Resize(int32_t size) {
    if (size < 0) return false;
    try {
        bytes.resize(static_cast<size_t>(size), kHandleFillByte);
    } catch (const std::bad_alloc&) {
        return false;
    }
    return true;
}

DataHandle* NewHandle(int32_t size) {
    if (size < 0) return nullptr;
    try {
        auto h = std::make_unique<DataHandle>();
        h->bytes.assign(static_cast<size_t>(size), kHandleFillByte);
        return h.release();
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

DataHandle* NewHandleFrom(const void* data, int32_t size) {
    DataHandle* h = NewHandle(size);
    if (h && size > 0) std::memcpy(h->Data(), data, static_cast<size_t>(size));
    return h;
}

void FreeHandle(DataHandle* h) { delete h; }
