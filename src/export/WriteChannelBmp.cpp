// WriteChannelBmp: headers, colour table and rows of the export's 8-bit BMP files.
#include "export/WriteChannelBmp.h"

#include <new>

#include "export/Rle8Encoder.h"
#include "export/WriteExportFile.h"
#include "platform/Bitmap8.h"
#include "platform/ByteWriter.h"

namespace {

constexpr uint32_t kPixelOffset = 14 + 40 + 256 * 4;  // 1078

}  // namespace

std::vector<uint8_t> EncodeChannelBmp(const Bitmap8& image, const RgbQuad colors[256], bool compressed) {
    try {
        const int64_t stride = image.GetStride();
        const int32_t width = image.GetWidth();
        const int32_t height = image.GetHeight();
        const uint32_t plainSize = static_cast<uint32_t>(stride * height);
        std::vector<uint8_t> out;
        ByteWriter w(out);
        out.reserve(kPixelOffset + (compressed ? plainSize / 2 : plainSize) + 16);
        out.push_back('B');
        out.push_back('M');
        w.WriteUInt32LE(plainSize + kPixelOffset);  // also for RLE8: the size the rows would take uncompressed
        w.WriteUInt16LE(0);
        w.WriteUInt16LE(0);
        w.WriteUInt32LE(kPixelOffset);
        w.WriteUInt32LE(40);
        w.WriteUInt32LE(static_cast<uint32_t>(width));
        w.WriteUInt32LE(static_cast<uint32_t>(height));
        w.WriteUInt16LE(1);
        w.WriteUInt16LE(8);
        w.WriteUInt32LE(compressed ? 1 : 0);
        const size_t imageSizeAt = out.size();
        w.WriteUInt32LE(plainSize);
        w.WriteUInt32LE(0);
        w.WriteUInt32LE(0);
        w.WriteUInt32LE(256);
        w.WriteUInt32LE(256);
        for (int i = 0; i < 256; ++i) {
            out.push_back(colors[i].blue);
            out.push_back(colors[i].green);
            out.push_back(colors[i].red);
            out.push_back(0);
        }
        if (compressed) {
            EncodeRle8(image.GetBits(), stride, width, height, out);
            PutUInt32LE(&out[imageSizeAt], static_cast<uint32_t>(out.size() - kPixelOffset));
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
