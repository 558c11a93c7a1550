// GenerateChannels: depth from the floor tile templates and alpha from the background of the colour channel.
#include "import/GenerateChannels.h"
#include "platform/GreyRamp.h"

#include <algorithm>

std::unique_ptr<Bitmap8> GenerateDepthChannel(const Bitmap8& color, const Bitmap8& depthTemplate, bool far,
                                              int32_t canvasTop, int32_t canvasLeft) {
    const int32_t width = color.GetWidth();
    const int32_t height = color.GetHeight();
    auto out = Bitmap8::Create(width, height, GreyRampTable());
    if (!out || depthTemplate.GetWidth() <= 0 || depthTemplate.GetHeight() <= 0) return nullptr;
    const uint8_t background = color.GetRow(0)[0];
    const int bias = far ? kGeneratedDepthFarBias : kGeneratedDepthNearBias;
    const int64_t lastRow = depthTemplate.GetHeight() - 1;
    const int64_t lastColumn = depthTemplate.GetWidth() - 1;
    for (int32_t r = 0; r < height; ++r) {
        const uint8_t* in = color.GetRow(r);
        uint8_t* z = out->GetRow(r);
        const auto tr = static_cast<int32_t>(std::clamp<int64_t>(int64_t{r} + canvasTop, 0, lastRow));
        const uint8_t* t = depthTemplate.GetRow(tr);
        for (int32_t c = 0; c < width; ++c) {
            if (in[c] == background) {
                z[c] = 255;
                continue;
            }
            const auto tc = static_cast<int32_t>(std::clamp<int64_t>(int64_t{c} + canvasLeft, 0, lastColumn));
            const int value = t[tc];
            z[c] = value == 255 ? 255 : static_cast<uint8_t>(std::clamp(value + bias, 0, 254));
        }
    }
    return out;
}

std::unique_ptr<Bitmap8> GenerateAlphaChannel(const Bitmap8& color, bool soft) {
    const int32_t width = color.GetWidth();
    const int32_t height = color.GetHeight();
    auto out = Bitmap8::Create(width, height, GreyRampTable());
    if (!out) return nullptr;
    const uint8_t background = color.GetRow(0)[0];
    for (int32_t r = 0; r < height; ++r) {
        const uint8_t* in = color.GetRow(r);
        uint8_t* a = out->GetRow(r);
        for (int32_t c = 0; c < width; ++c) {
            if (in[c] == background) {
                a[c] = 0;
                continue;
            }
            if (!soft) {
                a[c] = 255;
                continue;
            }
            bool inner = r > 0 && c > 0 && r < height - 1 && c < width - 1;
            for (int32_t dr = -1; inner && dr <= 1; ++dr) {
                const uint8_t* row = color.GetRow(r + dr);
                for (int32_t dc = -1; dc <= 1; ++dc)
                    if (row[c + dc] == background) {
                        inner = false;
                        break;
                    }
            }
            a[c] = inner ? 255 : 128;
        }
    }
    return out;
}
