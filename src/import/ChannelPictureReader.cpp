// ChannelPictureReader: the file read into memory once, then handed to the BMP or the PNG reader.
#include "import/ChannelPictureReader.h"

#include <memory>
#include <new>
#include <vector>

#include "import/BmpReader.h"
#include "import/PngReader.h"
#include "platform/HostFile.h"
#include "resfile/ResFileExtension.h"

namespace {

// Largest file read into memory: the biggest picture allowed at 4 bytes a pixel, plus headers and padding (a PNG
// of that picture is smaller).
constexpr int64_t kMaxFileBytes = kChannelPictureMaxPixels * 4 + kChannelPictureMaxSide * int64_t{4} + 4096;

bool Fail(std::string* reason, const char* text) {
    if (reason) *reason = text;
    return false;
}

ChannelPictureKind KindOfName(const std::string& hostPath) {
    return EqualsIgnoringAsciiCase(PathExtension(hostPath), ".png") ? ChannelPictureKind::kPng
                                                                    : ChannelPictureKind::kBmp;
}

}  // namespace

const char* ChannelPictureKindName(ChannelPictureKind kind) { return kind == ChannelPictureKind::kPng ? "PNG" : "BMP"; }

bool ReadChannelPicture(const uint8_t* data, size_t size, ChannelPicture& out, std::string* reason,
                        ChannelPictureKind* kind) {
    const bool png = HasPngSignature(data, size);
    if (kind) *kind = png ? ChannelPictureKind::kPng : ChannelPictureKind::kBmp;
    return png ? ReadPng(data, size, out, reason) : ReadBmp(data, size, out, reason);
}

bool ReadChannelPicture(const std::string& hostPath, ChannelPicture& out, std::string* reason,
                        ChannelPictureKind* kind) {
    out = ChannelPicture();
    const ChannelPictureKind named = KindOfName(hostPath);
    if (kind) *kind = named;
    std::unique_ptr<HostFile> file = HostFile::Open(hostPath, false);
    if (!file) return Fail(reason, "the file cannot be opened");
    const int64_t size = file->Size();
    if (size < 0) return Fail(reason, "the file's size cannot be read");
    if (size > kMaxFileBytes) {
        return Fail(reason, named == ChannelPictureKind::kPng ? "the file is too large for a PNG this program reads"
                                                               : "the file is too large for a BMP this program reads");
    }
    std::vector<uint8_t> bytes;
    try {
        bytes.resize(static_cast<size_t>(size));
    } catch (const std::bad_alloc&) {
        return Fail(reason, "out of memory");
    }
    int64_t done = 0;
    while (done < size) {
        const int64_t n = file->Read(bytes.data() + done, size - done);
        if (n <= 0) return Fail(reason, "the file cannot be read");
        done += n;
    }
    return ReadChannelPicture(bytes.data(), bytes.size(), out, reason, kind);
}
