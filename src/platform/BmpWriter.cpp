// BmpWriter: BMP file and info headers in front of rows that the bitmaps already store in BMP order.
#include "platform/BmpWriter.h"

#include <new>

#include "platform/Bitmap24.h"
#include "platform/Bitmap8.h"
#include "platform/HostFile.h"
#include "platform/ByteWriter.h"

namespace {

constexpr uint32_t kFileHeaderSize = 14;
constexpr uint32_t kInfoHeaderSize = 40;
constexpr int32_t kPixelsPerMetre = 2835;  // 72 dots per inch

std::vector<uint8_t> Encode(int32_t width, int32_t height, uint16_t bitCount, const RgbQuad* table,
                            const uint8_t* bits, size_t bitsSize) {
    const uint32_t tableSize = table ? 256 * 4 : 0;
    const uint32_t offBits = kFileHeaderSize + kInfoHeaderSize + tableSize;
    std::vector<uint8_t> out;
    try {
        out.reserve(offBits + bitsSize);
        ByteWriter w(out);
        out.push_back('B');
        out.push_back('M');
        w.WriteUInt32LE(static_cast<uint32_t>(offBits + bitsSize));
        w.WriteUInt32LE(0);  // two reserved words
        w.WriteUInt32LE(offBits);
        w.WriteUInt32LE(kInfoHeaderSize);
        w.WriteUInt32LE(static_cast<uint32_t>(width));
        w.WriteUInt32LE(static_cast<uint32_t>(height));  // positive: bottom-up
        w.WriteUInt16LE(1);                              // planes
        w.WriteUInt16LE(bitCount);
        w.WriteUInt32LE(0);  // no compression
        w.WriteUInt32LE(static_cast<uint32_t>(bitsSize));
        w.WriteUInt32LE(static_cast<uint32_t>(kPixelsPerMetre));
        w.WriteUInt32LE(static_cast<uint32_t>(kPixelsPerMetre));
        w.WriteUInt32LE(table ? 256 : 0);  // colours used
        w.WriteUInt32LE(0);                // all important
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
