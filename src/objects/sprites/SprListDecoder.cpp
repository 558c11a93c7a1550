// SprListDecoder: bounded decoding of SPR# command pairs, straight into channel rows.
#include "objects/sprites/SprListDecoder.h"

#include <algorithm>
#include <cstring>

#include "objects/sprites/SpriteFormat.h"

namespace {

// Writes m colour pixels at (row, column): from `colors` (one byte each) or, when null, all `fill`.
void WritePixels(const SpriteChannels& out, int32_t row, int32_t column, const uint8_t* colors, uint8_t fill,
                 int32_t m) {
    if (m <= 0) return;
    const auto count = static_cast<size_t>(m);
    if (out.p.top) {
        uint8_t* dst = out.p.Row(row) + column;
        if (colors) {
            std::memcpy(dst, colors, count);
        } else {
            std::memset(dst, fill, count);
        }
    }
    if (out.z.top) std::memset(out.z.Row(row) + column, kColorOnlyDepth, count);
    if (out.a.top) std::memset(out.a.Row(row) + column, kOpaqueAlpha, count);
    if (out.histogram) {
        if (colors) {
            for (int32_t i = 0; i < m; ++i) ++out.histogram[colors[i]];
        } else {
            out.histogram[fill] += static_cast<uint32_t>(m);
        }
    }
}

}  // namespace

SpriteDecodeResult DecodeSprListFrame(const SprListFrame& frame, const SpriteChannels& out, uint8_t background) {
    FillSpriteChannels(out, background);
    int32_t width = 0, height = 0;
    GetSpriteWriteLimits(out, frame.width, frame.height, width, height);
    // Row -1 is "before the first row"; row and column are clamped to the limits so that they cannot overflow.
    int32_t row = -1, column = 0;
    auto writable = [&](int32_t n) { return (row < 0 || row >= height) ? 0 : std::min(n, width - column); };
    ByteReader in = frame.commands;
    for (;;) {
        const uint8_t command = in.ReadUInt8();
        const int32_t n = in.ReadUInt8();
        if (in.HasFailed()) return SpriteDecodeResult::kOk;
        switch (command) {
            case kSprListSkipPixels:
                column = std::min(column + n, width);
                break;
            case kSprListFill: {
                const uint8_t color = in.ReadUInt8();
                in.Skip(1);  // pad byte
                if (in.HasFailed()) return SpriteDecodeResult::kOk;
                WritePixels(out, row, column, nullptr, color, writable(n));
                column = std::min(column + n, width);
                break;
            }
            case kSprListCopy: {
                const auto present = static_cast<int32_t>(std::min<size_t>(static_cast<size_t>(n), in.GetRemaining()));
                const uint8_t* colors = in.ReadSpan(static_cast<size_t>(present));
                WritePixels(out, row, column, colors, 0, writable(present));
                column = std::min(column + present, width);
                if (present < n) return SpriteDecodeResult::kOk;
                if (n & 1) in.Skip(1);  // pad to even
                break;
            }
            case kSprListNewRow:
                row = std::min(row + 1, height);
                column = 0;
                break;
            case kSprListSkipRows:
                row = std::min(row + n, height);
                column = 0;
                break;
            case kSprListEnd:
                return SpriteDecodeResult::kOk;
            default:
                return SpriteDecodeResult::kBadToken;
        }
    }
}
