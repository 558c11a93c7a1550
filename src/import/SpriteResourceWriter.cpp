// SpriteResourceWriter: fills a sprite's missing depth and alpha, makes its smaller zooms, places its frames and
// encodes and writes the sprite resource.
#include "import/SpriteResourceWriter.h"

#include <algorithm>
#include <cstdio>

#include "app/ObjectFile.h"
#include "import/ColorQuantizer.h"
#include "import/DepthTemplates.h"
#include "import/GenerateChannels.h"
#include "import/ShrinkChannels.h"
#include "import/WriteImportResource.h"
#include "objects/palettes/SharedPalettes.h"
#include "objects/sprites/Spr2Assembler.h"
#include "objects/sprites/Spr2Decoder.h"
#include "objects/sprites/Spr2Encoder.h"
#include "objects/sprites/Spr2Resource.h"
#include "objects/sprites/SprListEncoder.h"
#include "objects/sprites/SpriteFrameCount.h"
#include "platform/ByteReader.h"
#include "platform/GreyRamp.h"
#include "resfile/StdResFile.h"

namespace {

// Bytes reserved per frame before the first frame of a built sprite.
constexpr int64_t kSpr2BytesPerFrameBeforeData = 48;
constexpr int kSpr2AlphaBits = 5;

ChannelView ViewOfImage(Bitmap8& b) { return ViewOf(b); }

bool FitsInt16(int64_t v) { return v >= INT16_MIN && v <= INT16_MAX; }

ImportedChannel& ChannelSlot(ImportedFrame& frame, ImportedChannel*& slot, const char* type) {
    if (!slot) {
        auto channel = std::make_unique<ImportedChannel>();
        channel->type = type;
        channel->frame = &frame;
        channel->position = static_cast<int32_t>(frame.channels.size());
        slot = channel.get();
        frame.channels.push_back(std::move(channel));
    }
    return *slot;
}

}  // namespace

SpriteResourceWriter::SpriteResourceWriter(ImportedSprite& sprite, const SpriteBuildContext& context,
                                           std::unique_ptr<ColorQuantizer>& quantizer)
    : sprite_(sprite), context_(context), quantizer_(quantizer) {}

bool SpriteResourceWriter::Write() {
    if (sprite_.customWallStyle) return BuildCustomWall();
    if (!FillDepthAndAlpha() || !MakeProxies()) return false;
    PlaceFrames();
    return EncodeSpr2();
}

bool SpriteResourceWriter::Fail(const std::string& message) const { return context_.Fail(message); }

bool SpriteResourceWriter::KeepStored(ImportedFrame& frame, ImportedChannel& channel, bool depth) {
    channel.image = Bitmap8::CreateFilled(frame.width, frame.height, GreyRampTable(), depth ? 255 : 0);
    if (!channel.image) return Fail("could not make offscreen image");
    FillGreyRamp(channel.palette);
    std::vector<uint8_t> stored;
    if (DataHandle* h = context_.file->file->GetResource(kTypeSPR2, sprite_.id, nullptr)) {
        stored = h->bytes;
        context_.file->file->ReleaseAndFree(h);
    }
    ByteReader data(stored.data(), stored.size());
    Spr2Frame old;
    if (stored.empty() || !ReadSpr2Frame(data, frame.number, old)) return Fail("Can't get sprite plane bitmap!");
    // Expanded frames lie on the zoom's canvas at their offsets; others start at the image's corner.
    const int32_t left = context_.options->exportexpanded ? old.x : 0;
    const int32_t top = context_.options->exportexpanded ? old.y : 0;
    if (left < 0 || top < 0 || int64_t{left} + old.width > frame.width || int64_t{top} + old.height > frame.height)
        return Fail("Wrong sized bitmap!");
    if (old.IsEmpty()) return true;
    ChannelView view = ViewOfImage(*channel.image);
    view.top = view.Row(top) + left;
    view.width = old.width;
    view.height = old.height;
    SpriteChannels out;
    (depth ? out.z : out.a) = view;
    DecodeSpr2Frame(old, out, 0);
    return true;
}

bool SpriteResourceWriter::FillDepthAndAlpha() {
    const ExportOptions& o = *context_.options;
    for (const auto& f : sprite_.frames) {
        ImportedFrame& frame = *f;
        if (frame.IsProxy()) continue;
        const int32_t canvasTop = o.exportexpanded ? 0 : frame.y;
        const int32_t canvasLeft = o.exportexpanded ? 0 : frame.x;
        if (o.generatez) {
            if (o.justchangecolors) {
                if (!KeepStored(frame, *frame.z, true)) return false;
            } else {
                const Bitmap8* t = DepthTemplate(DepthTemplateNumber(o.generatezfar, frame.zoom));
                if (!t) return Fail("Can't load Z background bitmap resource!");
                frame.z->image = GenerateDepthChannel(*frame.p->image, *t, o.generatezfar, canvasTop, canvasLeft);
                if (!frame.z->image) return Fail("could not make offscreen image");
                FillGreyRamp(frame.z->palette);
            }
        }
        if (o.generatea) {
            if (o.justchangecolors) {
                if (!KeepStored(frame, *frame.a, false)) return false;
            } else {
                frame.a->image = GenerateAlphaChannel(*frame.p->image, o.generateasoft);
                if (!frame.a->image) return Fail("could not make offscreen image");
                FillGreyRamp(frame.a->palette);
            }
        }
    }
    return true;
}

bool SpriteResourceWriter::MakeProxies() {
    const ExportOptions& o = *context_.options;
    for (const auto& f : sprite_.frames) {
        ImportedFrame& frame = *f;
        if (!frame.IsProxy()) continue;
        ImportedFrame& source = *sprite_.frames[static_cast<size_t>(frame.proxy)];
        const int s = frame.shrink;
        frame.width = source.width >> s;
        frame.height = source.height >> s;
        // The source's offsets on the proxy's smaller canvas (they become the frame's offsets when the document
        // was not exported expanded).
        frame.x = source.x >> s;
        frame.y = source.y >> s;
        if (frame.width <= 0 || frame.height <= 0) {
            frame.width = frame.height = 1;
            frame.degenerate = true;
        }
        frame.proxy = -1;
        if (!quantizer_) quantizer_ = std::make_unique<ColorQuantizer>();
        ImportedChannel& p = ChannelSlot(frame, frame.p, "p");
        ImportedChannel& z = ChannelSlot(frame, frame.z, "z");
        ImportedChannel& a = ChannelSlot(frame, frame.a, "a");
        p.image = ShrinkColorChannel(*source.p->image, s, frame.width, frame.height, o.smoothsmallzoomcolors,
                                     source.p->palette, *quantizer_);
        if (!p.image) return Fail("could not make offscreen image");
        std::copy_n(source.p->palette, 256, p.palette);
        frame.transparentPixel = p.image->GetRow(0)[0];
        if (o.justchangecolors) {
            if (!KeepStored(frame, z, true) || !KeepStored(frame, a, false)) return false;
        } else {
            z.image = ShrinkDepthChannel(*source.z->image, s, frame.width, frame.height);
            a.image = ShrinkAlphaChannel(*source.a->image, s, frame.width, frame.height, o.smoothsmallzoomedges);
            if (!z.image || !a.image) return Fail("could not make offscreen image");
            FillGreyRamp(z.palette);
            FillGreyRamp(a.palette);
        }
    }
    return true;
}

void SpriteResourceWriter::PlaceFrames() {
    const bool expanded = context_.options->exportexpanded;
    for (const auto& f : sprite_.frames) {
        ImportedFrame& frame = *f;
        if (!frame.z || !frame.z->image) continue;
        const Bitmap8& z = *frame.z->image;
        if (!expanded) {
            frame.sourceLeft = frame.sourceTop = 0;
            frame.sourceWidth = z.GetWidth();
            frame.sourceHeight = z.GetHeight();
            frame.left = frame.x;
            frame.top = frame.y;
            continue;
        }
        int32_t minR = z.GetHeight(), maxR = -1, minC = z.GetWidth(), maxC = -1;
        for (int32_t r = 0; r < z.GetHeight(); ++r) {
            const uint8_t* row = z.GetRow(r);
            for (int32_t c = 0; c < z.GetWidth(); ++c)
                if (row[c] != 255) {
                    minR = std::min(minR, r);
                    maxR = std::max(maxR, r);
                    minC = std::min(minC, c);
                    maxC = std::max(maxC, c);
                }
        }
        if (maxR < 0) {
            frame.degenerate = true;
            frame.sourceLeft = frame.left = z.GetWidth() / 2;
            frame.sourceTop = frame.top = z.GetHeight() / 2;
            frame.sourceWidth = frame.sourceHeight = 1;
        } else {
            frame.sourceLeft = frame.left = minC;
            frame.sourceTop = frame.top = minR;
            frame.sourceWidth = maxC - minC + 1;
            frame.sourceHeight = maxR - minR + 1;
        }
    }
}

bool SpriteResourceWriter::EncodeSpr2() {
    std::vector<std::vector<uint8_t>> encoded;
    encoded.reserve(static_cast<size_t>(sprite_.frameCount));
    for (int32_t i = 0; i < sprite_.frameCount; ++i) {
        ImportedFrame& frame = *sprite_.frames[static_cast<size_t>(i)];
        if (!frame.p || !frame.z || !frame.a || !frame.p->image || !frame.z->image || !frame.a->image)
            return Fail("Missing channel image in sprite frame!");
        if (!FitsInt16(frame.left) || !FitsInt16(frame.top) || !FitsInt16(int64_t{frame.left} + frame.sourceWidth) ||
            !FitsInt16(int64_t{frame.top} + frame.sourceHeight) || !FitsInt16(frame.sourceLeft) ||
            !FitsInt16(frame.sourceTop))
            return Fail("Sprite frame is too large to encode!");
        Rect bounds;
        bounds.top = static_cast<int16_t>(frame.top);
        bounds.left = static_cast<int16_t>(frame.left);
        bounds.bottom = static_cast<int16_t>(frame.top + frame.sourceHeight);
        bounds.right = static_cast<int16_t>(frame.left + frame.sourceWidth);
        const Point start{static_cast<int16_t>(frame.sourceTop), static_cast<int16_t>(frame.sourceLeft)};
        std::vector<uint8_t> bytes;
        const Spr2EncodeResult result = EncodeSpr2Frame(ViewOfImage(*frame.p->image), ViewOfImage(*frame.z->image),
                                                        ViewOfImage(*frame.a->image), bounds, start, kSpr2AlphaBits,
                                                        bytes);
        if (result != Spr2EncodeResult::kOk) return Fail("Could not encode sprite frame!");
        encoded.push_back(std::move(bytes));
    }
    int32_t drawn = 0;
    for (int32_t i = 0; i < sprite_.frameCount; ++i) drawn += sprite_.frames[static_cast<size_t>(i)]->degenerate ? 0 : 1;
    if (!KeepsDrawnFrames(kTypeSPR2, drawn)) return false;
    std::vector<uint8_t> sprite;
    const int64_t first = sprite_.frameCount > 0 ? int64_t{sprite_.frameCount} * kSpr2BytesPerFrameBeforeData : -1;
    if (!AssembleSpr2(sprite_.paletteId, encoded, first, sprite)) return Fail("Could not encode sprite frame!");
    ImportWriteStep step = ImportWriteStep::kNone;
    if (WriteImportResource(*context_.file->file, kTypeSPR2, sprite_.id, sprite_.name, sprite, false, &step) != kNoErr)
        return Fail(step == ImportWriteStep::kUpdate ? "Could not update resource file!"
                                                     : "Could not add sprite to resource file!");
    return true;
}

bool SpriteResourceWriter::KeepsDrawnFrames(ResType type, int32_t drawnFrames) {
    const SpriteFrameSurvey stored = SurveySpriteFrames(*context_.file->file, sprite_.id, type);
    if (stored.drawnFrames <= drawnFrames) return true;
    char text[320];
    std::snprintf(text, sizeof text,
                  "Sprite id %d \"%.63s\" would lose frames: the document gives %d frames with pixels where the "
                  "object file's sprite has %d! The sprite is kept as it is.",
                  sprite_.id, sprite_.name.c_str(), drawnFrames, stored.drawnFrames);
    return Fail(text);
}

bool SpriteResourceWriter::BuildCustomWall() {
    std::vector<std::vector<uint8_t>> encoded;
    for (int32_t i = 0; i < sprite_.frameCount; ++i) {
        ImportedFrame& frame = *sprite_.frames[static_cast<size_t>(i)];
        if (frame.IsProxy() || !frame.z || !frame.z->image) return Fail("Missing z channel in sprite frame!");
        std::vector<uint8_t> bytes;
        if (!EncodeSprListFrame(ViewOfImage(*frame.z->image), bytes)) return Fail("Could not encode sprite frame!");
        encoded.push_back(std::move(bytes));
    }
    if (!KeepsDrawnFrames(kTypeSPRList, sprite_.frameCount)) return false;
    std::vector<uint8_t> sprite;
    if (!AssembleSprList(-1, encoded, sprite)) return Fail("Could not encode sprite frame!");
    ImportWriteStep step = ImportWriteStep::kNone;
    if (WriteImportResource(*context_.file->file, kTypeSPRList, sprite_.id, sprite_.name, sprite, true, &step) != kNoErr)
        return Fail(step == ImportWriteStep::kUpdate ? "Could not update resource file!"
                                                     : "Could not add sprite to resource file!");
    return true;
}
