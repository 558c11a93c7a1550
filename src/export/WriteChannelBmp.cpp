// WriteChannelBmp: headers, colour table and rows of the export's 8-bit BMP files.
#include "export/WriteChannelBmp.h"

#include <new>

#include "export/Rle8Encoder.h"
#include "export/WriteExportFile.h"
#include "platform/Bitmap8.h"

namespace {

constexpr uint32_t kPixelOffset = 14 + 40 + 256 * 4;  // 1078

void Put16(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}
void Put32(std::vector<uint8_t>& out, uint32_t v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}
void Set32(std::vector<uint8_t>& out, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) out[at + static_cast<size_t>(i)] = static_cast<uint8_t>(v >> (8 * i));
}

}  // namespace

std::vector<uint8_t> EncodeChannelBmp(const Bitmap8& image, const RgbQuad colors[256], bool compressed) {
    try {
        const int64_t stride = image.GetStride();
        const int32_t width = image.GetWidth();
        const int32_t height = image.GetHeight();
        const uint32_t plainSize = static_cast<uint32_t>(stride * height);
        std::vector<uint8_t> out;
        out.reserve(kPixelOffset + (compressed ? plainSize / 2 : plainSize) + 16);
        out.push_back('B');
        out.push_back('M');
        Put32(out, plainSize + kPixelOffset);  // also for RLE8: the size the rows would take uncompressed
        Put16(out, 0);
        Put16(out, 0);
        Put32(out, kPixelOffset);
        Put32(out, 40);
        Put32(out, static_cast<uint32_t>(width));
        Put32(out, static_cast<uint32_t>(height));
        Put16(out, 1);
        Put16(out, 8);
        Put32(out, compressed ? 1 : 0);
        const size_t imageSizeAt = out.size();
        Put32(out, plainSize);
        Put32(out, 0);
        Put32(out, 0);
        Put32(out, 256);
        Put32(out, 256);
        for (int i = 0; i < 256; ++i) {
            out.push_back(colors[i].blue);
            out.push_back(colors[i].green);
            out.push_back(colors[i].red);
            out.push_back(0);
        }
        if (compressed) {
            EncodeRle8(image.GetBits(), stride, width, height, out);
            Set32(out, imageSizeAt, static_cast<uint32_t>(out.size() - kPixelOffset));
        } else {
            out.insert(out.end(), image.GetBits(), image.GetBits() + image.GetBitsSize());
        }
        return out;
    } catch (const std::bad_alloc&) {
        return {};
    }
}

bool WriteChannelBmp(const std::string& path, const Bitmap8& image, const RgbQuad colors[256], bool compressed,
                     int64_t* bytesWritten) {
    return WriteExportFile(path, EncodeChannelBmp(image, colors, compressed), bytesWritten);
}
