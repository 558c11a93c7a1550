// PictureOutput: choosing PNG or BMP output by a file name's extension, and writing a picture that way.
#pragma once

#include <string>

#include "platform/BmpWriter.h"
#include "platform/PngWriter.h"
#include "resfile/ResFileExtension.h"

namespace cli {

enum class PictureFormat { kUnknown, kPng, kBmp };

inline PictureFormat PictureFormatOf(const std::string& path) {
    std::string ext = PathExtension(path);
    if (EqualsIgnoringAsciiCase(ext, ".png")) return PictureFormat::kPng;
    if (EqualsIgnoringAsciiCase(ext, ".bmp")) return PictureFormat::kBmp;
    return PictureFormat::kUnknown;
}

// False when the format is unknown or the file cannot be written.
template <class Picture>
bool WritePicture(const std::string& path, const Picture& picture, PictureFormat format) {
    switch (format) {
        case PictureFormat::kPng: return WritePng(path, picture);
        case PictureFormat::kBmp: return WriteBmp(path, picture);
        default: return false;
    }
}

}  // namespace cli
