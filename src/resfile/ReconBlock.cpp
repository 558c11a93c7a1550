// ReconBlock: serialising ReconObjects into data blocks and resources, and reading them back.
#include "resfile/ReconBlock.h"

#include "platform/ByteReader.h"
#include "resfile/iResFile.h"
#include "platform/ByteWriter.h"

#include <utility>

DataHandle* SerializeToHandle(ReconObject& object, int32_t version) {
    ReconStream counter;
    object.Reconstitute(counter, version);
    int32_t payload = counter.GetPosition();
    if (counter.HasFailed() || payload < 0 || payload > INT32_MAX - kReconHeaderSize) return nullptr;
    DataHandle* h = NewHandle(payload + kReconHeaderSize);
    if (!h) return nullptr;
    uint8_t* p = h->Data();
    p[0] = p[1] = p[2] = p[3] = 0;
    PutUInt32LE(p + 4, static_cast<uint32_t>(version));
    PutUInt32LE(p + 8, object.GetResType());
    ReconStream writer(p + kReconHeaderSize, payload, ReconStream::kWrite, false);
    object.Reconstitute(writer, version);
    if (writer.HasFailed() || writer.GetPosition() != payload) {
        FreeHandle(h);
        return nullptr;
    }
    return h;
}

bool ReconstituteFromHandle(ReconObject& object, const DataHandle& handle, int32_t* outVersion) {
    return ReconstituteFromBytes(object, handle.Data(), handle.Size(), outVersion);
}

bool ReadReconHeader(const uint8_t* data, int32_t size, int32_t& version, bool& swapped) {
    ByteReader r(data, size < 0 ? 0 : static_cast<size_t>(size));
    swapped = r.ReadInt8() != 0;
    r.Skip(3);
    version = r.ReadInt32LE();
    r.Skip(4);
    return !r.HasFailed();
}

bool ReconstituteFromBytes(ReconObject& object, const uint8_t* data, int32_t size, int32_t* outVersion) {
    int32_t version = 0;
    bool swapped = false;
    if (!ReadReconHeader(data, size, version, swapped)) return false;
    if (outVersion) *outVersion = version;
    // The stream only ever sees the payload: reads stop at the end of the block.
    ReconStream stream(const_cast<uint8_t*>(data) + kReconHeaderSize, size - kReconHeaderSize, ReconStream::kRead,
                       swapped);
    object.Reconstitute(stream, version);
    return !stream.HasFailed();
}

void ReconFixup(uint8_t* data, int32_t size) {
    if (!data || size < kReconHeaderSize) return;
    data[0] = 1;
    for (int off : {4, 8}) {
        std::swap(data[off], data[off + 3]);
        std::swap(data[off + 1], data[off + 2]);
    }
}

ResErr LoadReconObject(ReconObject& object, iResFile& file, int16_t id, int32_t* outVersion) {
    DataHandle* h = file.GetResource(object.GetResType(), id, ReconFixup);
    if (!h) return file.GetError() ? file.GetError() : kErrNotFound;
    bool ok = ReconstituteFromHandle(object, *h, outVersion);
    file.ReleaseAndFree(h);
    return ok ? kNoErr : kErrBadChunk;
}

ResErr SaveReconObject(ReconObject& object, int32_t version, iResFile& file, int16_t id) {
    DataHandle* h = SerializeToHandle(object, version);
    if (!h) return kErrBadChunk;
    file.Add(h, object.GetResType(), id, "", true);
    if (ResErr err = file.GetError()) {
        FreeHandle(h);
        return err;
    }
    file.Write(h);
    if (ResErr err = file.GetError()) {
        file.Delete(h);
        return err;
    }
    file.Release(h);
    FreeHandle(h);
    return kNoErr;
}
