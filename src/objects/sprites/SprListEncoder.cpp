// SprListEncoder: row-by-row command coding of SPR# frames and the resource's header and offset table.
#include "objects/sprites/SprListEncoder.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <new>

#include "objects/sprites/SpriteFormat.h"
#include "platform/ByteWriter.h"

namespace {

constexpr int32_t kMaxCommandCount = 255;

void PutCommand(std::vector<uint8_t>& out, uint8_t command, int32_t count) {
    out.push_back(command);
    out.push_back(static_cast<uint8_t>(count));
}

// Length of the run of equal values starting at `from` (at least 1).
int32_t RunLength(const uint8_t* row, int32_t from, int32_t width) {
    int32_t end = from + 1;
    while (end < width && row[end] == row[from]) ++end;
    return end - from;
}

// Codes one row that holds at least one non-empty pixel (after its new-row command).
void EncodeRow(const uint8_t* row, int32_t width, std::vector<uint8_t>& out) {
    int32_t last = width - 1;
    while (last >= 0 && row[last] == kSprListEmptyValue) --last;
    const int32_t end = last + 1;  // nothing after the last non-empty pixel is coded
    int32_t x = 0;
    while (x < end) {
        const int32_t run = RunLength(row, x, end);
        if (row[x] == kSprListEmptyValue || run >= kSprListMinFillRun) {
            for (int32_t left = run; left > 0;) {
                const int32_t n = std::min(left, kMaxCommandCount);
                if (row[x] == kSprListEmptyValue) {
                    PutCommand(out, kSprListSkipPixels, n);
                } else {
                    PutCommand(out, kSprListFill, n);
                    out.push_back(row[x]);
                    out.push_back(0);  // pad
                }
                left -= n;
            }
            x += run;
            continue;
        }
        // A copied stretch ends at an empty pixel or where a run long enough for a fill begins.
        int32_t stop = x;
        while (stop < end && row[stop] != kSprListEmptyValue && RunLength(row, stop, end) < kSprListMinFillRun)
            stop += RunLength(row, stop, end);
        while (x < stop) {
            const int32_t n = std::min(stop - x, kMaxCommandCount);
            PutCommand(out, kSprListCopy, n);
            out.insert(out.end(), row + x, row + x + n);
            if (n & 1) out.push_back(0);  // pad to even
            x += n;
        }
    }
}

}  // namespace

bool EncodeSprListFrame(const ChannelView& image, std::vector<uint8_t>& out) {
    out.clear();
    constexpr int32_t kMaxSide = std::numeric_limits<uint16_t>::max();
    if (!image.IsPresent() || image.width > kMaxSide || image.height > kMaxSide) return false;
    try {
        ByteWriter(out).WriteUInt16LE(0);  // y
        ByteWriter(out).WriteUInt16LE(0);  // x
        ByteWriter(out).WriteUInt16LE(static_cast<uint16_t>(image.height));
        ByteWriter(out).WriteUInt16LE(static_cast<uint16_t>(image.width));
        ByteWriter(out).WriteUInt16LE(0);
        int32_t pendingEmptyRows = 0;
        for (int32_t r = 0; r < image.height; ++r) {
            const uint8_t* row = image.Row(r);
            const bool empty = std::all_of(row, row + image.width, [](uint8_t v) { return v == kSprListEmptyValue; });
            if (empty) {
                ++pendingEmptyRows;
                continue;
            }
            for (; pendingEmptyRows > 0;) {
                const int32_t n = std::min(pendingEmptyRows, kMaxCommandCount);
                PutCommand(out, kSprListSkipRows, n);
                pendingEmptyRows -= n;
            }
            PutCommand(out, kSprListNewRow, 0);
            EncodeRow(row, image.width, out);
        }
        PutCommand(out, kSprListEnd, 0);
    } catch (const std::bad_alloc&) {
        out.clear();
        return false;
    }
    return true;
}

bool AssembleSprList(int32_t paletteId, const std::vector<std::vector<uint8_t>>& frames, std::vector<uint8_t>& out) {
    out.clear();
    constexpr int64_t kLimit = std::numeric_limits<int32_t>::max();
    constexpr int64_t kHeader = 12;  // version, count, palette id
    int64_t total = kHeader + 4 * static_cast<int64_t>(frames.size());
    for (const auto& f : frames) {
        if (f.size() < kSprListFrameHeaderSize) return false;
        total += static_cast<int64_t>(f.size());
        if (total > kLimit) return false;
    }
    try {
        out.assign(static_cast<size_t>(total), 0);
    } catch (const std::bad_alloc&) {
        out.clear();
        return false;
    }
    PutUInt32LE(&out[0], static_cast<uint32_t>(kSprListWrittenVersion));
    PutUInt32LE(&out[4], static_cast<uint32_t>(frames.size()));
    PutUInt32LE(&out[8], static_cast<uint32_t>(paletteId));
    size_t at = static_cast<size_t>(kHeader) + 4 * frames.size();
    for (size_t i = 0; i < frames.size(); ++i) {
        PutUInt32LE(&out[static_cast<size_t>(kHeader) + 4 * i], static_cast<uint32_t>(at));
        std::memcpy(&out[at], frames[i].data(), frames[i].size());
        at += frames[i].size();
    }
    return true;
}
