// DataHandle: one heap record holding a resource's data bytes; identified by its address.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

// Fresh blocks are filled with this value before they are overwritten.
constexpr uint8_t kHandleFillByte = 0xA3;

struct DataHandle {
    std::vector<uint8_t> bytes;

    uint8_t* Data() { return bytes.data(); }
    const uint8_t* Data() const { return bytes.data(); }
    int32_t Size() const { return static_cast<int32_t>(bytes.size()); }
    // Changes the byte count; new bytes get the fill value. False when memory runs out.
    bool Resize(int32_t size);
};

using HandleOwner = std::unique_ptr<DataHandle>;

// A new handle of `size` bytes filled with 0xA3; null when size is negative or memory runs out.
DataHandle* NewHandle(int32_t size);
// A new handle holding a copy of the bytes; null when memory runs out.
DataHandle* NewHandleFrom(const void* data, int32_t size);
// Frees the block and then the record (null is allowed).
void FreeHandle(DataHandle* h);

// Byte-order conversion applied once to freshly loaded data that is not yet marked converted.
using FixupProc = void (*)(uint8_t* data, int32_t size);
