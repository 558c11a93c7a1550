// SpritePictureReader: checks a sprite element's frames, reads its channel pictures and gives the sprite one
// palette, quantizing and dithering its colour pictures.
#include "import/SpritePictureReader.h"

#include <algorithm>
#include <cstdio>

#include "app/ObjectFile.h"
#include "app/Progress.h"
#include "import/ChannelPictureReader.h"
#include "import/ColorQuantizer.h"
#include "import/ImportPaletteStore.h"
#include "objects/palettes/PalWrap.h"
#include "objects/palettes/SharedPalettes.h"
#include "platform/FormatText.h"
#include "platform/GreyRamp.h"
#include "platform/HostPath.h"

namespace {

void ToColorTable(const PaletteColor palette[256], RgbQuad out[256]) {
    for (int i = 0; i < 256; ++i) out[i] = RgbQuad{palette[i].blue, palette[i].green, palette[i].red, 0};
}

}  // namespace

SpritePictureReader::SpritePictureReader(ImportedSprite& sprite, const SpriteBuildContext& context,
                                         std::unique_ptr<ColorQuantizer>& quantizer)
    : sprite_(sprite), context_(context), quantizer_(quantizer) {}

bool SpritePictureReader::Read() {
    if (!CheckFrames() || !LoadChannelFiles()) return false;
    return sprite_.customWallStyle || ChoosePalette();
}

bool SpritePictureReader::Fail(const std::string& message) const { return context_.Fail(message); }

bool SpritePictureReader::Read(const std::string& filename, ChannelPicture& picture, ChannelPictureKind& kind) {
    std::string dir = context_.directory;
    if (dir.empty()) dir = ".";
    std::string reason;
    if (ReadChannelPicture(ResolveHostPath(dir + "/" + filename), picture, &reason, &kind)) return true;
    // "Couldn't open BMP file "%s"!", followed by what the reader found wrong with the file.
    std::string text = FormatText("Couldn't open %s file \"%s\"!", ChannelPictureKindName(kind), filename.c_str());
    if (!reason.empty()) text += " (" + reason + ")";
    return Fail(text);
}

// Everything the document promises is checked before any file is read, so that a broken document never leads
// to reading or writing outside the records and images.
bool SpritePictureReader::CheckFrames() {
    const ExportOptions& o = *context_.options;
    if (sprite_.frameCount < 0) return Fail("The sprite's framecount is negative!");
    if (static_cast<size_t>(sprite_.frameCount) > sprite_.frames.size())
        return Fail("The sprite's framecount is larger than the number of its spriteframe elements!");
    for (const auto& f : sprite_.frames) {
        ImportedFrame& frame = *f;
        SetFrameZoom(frame);
        if (frame.IsProxy()) {
            if (static_cast<size_t>(frame.proxy) >= sprite_.frames.size() || sprite_.frames[static_cast<size_t>(frame.proxy)]->IsProxy())
                return Fail("A proxy sprite frame refers to a frame that is not a real sprite frame!");
            if (frame.shrink < 0 || frame.shrink > 15) return Fail("A proxy sprite frame has a bad shrink value!");
            continue;
        }
        if (frame.width <= 0 || frame.height <= 0) return Fail("Zero sized sprite frame!");
        if (frame.width > kChannelPictureMaxSide || frame.height > kChannelPictureMaxSide ||
            int64_t{frame.width} * frame.height > kChannelPictureMaxPixels)
            return Fail("Sprite frame is too large!");
        const bool zFile = frame.z && frame.z->ReadsFile();
        const bool aFile = frame.a && frame.a->ReadsFile();
        if (sprite_.customWallStyle) {
            if (!zFile) return Fail("Missing z channel in sprite frame!");
            continue;
        }
        if (!frame.p || !frame.p->ReadsFile()) return Fail("Missing p channel in sprite frame!");
        if (o.exportz) {
            if (o.generatez) return Fail("Incompatible exportZ and generateZ flags!");
            if (!zFile) return Fail("Missing z channel in sprite frame!");
        }
        if (o.exporta) {
            if (o.generatea) return Fail("Incompatible exportA and generateA flags!");
            if (!aFile) return Fail("Missing a channel in sprite frame!");
        }
        if (o.generatez && !frame.z) return Fail("Missing z channel element to generate in sprite frame!");
        if (o.generatea && !frame.a) return Fail("Missing a channel element to generate in sprite frame!");
        if (!o.generatez && !zFile) return Fail("Missing z channel in sprite frame!");
        if (!o.generatea && !aFile) return Fail("Missing a channel in sprite frame!");
    }
    return true;
}

void SpritePictureReader::SetFrameZoom(ImportedFrame& frame) const {
    frame.zoom = std::min<int32_t>(2, frame.number / sprite_.CountRotations());
}

bool SpritePictureReader::LoadChannelFiles() {
    for (const auto& f : sprite_.frames) {
        ImportedFrame& frame = *f;
        if (frame.IsProxy()) continue;
        for (const auto& c : frame.channels) {
            ImportedChannel& channel = *c;
            if (!channel.ReadsFile()) continue;
            // Only channels that took a slot are used; a channel of an unknown type never got this far.
            ChannelPicture picture;
            ChannelPictureKind kind = ChannelPictureKind::kBmp;
            if (!Read(channel.filename, picture, kind)) return false;
            const std::string kindName = ChannelPictureKindName(kind);
            frame.bitDepth = picture.bitDepth;
            if (picture.IsRgb() && channel.type != "p")
                return Fail(kind == ChannelPictureKind::kBmp
                                ? FormatText("The bmp files for the Alpha and Z Buffer channels must be 8 bits! But "
                                             "you tried to use a 24 bit bmp file: \"%s\"!",
                                             channel.filename.c_str())
                                : FormatText("The png files for the Alpha and Z Buffer channels must be 8 bits! But "
                                             "you tried to use a %d bit png file: \"%s\"!",
                                             picture.bitDepth, channel.filename.c_str()));
            if (picture.width != frame.width || picture.height != frame.height) {
                char size[96];
                std::snprintf(size, sizeof size, "%d x %d instead of %d x %d", picture.width, picture.height,
                              frame.width, frame.height);
                return Fail(FormatText("The size of %s file \"%s\" does not match its sprite frame: ", kindName.c_str(),
                                       channel.filename.c_str()) +
                            size + "!");
            }
            if (sprite_.customWallStyle && picture.IsRgb())
                return Fail(FormatText("Custom wall style %s file \"%s\" is not 8 bits deep!", kindName.c_str(),
                                       channel.filename.c_str()));
            for (int i = 0; i < 256; ++i) channel.palette[i] = picture.palette[i];
            RgbQuad table[256];
            ToColorTable(picture.palette, table);
            channel.image = Bitmap8::Create(picture.width, picture.height, table);
            if (!channel.image)
                return Fail(FormatText("Couldn't make offscreen image for %s file \"%s\"!", kindName.c_str(),
                                       channel.filename.c_str()));
            if (!picture.IsRgb())
                for (int32_t r = 0; r < picture.height; ++r)
                    std::copy_n(picture.GetRow(r), picture.width, channel.image->GetRow(r));
            if (!sprite_.customWallStyle && &channel == frame.p) sprite_.quantize = true;
        }
    }
    return true;
}

bool SpritePictureReader::ChoosePalette() {
    if (sprite_.quantize) {
        ProgressLog(0, "<!-- Computing optimal color palette for all sprite frames, and dithering images. -->\r\n");
        return Quantize();
    }
    ProgressLog(0, "<!-- All sprite frames have matching color palettes. Using it without modification. -->\r\n");
    // No colour file was read: keep the palette the sprite already has in the file, or the grey ramp.
    FillGreyRamp(sprite_.palette);
    for (const PaletteEntry& entry : context_.file->palettes)
        if (entry.id == sprite_.paletteId && entry.palette) {
            for (int i = 0; i < 256; ++i) sprite_.palette[i] = entry.palette->GetEntry(static_cast<uint8_t>(i));
            break;
        }
    for (auto& e : sprite_.palette) e.flags = 0;
    ResErr err = kNoErr;
    const ResID stored = StoreImportPalette(*context_.file, sprite_.palette, false, static_cast<ResID>(sprite_.paletteId), &err);
    if (stored < 0) return Fail("Could not store the sprite's palette in the resource file!");
    sprite_.paletteId = stored;
    for (const auto& f : sprite_.frames)
        if (!f->IsProxy() && f->p && f->p->image) f->transparentPixel = f->p->image->GetRow(0)[0];
    return true;
}

bool SpritePictureReader::Quantize() {
    if (!quantizer_) quantizer_ = std::make_unique<ColorQuantizer>();
    ColorQuantizer& q = *quantizer_;
    q.SetWantedColors(255);
    char line[256];
    for (const auto& f : sprite_.frames) {
        if (f->IsProxy()) continue;
        const std::string& name = f->p->filename;
        ChannelPicture bmp;
        ChannelPictureKind kind = ChannelPictureKind::kBmp;
        if (!Read(name, bmp, kind)) return false;
        std::snprintf(line, sizeof line, "  <!-- Read bitmap \"%.150s\" size %d %d depth %d -->\r\n", name.c_str(),
                      bmp.width, bmp.height, bmp.bitDepth);
        ProgressLog(0, line);
        const int added = q.AddImage(bmp);
        std::snprintf(line, sizeof line,
                      bmp.IsRgb() ? "  <!-- Collected %d unique rgb colors, total %d -->\r\n"
                                  : "<!-- Collected %d unique palette colors, total %d -->\r\n",
                      added, q.GetCellCount());
        ProgressLog(0, line);
    }
    const int built = q.BuildPalette();
    std::snprintf(line, sizeof line, "  <!-- Collected %d total unique rgb colors into %d palette entries -->\r\n",
                  q.GetCellCount(), built);
    ProgressLog(0, line);
    for (int i = 0; i < 256; ++i) sprite_.palette[i] = q.GetPalette()[i];
    ResErr err = kNoErr;
    const ResID stored = StoreImportPalette(*context_.file, sprite_.palette, false, static_cast<ResID>(sprite_.paletteId), &err);
    if (stored < 0) return Fail("Could not store the sprite's palette in the resource file!");
    sprite_.paletteId = stored;
    for (const auto& f : sprite_.frames) {
        if (f->IsProxy()) continue;
        ImportedChannel& p = *f->p;
        ChannelPicture bmp;
        ChannelPictureKind kind = ChannelPictureKind::kBmp;
        if (!Read(p.filename, bmp, kind)) return false;
        const int transparent = q.MapImage(bmp, *p.image, true);
        if (transparent < 0)
            return Fail(FormatText("The size of %s file \"%s\" changed during the import!", ChannelPictureKindName(kind),
                                   p.filename.c_str()));
        f->transparentPixel = transparent;
        for (int i = 0; i < 256; ++i) p.palette[i] = sprite_.palette[i];
    }
    return true;
}
