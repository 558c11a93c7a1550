// Rle8Encoder: per row a pending byte buffer and the current run; flushed when a run of 3 or more is broken.
#include "export/Rle8Encoder.h"

#include <algorithm>
#include <cstddef>

namespace {

class RowEncoder {
public:
    explicit RowEncoder(std::vector<uint8_t>& out) : out_(out) {}

    void Add(uint8_t v) {
        if (runLength_ > 0 && v == runValue_ && runLength_ < 255) {
            pending_.push_back(v);
            ++runLength_;
            return;
        }
        if (runLength_ >= 3) Flush();
        pending_.push_back(v);
        runValue_ = v;
        runLength_ = 1;
    }

    // Writes the pending bytes: literals before a run of 3 or more (all of them when the run is shorter), then
    // the run as one pair.
    void Flush() {
        const size_t run = runLength_ >= 3 ? static_cast<size_t>(runLength_) : 0;
        const size_t literals = pending_.size() - run;
        size_t at = 0;
        while (literals - at > 2) {
            const size_t n = std::min<size_t>(literals - at, 255);
            out_.push_back(0);
            out_.push_back(static_cast<uint8_t>(n));
            out_.insert(out_.end(), pending_.begin() + static_cast<ptrdiff_t>(at),
                        pending_.begin() + static_cast<ptrdiff_t>(at + n));
            if (n & 1) out_.push_back(0);
            at += n;
        }
        for (; at < literals; ++at) {
            out_.push_back(1);
            out_.push_back(pending_[at]);
        }
        if (run > 0) {
            out_.push_back(static_cast<uint8_t>(run));
            out_.push_back(runValue_);
        }
        pending_.clear();
        runLength_ = 0;
    }

private:
    std::vector<uint8_t>& out_;
    std::vector<uint8_t> pending_;
    uint8_t runValue_ = 0;
    int runLength_ = 0;
};

}  // namespace

void EncodeRle8(const uint8_t* bottomRow, int64_t stride, int32_t width, int32_t height, std::vector<uint8_t>& out) {
    RowEncoder row(out);
    for (int32_t r = 0; r < height; ++r) {
        const uint8_t* pixels = bottomRow + r * stride;
        for (int32_t c = 0; c < width; ++c) row.Add(pixels[c]);
        row.Flush();
        out.push_back(0);
        out.push_back(r + 1 < height ? 0 : 1);
    }
    if (height <= 0) {
        out.push_back(0);
        out.push_back(1);
    }
}
