// ReconBlock: the 12-byte block header around a serialised object and the helpers that move
// ReconObjects into and out of data handles and resources.
#pragma once

#include <cstdint>

#include "resfile/DataHandle.h"
#include "resfile/ReconObject.h"
#include "resfile/ReconReader.h"
#include "resfile/ResErrors.h"

class iResFile;

constexpr int32_t kReconHeaderSize = 12;

// Counts, allocates exactly counted + 12 bytes (0xA3-filled) and writes the block (marker 0,
// version, type, payload). Null when the handle cannot be allocated or the object wrote other
// primitives than it counted.
DataHandle* SerializeToHandle(ReconObject& object, int32_t version);

// Reads the object back from a block; the marker byte decides whether payload values are swapped.
// False when the block is shorter than its header or the payload ends before the object does
// (the object may then hold part of the data).
bool ReconstituteFromHandle(ReconObject& object, const DataHandle& handle, int32_t* outVersion);
// The same over a block held elsewhere (size bytes at data).
bool ReconstituteFromBytes(ReconObject& object, const uint8_t* data, int32_t size, int32_t* outVersion);

// The block header's version and whether its payload values are swapped (marker byte not 0);
// false when the block is shorter than its header.
bool ReadReconHeader(const uint8_t* data, int32_t size, int32_t& version, bool& swapped);

// ReconstituteFromBytes for a payload whose Reconstitute also walks a ReconReader: the same header
// rules and result, with every field read inline.
template <class T>
bool ReadReconPayload(T& payload, const uint8_t* data, int32_t size, int32_t* outVersion) {
    int32_t version = 0;
    bool swapped = false;
    if (!ReadReconHeader(data, size, version, swapped)) return false;
    if (outVersion) *outVersion = version;
    ReconReader reader(data + kReconHeaderSize, size - kReconHeaderSize, swapped);
    payload.Reconstitute(reader, version);
    return !reader.HasFailed();
}

// The fix-up for blocks written on a big-endian host: marker 1, header values to host order.
void ReconFixup(uint8_t* data, int32_t size);

// Fetches (GetResType(), id) with ReconFixup and reads it. Returns 0, the file's error when the
// resource is missing, or -1 when its block is unreadable.
ResErr LoadReconObject(ReconObject& object, iResFile& file, int16_t id, int32_t* outVersion);

// Serialises and adds the object as (GetResType(), id) with an empty name and the converted flag,
// writes it and releases it. Returns 0, -1 when no block could be made, or the file's error.
ResErr SaveReconObject(ReconObject& object, int32_t version, iResFile& file, int16_t id);
