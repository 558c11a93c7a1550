// ReconStream: the one symmetric stream that reads, writes or counts the fields of serialised objects.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "resfile/BoundedString.h"
#include "resfile/DataHandle.h"
#include "resfile/ReconReader.h"

// One routine per type walks its fields against a stream that reads them (mode 0), writes them
// (mode 1) or only counts the bytes writing would take (mode 2). 16- and 32-bit values are
// byte-reversed while copied when `swap` is set. Reads never pass the buffer: a read that would
// sets HasFailed(), copies nothing and leaves the storage as it was; writes likewise never pass
// the buffer the counting pass sized.
class ReconStream {
public:
    enum Mode : int32_t { kRead = 0, kWrite = 1, kCount = 2 };

    // A stream over a buffer (mode kRead or kWrite), position 0.
    ReconStream(uint8_t* buffer, int32_t size, Mode mode, bool swap);
    // A counting stream.
    ReconStream();

    Mode GetMode() const { return mode_; }
    bool IsReading() const { return mode_ == kRead; }
    int32_t GetPosition() const { return position_; }
    int32_t GetSize() const { return size_; }
    bool IsSwapped() const { return swap_ != 0; }
    bool HasFailed() const { return failed_; }
    void Fail() {
        failed_ = true;
        reader_.Fail();
    }

    void Bytes(void* storage, int32_t n);
    void Shorts(uint16_t* storage, int32_t n) {
        if (mode_ == kRead) return Read([&] { reader_.Shorts(storage, n); });
        ShortsOf(storage, n);
    }
    void Shorts(int16_t* storage, int32_t n) { Shorts(reinterpret_cast<uint16_t*>(storage), n); }
    void Longs(uint32_t* storage, int32_t n) {
        if (mode_ == kRead) return Read([&] { reader_.Longs(storage, n); });
        LongsOf(storage, n, swap_ != 0);
    }
    void Longs(int32_t* storage, int32_t n) { Longs(reinterpret_cast<uint32_t*>(storage), n); }
    // 32-bit values copied without any reversal, whatever the swap flag.
    void RawLongs(uint32_t* storage, int32_t n);
    // NUL-terminated text; the position then moves past the text, its NUL and, when the position
    // has become odd, one pad byte that is never written (nor skipped on reading when the data ends
    // there). A stored text longer than the string's capacity is cut, but the position follows the
    // stored length.
    void String(BoundedString& s);

    // Reads or writes an element count; on reading, a negative count or one that the remaining
    // bytes cannot hold (each element taking at least minElementSize bytes) fails the stream and yields 0.
    int32_t Count(int32_t count, int32_t minElementSize);

private:
    // Reading is the reader's; the stream takes over its position and failure.
    template <class Fn>
    void Read(Fn read) {
        if (failed_) return;
        read();
        failed_ = reader_.HasFailed();
        position_ = reader_.GetPosition();
    }
    void ShortsOf(uint16_t* storage, int32_t n);
    void LongsOf(uint32_t* storage, int32_t n, bool swap);
    bool Room(int32_t n);
    uint8_t* buffer_ = nullptr;
    int32_t size_ = 0;
    int32_t position_ = 0;
    Mode mode_ = kCount;
    int16_t swap_ = 0;
    bool failed_ = false;
    ReconReader reader_;
};

// The encoding of an ordered sequence: int32 element count, then each element's own encoding.
// T provides `void Reconstitute(Stream&, int32_t version)`, Stream being ReconStream or another
// stream with the same primitives. On reading the vector is resized to the count first; a failed
// stream stops the walk.
template <class Stream, class T>
void ReconStreamVector(Stream& s, std::vector<T>& v, int32_t version, int32_t minElementSize = 1) {
    int32_t count = s.Count(static_cast<int32_t>(v.size()), minElementSize);
    if (s.HasFailed()) return;
    if (s.IsReading()) v.resize(static_cast<size_t>(count));
    for (auto& e : v) {
        e.Reconstitute(s, version);
        if (s.HasFailed()) return;
    }
}
