// PalWrap: building, loading, writing and colour matching of 256-colour palettes.
#include "objects/palettes/PalWrap.h"

#include <algorithm>

#include "platform/ByteWriter.h"
#include "platform/SystemPalette.h"

namespace {

// PALT header: version, colour count, two reserved values.
constexpr size_t kPaletteHeaderSize = 16;
constexpr int32_t kPaletteVersion = 1;

// Entries owned by the system when a palette reserves system colours.
constexpr int kFirstFreeEntry = 10;
constexpr int kLastFreeEntry = 245;

}  // namespace

PalWrap::PalWrap() : entries_(new PaletteColor[256]()), packed_(new uint32_t[256]()) {}

PalWrap::~PalWrap() = default;

void PalWrap::Clear() {
    logical_.reset();
    std::fill_n(entries_.get(), 256, PaletteColor{});
    std::fill_n(packed_.get(), 256, 0u);
    count_ = 0;
    reserveSystem_ = false;
}

void PalWrap::BuildFromColors(const PaletteColor colors[256], bool reserveSystem) {
    // Read the input first: it may be this palette's own table.
    PaletteColor built[256];
    for (int i = 0; i < 256; ++i) {
        built[i] = colors[i];
        built[i].flags = reserveSystem ? kPaletteNoCollapse : (kPaletteReserved | kPaletteNoCollapse);
    }
    if (reserveSystem) {
        GetSystemPaletteEntries(0, kFirstFreeEntry, built);
        GetSystemPaletteEntries(kLastFreeEntry + 1, 255 - kLastFreeEntry, built + kLastFreeEntry + 1);
    }
    Clear();
    std::copy_n(built, 256, entries_.get());
    count_ = 256;
    reserveSystem_ = reserveSystem;
    logical_ = std::make_unique<LogicalPalette>();
    logical_->count = 256;
    std::copy_n(built, 256, logical_->entries);
}

bool PalWrap::LoadPALT(ByteReader reader) {
    Clear();
    reader.ReadInt32LE();  // version: not checked
    const int32_t count = reader.ReadInt32LE();
    reader.Skip(8);  // reserved
    if (reader.HasFailed() || count < 0) return false;
    const int32_t wanted = std::min(count, 256);
    const int32_t present = static_cast<int32_t>(std::min<size_t>(reader.GetRemaining() / 3, size_t{256}));
    const int32_t taken = std::min(wanted, present);
    for (int32_t i = 0; i < taken; ++i) {
        PaletteColor& e = entries_[i];
        e.red = reader.ReadUInt8();
        e.green = reader.ReadUInt8();
        e.blue = reader.ReadUInt8();
        e.flags = 0;
        packed_[i] = (uint32_t{e.red} << 16) | (uint32_t{e.green} << 8) | e.blue;
    }
    count_ = taken;
    return taken == wanted;
}

uint8_t PalWrap::NearestColor(uint8_t red, uint8_t green, uint8_t blue) const {
    int first = reserveSystem_ ? kFirstFreeEntry : 0;
    int last = reserveSystem_ ? kLastFreeEntry : 255;
    last = std::min(last, count_ - 1);
    int best = first <= last ? first : 0;
    int bestDistance = -1;
    for (int i = first; i <= last; ++i) {
        const PaletteColor& e = entries_[i];
        const int dr = int{red} - e.red;
        const int dg = int{green} - e.green;
        const int db = int{blue} - e.blue;
        if (dr == 0 && dg == 0 && db == 0) return static_cast<uint8_t>(i);
        const int distance = 2 * dr * dr + 4 * dg * dg + db * db;
        if (bestDistance < 0 || distance < bestDistance) {
            bestDistance = distance;
            best = i;
        }
    }
    return static_cast<uint8_t>(best);
}

std::vector<uint8_t> PalWrap::MakePALT() const { return MakePALT(entries_.get()); }

std::vector<uint8_t> PalWrap::MakePALT(const PaletteColor colors[256]) {
    std::vector<uint8_t> out(kPaletteResourceSize, 0);
    PutUInt32LE(&out[0], static_cast<uint32_t>(kPaletteVersion));
    PutUInt32LE(&out[4], 256);
    for (int i = 0; i < 256; ++i) {
        uint8_t* p = &out[kPaletteHeaderSize + 3 * static_cast<size_t>(i)];
        p[0] = colors[i].red;
        p[1] = colors[i].green;
        p[2] = colors[i].blue;
    }
    return out;
}

void PalWrap::GetColorTable(RgbQuad out[256]) const {
    for (int i = 0; i < 256; ++i) {
        out[i].blue = entries_[i].blue;
        out[i].green = entries_[i].green;
        out[i].red = entries_[i].red;
        out[i].reserved = 0;
    }
}
