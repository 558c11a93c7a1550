// Spr2Encoder: the row state machine that turns channel images into an SPR2 token stream.
#include "objects/sprites/Spr2Encoder.h"

#include <algorithm>

#include "objects/sprites/SpriteFormat.h"
#include "platform/ByteWriter.h"

namespace {

constexpr size_t kNoToken = static_cast<size_t>(-1);
constexpr size_t kInitialCapacity = size_t{1} << 20;

// Appends tokens and data, keeps tokens at even offsets, fills in counts and remembers whether any count
// overflowed. Bytes are written through a cursor into room made beforehand with Reserve (the buffer grows by
// doubling), so no per-byte capacity checks are needed; Finish cuts the buffer to what was written.
class TokenWriter {
public:
    explicit TokenWriter(std::vector<uint8_t>& out) : out_(out), len_(out.size()) {}

    // Makes room for n more bytes.
    void Reserve(size_t n) {
        if (out_.size() - len_ < n) out_.resize(std::max(len_ + n, 2 * out_.size()));
    }
    // Appends a token word (count 0 for now) and returns its offset; a pad byte goes first when the stream's
    // length is odd. Needs 3 bytes of room.
    size_t Append(uint16_t opcode) {
        if (len_ & 1) out_[len_++] = kSpr2PadByte;
        const size_t at = len_;
        out_[len_++] = 0;
        out_[len_++] = static_cast<uint8_t>(opcode >> 8);
        ++tokens_;
        return at;
    }
    // Appends a token that begins a row (kNL), replaces rows (kSL) or ends the frame (kEOS): the open kNL gets
    // its byte length now that the next row-level token's place is known.
    size_t AppendRowLevel(uint16_t opcode) {
        const size_t at = Append(opcode);
        if (openRow_ != kNoToken) SetCount(openRow_, static_cast<int64_t>(at - openRow_));
        openRow_ = opcode == kNL ? at : kNoToken;
        return at;
    }
    void SetCount(size_t at, int64_t count) {
        if (count > kMaxTokenCount) tooLarge_ = true;
        const auto opcode = static_cast<uint16_t>(out_[at + 1] << 8) & kOpcodeMask;
        PutUInt16LE(&out_[at], static_cast<uint16_t>(opcode | (count & kCountMask)));
    }
    // Takes back the token at `at` (the last one appended) and what follows it.
    void Remove(size_t at) {
        len_ = at;
        --tokens_;
    }
    void Push(uint8_t b) { out_[len_++] = b; }
    // Cuts the output to its tokens and gives back what the growing buffer held beyond them.
    void Finish() {
        out_.resize(len_);
        out_.shrink_to_fit();
    }
    int32_t GetTokenCount() const { return tokens_; }
    bool IsTooLarge() const { return tooLarge_; }

private:
    std::vector<uint8_t>& out_;
    size_t len_;
    size_t openRow_ = kNoToken;
    int32_t tokens_ = 0;
    bool tooLarge_ = false;
};

// Row states.
enum class RowState { kStart, kLeadingClear, kRunZP, kRunZPA, kClearAfterPixels };

void EncodeRow(TokenWriter& w, const uint8_t* p, const uint8_t* z, const uint8_t* a, int32_t width, int shift,
               uint8_t opaque) {
    // Worst case: the kNL with a pad, then a pad, a token and three data bytes for every pixel.
    w.Reserve(3 + 6 * static_cast<size_t>(width));
    w.AppendRowLevel(kNL);
    RowState state = RowState::kStart;
    size_t run = kNoToken;  // open kRunZP / kRunZPA token
    int64_t runCount = 0;
    size_t clear = kNoToken;  // pending kClear token after pixels
    int64_t clearCount = 0;   // transparent pixels counted in kLeadingClear / kClearAfterPixels
    for (int32_t c = 0; c < width; ++c) {
        if (z[c] == kEmptyDepth) {
            switch (state) {
                case RowState::kStart:
                    state = RowState::kLeadingClear;
                    clearCount = 1;
                    break;
                case RowState::kLeadingClear:
                case RowState::kClearAfterPixels:
                    ++clearCount;
                    break;
                case RowState::kRunZP:
                case RowState::kRunZPA:
                    w.SetCount(run, runCount);
                    clear = w.Append(kClear);
                    clearCount = 1;
                    state = RowState::kClearAfterPixels;
                    break;
            }
            continue;
        }
        const auto alpha = static_cast<uint8_t>(a[c] >> shift);
        const RowState want = alpha == opaque ? RowState::kRunZP : RowState::kRunZPA;
        if (state != want) {
            if (state == RowState::kRunZP || state == RowState::kRunZPA) w.SetCount(run, runCount);
            if (state == RowState::kClearAfterPixels) w.SetCount(clear, clearCount);
            if (state == RowState::kLeadingClear) w.SetCount(w.Append(kClear), clearCount);
            run = w.Append(want == RowState::kRunZP ? kRunZP : kRunZPA);
            runCount = 0;
            state = want;
        }
        w.Push(z[c]);
        w.Push(p[c]);
        if (want == RowState::kRunZPA) w.Push(alpha);
        ++runCount;
    }
    if (state == RowState::kRunZP || state == RowState::kRunZPA) w.SetCount(run, runCount);
    // Rows never end in transparent pixels: the pending kClear goes (a pad byte before it stays).
    if (state == RowState::kClearAfterPixels) w.Remove(clear);
}

// Writes the pending empty rows: three or more become one kSL, fewer stay kNL rows of length 2. At the end of the
// frame a kSL is dropped unless it would be the only token before kEOS.
void FlushEmptyRows(TokenWriter& w, int64_t pending, bool atEnd) {
    w.Reserve(3 + 2 * static_cast<size_t>(pending));
    if (pending >= 3) {
        if (atEnd && w.GetTokenCount() > 0) return;
        w.SetCount(w.AppendRowLevel(kSL), pending);
        return;
    }
    for (int64_t i = 0; i < pending; ++i) w.AppendRowLevel(kNL);
}

bool IsEmptyRow(const uint8_t* z, int32_t width) {
    return std::all_of(z, z + width, [](uint8_t v) { return v == kEmptyDepth; });
}

bool Covers(const ChannelView& v, const Point& start, int32_t width, int32_t height) {
    return v.IsPresent() && int64_t{start.row} + height <= v.height && int64_t{start.column} + width <= v.width;
}

}  // namespace

Spr2EncodeResult EncodeSpr2Frame(const ChannelView& p, const ChannelView& z, const ChannelView& a, const Rect& bounds,
                                 const Point& start, int alphaBits, std::vector<uint8_t>& out) {
    out.clear();
    const bool empty = IsRectEmpty(bounds);
    const int32_t width = empty ? 0 : bounds.Width();
    const int32_t height = empty ? 0 : bounds.Height();
    if (alphaBits < 1 || alphaBits > 8 || start.row < 0 || start.column < 0 || !Covers(p, start, width, height) ||
        !Covers(z, start, width, height) || !Covers(a, start, width, height)) {
        return Spr2EncodeResult::kBadArguments;
    }
    if (out.capacity() < kInitialCapacity) out.reserve(kInitialCapacity);

    const int shift = 8 - alphaBits;
    const uint8_t clearColor = p.top[0];
    const auto opaque = static_cast<uint8_t>((255 - a.top[0]) >> shift);

    out.resize(kSpr2FrameHeaderSize, 0);
    PutUInt16LE(&out[0], static_cast<uint16_t>(width));
    PutUInt16LE(&out[2], static_cast<uint16_t>(height));
    PutUInt16LE(&out[4], static_cast<uint16_t>(kColorData | kZData | kAlphaData));
    PutUInt16LE(&out[8], static_cast<uint16_t>(-1));
    PutUInt16LE(&out[10], clearColor);
    PutUInt16LE(&out[12], static_cast<uint16_t>(empty ? 0 : bounds.top));
    PutUInt16LE(&out[14], static_cast<uint16_t>(empty ? 0 : bounds.left));

    TokenWriter w(out);
    int64_t pendingEmpty = 0;
    for (int32_t r = 0; r < height; ++r) {
        const int32_t row = start.row + r;
        const uint8_t* zRow = z.Row(row) + start.column;
        if (IsEmptyRow(zRow, width)) {
            ++pendingEmpty;
            continue;
        }
        FlushEmptyRows(w, pendingEmpty, false);
        pendingEmpty = 0;
        EncodeRow(w, p.Row(row) + start.column, zRow, a.Row(row) + start.column, width, shift, opaque);
    }
    FlushEmptyRows(w, pendingEmpty, true);
    w.Reserve(3);
    w.AppendRowLevel(kEOS);
    w.Finish();

    if (w.IsTooLarge()) {
        out.clear();
        return Spr2EncodeResult::kCountTooLarge;
    }
    return Spr2EncodeResult::kOk;
}
