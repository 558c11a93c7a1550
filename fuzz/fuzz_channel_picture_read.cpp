// fuzz_channel_picture_read: reads arbitrary bytes as a channel picture (BMP or PNG, chosen by the signature);
// a readable picture is then quantized and dithered.
#include <cstdint>
#include <cstdlib>
#include <memory>

#include "import/ChannelPictureReader.h"
#include "import/ColorQuantizer.h"
#include "platform/Bitmap8.h"

namespace {

constexpr int64_t kMaxQuantizedPixels = 256 * 256;  // bigger pictures are only read, to keep runs quick

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    ChannelPicture image;
    if (!ReadChannelPicture(data, size, image, nullptr)) {
        if (!image.pixels.empty()) std::abort();  // a failed read leaves nothing behind
        return 0;
    }
    // What was read must be exactly the size it claims, with a depth the reader promises.
    if (image.width <= 0 || image.height <= 0 || image.pixels.size() != image.GetRowBytes() * image.height)
        std::abort();
    if (image.bitDepth != 8 && image.bitDepth != 24 && image.bitDepth != 32) std::abort();
    if (int64_t{image.width} * image.height > kMaxQuantizedPixels) return 0;

    static ColorQuantizer quantizer;
    quantizer.SetWantedColors(1 + size % 256);
    quantizer.AddImage(image);
    const int built = quantizer.BuildPalette();
    if (built < 1 || built > quantizer.GetWantedColors()) std::abort();
    std::unique_ptr<Bitmap8> out = Bitmap8::Create(image.width, image.height, nullptr);
    if (!out) return 0;
    const int transparent = quantizer.MapImage(image, *out, (size & 1) != 0);
    if (transparent != out->GetRow(0)[0]) std::abort();
    for (int32_t r = 0; r < image.height; ++r)
        for (int32_t c = 0; c < image.width; ++c)
            if (out->GetRow(r)[c] >= built) std::abort();
    return 0;
}
