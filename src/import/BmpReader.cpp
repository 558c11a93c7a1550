// BmpReader: reads a BMP file (8-bit plain or RLE8, 24- or 32-bit plain, bottom-up or top-down) into memory.
#include "import/BmpReader.h"

#include <cstdlib>
#include <new>

#include "platform/ByteReader.h"
#include "platform/GreyRamp.h"

namespace {

constexpr size_t kFileHeaderSize = 14;
constexpr uint32_t kInfoHeaderSize = 40;
constexpr uint32_t kCompressionNone = 0;
constexpr uint32_t kCompressionRle8 = 1;
constexpr uint32_t kCompressionBitFields = 3;

bool Fail(std::string* reason, const char* text) {
    if (reason) *reason = text;
    return false;
}

// Uncompressed rows: each row's pixels then padding to a multiple of 4 bytes, bottom row first unless
// `topDown`. The last row's padding may be missing.
bool ReadPlainRows(ByteReader& reader, ChannelPicture& image, bool topDown, std::string* reason) {
    const int fileBytesPerPixel = image.bitDepth / 8;
    const size_t fileRowBytes = static_cast<size_t>(image.width) * static_cast<size_t>(fileBytesPerPixel);
    const size_t stride = (fileRowBytes + 3) & ~size_t{3};
    const size_t rows = static_cast<size_t>(image.height);
    if (reader.GetRemaining() / stride < rows - 1 || reader.GetRemaining() - stride * (rows - 1) < fileRowBytes)
        return Fail(reason, "the pixel data ends before the last row");
    for (size_t i = 0; i < rows; ++i) {
        ByteReader row = reader.Slice(i + 1 < rows ? stride : fileRowBytes);
        const uint8_t* src = row.ReadSpan(fileRowBytes);
        if (!src) return Fail(reason, "the pixel data ends before the last row");
        const int32_t r = topDown ? static_cast<int32_t>(i) : image.height - 1 - static_cast<int32_t>(i);
        uint8_t* out = image.GetRow(r);
        if (image.bitDepth == 8) {
            for (int32_t c = 0; c < image.width; ++c) out[c] = src[c];
        } else {
            // Blue, green, red (and an unused fourth byte for 32 bits) become red, green, blue.
            for (int32_t c = 0; c < image.width; ++c, src += fileBytesPerPixel, out += 3) {
                out[0] = src[2];
                out[1] = src[1];
                out[2] = src[0];
            }
        }
    }
    return true;
}

// RLE8 codes, filling the image (already 0) from its bottom row up. Every run, literal and delta is checked
// against the row and the image before it is followed.
bool ReadRle8(ByteReader& reader, ChannelPicture& image, std::string* reason) {
    int32_t x = 0;
    int32_t y = 0;  // counted from the bottom row
    for (;;) {
        const uint8_t count = reader.ReadUInt8();
        const uint8_t value = reader.ReadUInt8();
        if (reader.HasFailed()) return Fail(reason, "the RLE8 data ends before its end-of-bitmap code");
        if (count > 0) {
            if (y >= image.height || count > image.width - x)
                return Fail(reason, "an RLE8 run passes the end of a row or of the image");
            uint8_t* out = image.GetRow(image.height - 1 - y) + x;
            for (int i = 0; i < count; ++i) out[i] = value;
            x += count;
            continue;
        }
        switch (value) {
        case 0:  // end of row
            x = 0;
            ++y;
            break;
        case 1:  // end of bitmap
            return true;
        case 2: {  // delta: right dx pixels, down dy rows (up in the file's bottom-up order)
            const uint8_t dx = reader.ReadUInt8();
            const uint8_t dy = reader.ReadUInt8();
            if (reader.HasFailed()) return Fail(reason, "the RLE8 data ends inside a delta code");
            if (dx > image.width - x || dy > image.height - y)
                return Fail(reason, "an RLE8 delta passes the end of a row or of the image");
            x += dx;
            y += dy;
            break;
        }
        default: {  // literal pixels, padded to an even count
            const uint8_t* src = reader.ReadSpan(value);
            if (!src || ((value & 1) && !reader.Skip(1)))
                return Fail(reason, "the RLE8 data ends inside literal pixels");
            if (y >= image.height || value > image.width - x)
                return Fail(reason, "RLE8 literal pixels pass the end of a row or of the image");
            uint8_t* out = image.GetRow(image.height - 1 - y) + x;
            for (int i = 0; i < value; ++i) out[i] = src[i];
            x += value;
            break;
        }
        }
    }
}

bool ReadBmpFromReader(ByteReader reader, ChannelPicture& image, std::string* reason) {
    // File header: "BM", file size, two reserved words, offset of the pixel data.
    if (reader.ReadUInt8() != 'B' || reader.ReadUInt8() != 'M') return Fail(reason, "not a BMP file (no \"BM\")");
    reader.Skip(8);
    const uint32_t pixelOffset = reader.ReadUInt32LE();
    // Information header (40 bytes, or one of the longer versions that begin the same way).
    const uint32_t headerSize = reader.ReadUInt32LE();
    const int32_t width = reader.ReadInt32LE();
    const int32_t rawHeight = reader.ReadInt32LE();
    const uint16_t planes = reader.ReadUInt16LE();
    const uint16_t bitCount = reader.ReadUInt16LE();
    const uint32_t compression = reader.ReadUInt32LE();
    reader.Skip(12);  // image size, pixels per metre
    const uint32_t colorsUsed = reader.ReadUInt32LE();
    reader.Skip(4);  // important colours
    if (reader.HasFailed()) return Fail(reason, "the file ends inside its headers");
    if (headerSize < kInfoHeaderSize) return Fail(reason, "an old-style BMP header is not supported");
    if (planes != 1) return Fail(reason, "the bitmap has more than one plane");
    if (bitCount != 8 && bitCount != 24 && bitCount != 32)
        return Fail(reason, "only 8-, 24- and 32-bit BMP files can be read");
    const bool topDown = rawHeight < 0;
    if (width <= 0 || rawHeight == 0 || rawHeight < -kChannelPictureMaxSide || rawHeight > kChannelPictureMaxSide || width > kChannelPictureMaxSide)
        return Fail(reason, "the bitmap's width or height is zero or too large");
    const int32_t height = topDown ? -rawHeight : rawHeight;
    if (int64_t{width} * height > kChannelPictureMaxPixels) return Fail(reason, "the bitmap is too large");

    if (compression == kCompressionRle8) {
        if (bitCount != 8) return Fail(reason, "RLE8 compression needs 8 bits per pixel");
        if (topDown) return Fail(reason, "an RLE8 bitmap cannot be stored top row first");
    } else if (compression == kCompressionBitFields && bitCount == 32) {
        // Accepted only with the usual masks, which make it the same as an uncompressed 32-bit file. The masks
        // follow a 40-byte header, or lie inside a longer one.
        reader.Seek(kFileHeaderSize + kInfoHeaderSize);
        const uint32_t redMask = reader.ReadUInt32LE();
        const uint32_t greenMask = reader.ReadUInt32LE();
        const uint32_t blueMask = reader.ReadUInt32LE();
        if (reader.HasFailed()) return Fail(reason, "the file ends inside its colour masks");
        if (redMask != 0x00FF0000u || greenMask != 0x0000FF00u || blueMask != 0x000000FFu)
            return Fail(reason, "32-bit pixels with unusual colour masks are not supported");
    } else if (compression != kCompressionNone) {
        return Fail(reason, "the BMP compression is not supported");
    }

    image.width = width;
    image.height = height;
    image.bitDepth = bitCount;
    if (bitCount == 8) {
        const uint32_t colors = colorsUsed ? colorsUsed : 256;
        if (colors > 256) return Fail(reason, "the colour table has more than 256 entries");
        if (!reader.Seek(kFileHeaderSize + size_t{headerSize}) || !reader.Has(size_t{colors} * 4))
            return Fail(reason, "the file ends inside its colour table");
        for (uint32_t i = 0; i < colors; ++i) {
            PaletteColor& entry = image.palette[i];
            entry.blue = reader.ReadUInt8();
            entry.green = reader.ReadUInt8();
            entry.red = reader.ReadUInt8();
            reader.Skip(1);
        }
    } else {
        FillGreyRamp(image.palette);
    }
    if (!reader.Seek(pixelOffset)) return Fail(reason, "the pixel data offset lies past the end of the file");
    // Uncompressed data must hold every row before memory is taken for them.
    if (compression != kCompressionRle8) {
        const size_t fileRowBytes = static_cast<size_t>(width) * (bitCount / 8);
        if (reader.GetRemaining() / fileRowBytes < static_cast<size_t>(height))
            return Fail(reason, "the pixel data ends before the last row");
    }
    try {
        image.pixels.assign(static_cast<size_t>(width) * static_cast<size_t>(height) * image.GetBytesPerPixel(), 0);
    } catch (const std::bad_alloc&) {
        return Fail(reason, "out of memory");
    }
    if (compression == kCompressionRle8) return ReadRle8(reader, image, reason);
    return ReadPlainRows(reader, image, topDown, reason);
}

}  // namespace

bool ReadBmp(const uint8_t* data, size_t size, ChannelPicture& out, std::string* reason) {
    out = ChannelPicture();
    if (ReadBmpFromReader(ByteReader(data, size), out, reason)) return true;
    out = ChannelPicture();
    return false;
}
