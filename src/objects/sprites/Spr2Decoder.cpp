// Spr2Decoder: bounded decoding of SPR2 token streams, straight into channel rows.
#include "objects/sprites/Spr2Decoder.h"

#include <algorithm>
#include <cstring>

#include "objects/sprites/SpriteFormat.h"

namespace {

// Cursor over the frame: row -1 is "before the first row". Row and column are clamped to the write limits so
// that long streams of skips cannot overflow them.
struct Cursor {
    int32_t row = -1;
    int32_t column = 0;
    int32_t width = 0;
    int32_t height = 0;

    void NextRows(int32_t n) {
        row = std::min<int32_t>(row + n, height);
        column = 0;
    }
    void Advance(int32_t n) { column = std::min<int32_t>(column + n, width); }
    // How many of n pixels starting at the cursor lie inside the limits.
    int32_t Writable(int32_t n) const {
        if (row < 0 || row >= height) return 0;
        return std::min(n, width - column);
    }
};

// Writes m pixels of a run whose source bytes are `data`, Stride bytes per pixel: P at PAt, Z at ZAt (-1: not
// coded, depth 128), alpha at AAt (-1: not coded, opaque) shifted left by 3.
template <int Stride, int ZAt, int PAt, int AAt>
void WriteRun(const SpriteChannels& out, const Cursor& cur, const uint8_t* data, int32_t m) {
    constexpr int stride = Stride, zAt = ZAt, pAt = PAt, aAt = AAt;
    if (m <= 0) return;
    if (out.p.top) {
        uint8_t* dst = out.p.Row(cur.row) + cur.column;
        for (int32_t i = 0; i < m; ++i) dst[i] = data[i * stride + pAt];
    }
    if (out.z.top) {
        uint8_t* dst = out.z.Row(cur.row) + cur.column;
        if constexpr (zAt < 0) {
            std::memset(dst, kColorOnlyDepth, static_cast<size_t>(m));
        } else {
            for (int32_t i = 0; i < m; ++i) dst[i] = data[i * stride + zAt];
        }
    }
    if (out.a.top) {
        uint8_t* dst = out.a.Row(cur.row) + cur.column;
        if constexpr (aAt < 0) {
            std::memset(dst, kOpaqueAlpha, static_cast<size_t>(m));
        } else {
            for (int32_t i = 0; i < m; ++i) dst[i] = static_cast<uint8_t>(data[i * stride + aAt] << 3);
        }
    }
    if (out.histogram) {
        for (int32_t i = 0; i < m; ++i) ++out.histogram[data[i * stride + pAt]];
    }
}

}  // namespace

SpriteDecodeResult DecodeSpr2Frame(const Spr2Frame& frame, const SpriteChannels& out, uint8_t background) {
    FillSpriteChannels(out, background);
    Cursor cur;
    GetSpriteWriteLimits(out, frame.width, frame.height, cur.width, cur.height);
    ByteReader in = frame.tokens;
    for (;;) {
        const uint16_t word = in.ReadUInt16LE();
        if (in.HasFailed()) return SpriteDecodeResult::kOk;
        const int32_t n = word & kCountMask;
        size_t stride = 0;
        switch (word & kOpcodeMask) {
            case kNL:
                cur.NextRows(1);
                continue;
            case kSL:
                cur.NextRows(n);
                continue;
            case kClear:
                cur.Advance(n);
                continue;
            case kEOS:
                return SpriteDecodeResult::kOk;
            case kRunZP:
                stride = 2;
                break;
            case kRunZPA:
                stride = 3;
                break;
            case kRunP:
                stride = 1;
                break;
            default:
                return SpriteDecodeResult::kBadToken;
        }
        // A run: take the pixels whose bytes are there, write those inside the limits, skip the pad byte.
        const auto present = static_cast<int32_t>(std::min<size_t>(static_cast<size_t>(n), in.GetRemaining() / stride));
        const uint8_t* data = in.ReadSpan(static_cast<size_t>(present) * stride);
        const int32_t writable = cur.Writable(present);
        if (stride == 2) {
            WriteRun<2, 0, 1, -1>(out, cur, data, writable);
        } else if (stride == 3) {
            WriteRun<3, 0, 1, 2>(out, cur, data, writable);
        } else {
            WriteRun<1, -1, 0, -1>(out, cur, data, writable);
        }
        cur.Advance(present);
        if (present < n) return SpriteDecodeResult::kOk;
        if ((static_cast<size_t>(n) * stride) & 1) in.Skip(1);  // pad byte after data of odd length
    }
}
