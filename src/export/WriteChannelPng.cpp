// WriteChannelPng: the export's PNG channel files through the platform's PNG encoder.
#include "export/WriteChannelPng.h"

#include "export/WriteExportFile.h"
#include "platform/PngWriter.h"

std::vector<uint8_t> EncodeChannelPng(const Bitmap8& image, const RgbQuad* colors) {
    return colors ? EncodePng(image, colors) : EncodeGreyPng(image);
}

bool WriteChannelPng(const std::string& path, const Bitmap8& image, const RgbQuad* colors, int64_t* bytesWritten) {
    return WriteExportFile(path, EncodeChannelPng(image, colors), bytesWritten);
}
