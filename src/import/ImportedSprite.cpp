// ImportedSprite: loads a sprite's channel files, gives it one palette, fills missing channels and zooms, and
// writes the sprite resource.
#include "import/ImportedSprite.h"

#include <algorithm>
#include <cstdio>

#include "app/ObjectFile.h"
#include "app/Progress.h"
#include "import/BmpReader.h"
#include "import/ColorQuantizer.h"
#include "import/DepthTemplates.h"
#include "import/GenerateChannels.h"
#include "import/ImportPaletteStore.h"
#include "import/ShrinkChannels.h"
#include "import/WriteImportResource.h"
#include "objects/PalWrap.h"
#include "objects/Spr2Assembler.h"
#include "objects/Spr2Decoder.h"
#include "objects/Spr2Encoder.h"
#include "objects/Spr2Resource.h"
#include "objects/SprListEncoder.h"
#include "objects/SpriteFrameCount.h"
#include "platform/HostPath.h"
#include "resfile/StdResFile.h"
#include "platform/FormatText.h"
#include "platform/GreyRamp.h"

namespace {

// Bytes reserved per frame before the first frame of a built sprite.
constexpr int64_t kSpr2BytesPerFrameBeforeData = 48;
constexpr int kSpr2AlphaBits = 5;

void ToColorTable(const PaletteColor palette[256], RgbQuad out[256]) {
    for (int i = 0; i < 256; ++i) out[i] = RgbQuad{palette[i].blue, palette[i].green, palette[i].red, 0};
}

ChannelView ViewOfImage(Bitmap8& b) { return ViewOf(b); }

// "Couldn't open BMP file "%s"!", followed by what the reader found wrong with the file.
std::string CouldNotOpenBmp(const std::string& filename, const std::string& reason) {
    std::string text = FormatText("Couldn't open BMP file \"%s\"!", filename.c_str());
    if (!reason.empty()) text += " (" + reason + ")";
    return text;
}

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

ImportedSprite::ImportedSprite() = default;
ImportedSprite::~ImportedSprite() = default;

ImportedFrame& ImportedSprite::AddFrame() {
    auto frame = std::make_unique<ImportedFrame>();
    frame->number = static_cast<int32_t>(frames.size());
    frame->sprite = this;
    frames.push_back(std::move(frame));
    return *frames.back();
}

int32_t ImportedSprite::CountRotations() const { return std::max<int32_t>(1, frameCount / 3); }

bool ImportedSprite::Fail(const std::string& message) {
    if (context_ && context_->report) context_->report(message);
    return false;
}

std::string ImportedSprite::HostPathOf(const std::string& filename) const {
    std::string dir = context_->directory;
    if (dir.empty()) dir = ".";
    return ResolveHostPath(dir + "/" + filename);
}

bool ImportedSprite::Build(const SpriteBuildContext& context) {
    context_ = &context;
    for (int i = 0; i < 256; ++i) palette[i] = PaletteColor{};
    built = BuildResource();
    // What is kept of a sprite after it is written is what the end of the import needs: which frames came out
    // degenerate. Its pictures and the quantizer's tables go now, so an import holds one sprite's at a time.
    ReleasePictures();
    return built;
}

bool ImportedSprite::BuildResource() {
    if (!CheckFrames() || !LoadChannelFiles()) return false;
    if (customWallStyle) return BuildCustomWall();
    if (!ChoosePalette() || !FillDepthAndAlpha() || !MakeProxies()) return false;
    PlaceFrames();
    return EncodeSpr2();
}

void ImportedSprite::ReleasePictures() {
    for (auto& frame : frames)
        for (auto& channel : frame->channels) channel->image.reset();
    quantizer_.reset();
}

// Everything the document promises is checked before any file is read, so that a broken document never leads
// to reading or writing outside the records and images.
bool ImportedSprite::CheckFrames() {
    const ExportOptions& o = *context_->options;
    if (frameCount < 0) return Fail("The sprite's framecount is negative!");
    if (static_cast<size_t>(frameCount) > frames.size())
        return Fail("The sprite's framecount is larger than the number of its spriteframe elements!");
    for (const auto& f : frames) {
        ImportedFrame& frame = *f;
        SetFrameZoom(frame);
        if (frame.IsProxy()) {
            if (static_cast<size_t>(frame.proxy) >= frames.size() || frames[static_cast<size_t>(frame.proxy)]->IsProxy())
                return Fail("A proxy sprite frame refers to a frame that is not a real sprite frame!");
            if (frame.shrink < 0 || frame.shrink > 15) return Fail("A proxy sprite frame has a bad shrink value!");
            continue;
        }
        if (frame.width <= 0 || frame.height <= 0) return Fail("Zero sized sprite frame!");
        if (frame.width > kBmpMaxSide || frame.height > kBmpMaxSide ||
            int64_t{frame.width} * frame.height > kBmpMaxPixels)
            return Fail("Sprite frame is too large!");
        const bool zFile = frame.z && frame.z->ReadsFile();
        const bool aFile = frame.a && frame.a->ReadsFile();
        if (customWallStyle) {
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

void ImportedSprite::SetFrameZoom(ImportedFrame& frame) const {
    frame.zoom = std::min<int32_t>(2, frame.number / CountRotations());
}

bool ImportedSprite::LoadChannelFiles() {
    for (const auto& f : frames) {
        ImportedFrame& frame = *f;
        if (frame.IsProxy()) continue;
        for (const auto& c : frame.channels) {
            ImportedChannel& channel = *c;
            if (!channel.ReadsFile()) continue;
            // Only channels that took a slot are used; a channel of an unknown type never got this far.
            BmpImage bmp;
            std::string reason;
            if (!ReadBmp(HostPathOf(channel.filename), bmp, &reason))
                return Fail(CouldNotOpenBmp(channel.filename, reason));
            frame.bitDepth = bmp.bitDepth;
            if (bmp.IsRgb() && channel.type != "p")
                return Fail(FormatText("The bmp files for the Alpha and Z Buffer channels must be 8 bits! But you tried "
                                   "to use a 24 bit bmp file: \"%s\"!", channel.filename.c_str()));
            if (bmp.width != frame.width || bmp.height != frame.height) {
                char size[96];
                std::snprintf(size, sizeof size, "%d x %d instead of %d x %d", bmp.width, bmp.height, frame.width,
                              frame.height);
                return Fail(FormatText("The size of BMP file \"%s\" does not match its sprite frame: ", channel.filename.c_str()) +
                            size + "!");
            }
            if (customWallStyle && bmp.IsRgb())
                return Fail(FormatText("Custom wall style BMP file \"%s\" is not 8 bits deep!", channel.filename.c_str()));
            for (int i = 0; i < 256; ++i) channel.palette[i] = bmp.palette[i];
            RgbQuad table[256];
            ToColorTable(bmp.palette, table);
            channel.image = Bitmap8::Create(bmp.width, bmp.height, table);
            if (!channel.image)
                return Fail(FormatText("Couldn't make offscreen image for BMP file \"%s\"!", channel.filename.c_str()));
            if (!bmp.IsRgb())
                for (int32_t r = 0; r < bmp.height; ++r)
                    std::copy_n(bmp.GetRow(r), bmp.width, channel.image->GetRow(r));
            if (!customWallStyle && &channel == frame.p) quantize = true;
        }
    }
    return true;
}

bool ImportedSprite::ChoosePalette() {
    if (quantize) {
        ProgressLog(0, "<!-- Computing optimal color palette for all sprite frames, and dithering images. -->\r\n");
        return Quantize();
    }
    ProgressLog(0, "<!-- All sprite frames have matching color palettes. Using it without modification. -->\r\n");
    // No colour file was read: keep the palette the sprite already has in the file, or the grey ramp.
    FillGreyRamp(palette);
    for (const PaletteEntry& entry : context_->file->palettes)
        if (entry.id == paletteId && entry.palette) {
            for (int i = 0; i < 256; ++i) palette[i] = entry.palette->GetEntry(static_cast<uint8_t>(i));
            break;
        }
    for (auto& e : palette) e.flags = 0;
    ResErr err = kNoErr;
    const ResID stored = StoreImportPalette(*context_->file, palette, false, static_cast<ResID>(paletteId), &err);
    if (stored < 0) return Fail("Could not store the sprite's palette in the resource file!");
    paletteId = stored;
    for (const auto& f : frames)
        if (!f->IsProxy() && f->p && f->p->image) f->transparentPixel = f->p->image->GetRow(0)[0];
    return true;
}

bool ImportedSprite::Quantize() {
    if (!quantizer_) quantizer_ = std::make_unique<ColorQuantizer>();
    ColorQuantizer& q = *quantizer_;
    q.SetWantedColors(255);
    char line[256];
    for (const auto& f : frames) {
        if (f->IsProxy()) continue;
        const std::string& name = f->p->filename;
        BmpImage bmp;
        std::string reason;
        if (!ReadBmp(HostPathOf(name), bmp, &reason)) return Fail(CouldNotOpenBmp(name, reason));
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
    for (int i = 0; i < 256; ++i) palette[i] = q.GetPalette()[i];
    ResErr err = kNoErr;
    const ResID stored = StoreImportPalette(*context_->file, palette, false, static_cast<ResID>(paletteId), &err);
    if (stored < 0) return Fail("Could not store the sprite's palette in the resource file!");
    paletteId = stored;
    for (const auto& f : frames) {
        if (f->IsProxy()) continue;
        ImportedChannel& p = *f->p;
        BmpImage bmp;
        std::string reason;
        if (!ReadBmp(HostPathOf(p.filename), bmp, &reason)) return Fail(CouldNotOpenBmp(p.filename, reason));
        const int transparent = q.MapImage(bmp, *p.image, true);
        if (transparent < 0)
            return Fail(FormatText("The size of BMP file \"%s\" changed during the import!", p.filename.c_str()));
        f->transparentPixel = transparent;
        for (int i = 0; i < 256; ++i) p.palette[i] = palette[i];
    }
    return true;
}

bool ImportedSprite::KeepStored(ImportedFrame& frame, ImportedChannel& channel, bool depth) {
    channel.image = Bitmap8::CreateFilled(frame.width, frame.height, GreyRampTable(), depth ? 255 : 0);
    if (!channel.image) return Fail("could not make offscreen image");
    FillGreyRamp(channel.palette);
    std::vector<uint8_t> stored;
    if (DataHandle* h = context_->file->file->GetResource(kTypeSPR2, id, nullptr)) {
        stored = h->bytes;
        context_->file->file->ReleaseAndFree(h);
    }
    ByteReader data(stored.data(), stored.size());
    Spr2Frame old;
    if (stored.empty() || !ReadSpr2Frame(data, frame.number, old)) return Fail("Can't get sprite plane bitmap!");
    // Expanded frames lie on the zoom's canvas at their offsets; others start at the image's corner.
    const int32_t left = context_->options->exportexpanded ? old.x : 0;
    const int32_t top = context_->options->exportexpanded ? old.y : 0;
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

bool ImportedSprite::FillDepthAndAlpha() {
    const ExportOptions& o = *context_->options;
    for (const auto& f : frames) {
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

bool ImportedSprite::MakeProxies() {
    const ExportOptions& o = *context_->options;
    for (const auto& f : frames) {
        ImportedFrame& frame = *f;
        if (!frame.IsProxy()) continue;
        ImportedFrame& source = *frames[static_cast<size_t>(frame.proxy)];
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

void ImportedSprite::PlaceFrames() {
    const bool expanded = context_->options->exportexpanded;
    for (const auto& f : frames) {
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

bool ImportedSprite::EncodeSpr2() {
    std::vector<std::vector<uint8_t>> encoded;
    encoded.reserve(static_cast<size_t>(frameCount));
    for (int32_t i = 0; i < frameCount; ++i) {
        ImportedFrame& frame = *frames[static_cast<size_t>(i)];
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
    for (int32_t i = 0; i < frameCount; ++i) drawn += frames[static_cast<size_t>(i)]->degenerate ? 0 : 1;
    if (!KeepsDrawnFrames(kTypeSPR2, drawn)) return false;
    std::vector<uint8_t> sprite;
    const int64_t first = frameCount > 0 ? int64_t{frameCount} * kSpr2BytesPerFrameBeforeData : -1;
    if (!AssembleSpr2(paletteId, encoded, first, sprite)) return Fail("Could not encode sprite frame!");
    ImportWriteStep step = ImportWriteStep::kNone;
    if (WriteImportResource(*context_->file->file, kTypeSPR2, id, name, sprite, false, &step) != kNoErr)
        return Fail(step == ImportWriteStep::kUpdate ? "Could not update resource file!"
                                                     : "Could not add sprite to resource file!");
    return true;
}

bool ImportedSprite::KeepsDrawnFrames(ResType type, int32_t drawnFrames) {
    const SpriteFrameSurvey stored = SurveySpriteFrames(*context_->file->file, id, type);
    if (stored.drawnFrames <= drawnFrames) return true;
    char text[320];
    std::snprintf(text, sizeof text,
                  "Sprite id %d \"%.63s\" would lose frames: the document gives %d frames with pixels where the "
                  "object file's sprite has %d! The sprite is kept as it is.",
                  id, name.c_str(), drawnFrames, stored.drawnFrames);
    return Fail(text);
}

bool ImportedSprite::BuildCustomWall() {
    std::vector<std::vector<uint8_t>> encoded;
    for (int32_t i = 0; i < frameCount; ++i) {
        ImportedFrame& frame = *frames[static_cast<size_t>(i)];
        if (frame.IsProxy() || !frame.z || !frame.z->image) return Fail("Missing z channel in sprite frame!");
        std::vector<uint8_t> bytes;
        if (!EncodeSprListFrame(ViewOfImage(*frame.z->image), bytes)) return Fail("Could not encode sprite frame!");
        encoded.push_back(std::move(bytes));
    }
    if (!KeepsDrawnFrames(kTypeSPRList, frameCount)) return false;
    std::vector<uint8_t> sprite;
    if (!AssembleSprList(-1, encoded, sprite)) return Fail("Could not encode sprite frame!");
    ImportWriteStep step = ImportWriteStep::kNone;
    if (WriteImportResource(*context_->file->file, kTypeSPRList, id, name, sprite, true, &step) != kNoErr)
        return Fail(step == ImportWriteStep::kUpdate ? "Could not update resource file!"
                                                     : "Could not add sprite to resource file!");
    return true;
}
