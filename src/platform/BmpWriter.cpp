// BmpWriter: BMP file and info headers in front of rows that the bitmaps already store in BMP order.
#include "platform/BmpWriter.h"

#include <new>

#include "platform/Bitmap24.h"
#include "platform/Bitmap8.h"
#include "platform/HostFile.h"

namespace {

constexpr uint32_t kFileHeaderSize = 14;
constexpr uint32_t kInfoHeaderSize = 40;
constexpr int32_t kPixelsPerMetre = 2835;  // 72 dots per inch

void PutU16(std::vector<uint8_t>& out, uint16_t v) {
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}

void PutU32(std::vector<uint8_t>& out, uint32_t v) {
    PutU16(out, static_cast<uint16_t>(v));
    PutU16(out, static_cast<uint16_t>(v >> 16));
}

std::vector<uint8_t> Encode(int32_t width, int32_t height, uint16_t bitCount, const RgbQuad* table,
                            const uint8_t* bits, size_t bitsSize) {
    const uint32_t tableSize = table ? 256 * 4 : 0;
    const uint32_t offBits = kFileHeaderSize + kInfoHeaderSize + tableSize;
    std::vector<uint8_t> out;
    try {
        out.reserve(offBits + bitsSize);
        out.push_back('B');
        out.push_back('M');
        PutU32(out, static_cast<uint32_t>(offBits + bitsSize));
        PutU32(out, 0);  // two reserved words
        PutU32(out, offBits);
        PutU32(out, kInfoHeaderSize);
        PutU32(out, static_cast<uint32_t>(width));
        PutU32(out, static_cast<uint32_t>(height));  // positive: bottom-up
        PutU16(out, 1);                              // planes
        PutU16(out, bitCount);
        PutU32(out, 0);  // no compression
        PutU32(out, static_cast<uint32_t>(bitsSize));
        PutU32(out, static_cast<uint32_t>(kPixelsPerMetre));
        PutU32(out, static_cast<uint32_t>(kPixelsPerMetre));
        PutU32(out, table ? 256 : 0);  // colours used
        PutU32(out, 0);                // all important
        for (uint32_t i = 0; table && i < 256; ++i) {
            out.push_back(table[i].blue);
            out.push_back(table[i].green);
            out.push_back(table[i].red);
            out.push_back(0);
        }
        out.insert(out.end(), bits, bits + bitsSize);
    } catch (const std::bad_alloc&) {
        return {};
    }
    return out;
}

bool WriteBytes(const std::string& hostPath, const std::vector<uint8_t>& bytes) {
    if (bytes.empty()) return false;
    std::unique_ptr<HostFile> file = HostFile::Create(hostPath);
    if (!file) return false;
    const auto n = static_cast<int64_t>(bytes.size());
    const bool written = file->Write(bytes.data(), n) == n;
    return file->Close() && written;
}

}  // namespace

std::vector<uint8_t> EncodeBmp(const Bitmap24& picture) {
    return Encode(picture.GetWidth(), picture.GetHeight(), 24, nullptr, picture.GetBits(), picture.GetBitsSize());
}

std::vector<uint8_t> EncodeBmp(const Bitmap8& bitmap) {
    return Encode(bitmap.GetWidth(), bitmap.GetHeight(), 8, bitmap.GetColorTable(), bitmap.GetBits(),
                  bitmap.GetBitsSize());
}

bool WriteBmp(const std::string& hostPath, const Bitmap24& picture) { return WriteBytes(hostPath, EncodeBmp(picture)); }

bool WriteBmp(const std::string& hostPath, const Bitmap8& bitmap) { return WriteBytes(hostPath, EncodeBmp(bitmap)); }
