// ObjectExporter's sprites section: sprite elements, transparent index choice, real and proxy frames and the
// channel BMP files of each real frame.
#include <cstring>
#include <vector>

#include "app/ObjectFile.h"
#include "app/Progress.h"
#include "export/ChooseTransparentIndex.h"
#include "export/ExpandToCanvas.h"
#include "export/ExportFileNames.h"
#include "export/MakeDirectoriesForPath.h"
#include "export/ObjectExporter.h"
#include "export/SanitizeForFileName.h"
#include "export/WriteChannelBmp.h"
#include "export/WriteChannelPng.h"
#include "export/XmlAttributeText.h"
#include "objects/palettes/PalWrap.h"
#include "objects/palettes/SharedPalettes.h"
#include "objects/sprites/FrameRenderer.h"
#include "objects/sprites/SprListResource.h"
#include "objects/sprites/SpriteFrameCount.h"
#include "objects/sprites/SpriteSource.h"
#include "platform/Bitmap8.h"
#include "platform/FormatText.h"
#include "resfile/iResFile.h"

struct ObjectExporter::SpriteJob {
    ResID id = 0;
    std::string name;
    std::string fileName;  // the name made fit for file names
    int32_t frames = 0;
    int32_t rotations = 1;
    bool customWall = false;
    int transparent = -1;  // T; -1 until a custom wall style frame chose one
    std::vector<int32_t> badTokenFrames;  // frames whose decoding stopped at a token it does not know
    SpriteSource* sprite = nullptr;
};

namespace {

constexpr int32_t kStepsPerFrame = 4;

// Rotations per zoom: a custom wall style sprite (4 frames) has one zoom of 4 frames, any other sprite three
// zooms. A sprite of 1 or 2 frames would have no rotation at all; it is treated as one rotation per zoom so that
// zoom and rotation stay defined.
int32_t RotationsOf(int32_t frames, bool customWall) {
    if (customWall) return frames;
    return frames / 3 > 0 ? frames / 3 : 1;
}

void ColorTableOf(const PalWrap& palette, RgbQuad table[256]) { palette.GetColorTable(table); }

// Why the frames of a sprite cannot all be decoded.
std::string UndecodableReason(const SpriteFrameSurvey& s) {
    if (s.type == kTypeSPRList && s.storedFrames >= 0 && !s.readable)
        return FormatText("its SPR# version %d is too old to be drawn", s.version);
    if (!s.readable) return "its data is too short for a sprite header";
    if (s.storedFrames < 0) return FormatText("its frame count %d is negative", s.storedFrames);
    return FormatText("only %d of its %d frames lie inside its data", s.locatedFrames, s.storedFrames);
}

// "3, 5, 8"
std::string FrameList(const std::vector<int32_t>& frames) {
    std::string out;
    for (int32_t f : frames) out += (out.empty() ? "" : ", ") + std::to_string(f);
    return out;
}

}  // namespace

SpriteSource& ObjectExporter::SourceFor(ResID id) {
    std::unique_ptr<SpriteSource>& held = sprites_[id];
    if (!held) held = std::make_unique<SpriteSource>(file_, id);
    return *held;
}

int32_t ObjectExporter::WriteSprites(bool counting) {
    if (counting) {
        int32_t steps = 0;
        for (ResType type : {kTypeSPRList, kTypeSPR2})
            file_.ForEachResourceInfo(type, [&](ResID id, const std::string&) {
                steps += CountSpriteFrames(SourceFor(id)) * kStepsPerFrame + 1;
            });
        return steps;
    }
    xml_.Line("    <sprites>");
    xml_.EmptyLine();
    for (ResType type : {kTypeSPRList, kTypeSPR2})
        file_.ForEachResourceInfo(type, [&](ResID id, const std::string& name) {
            WriteSprite(type, id, name);
            sprites_.erase(id);
        });
    xml_.Line("    </sprites>");
    xml_.EmptyLine();
    return 0;
}

void ObjectExporter::WriteSprite(ResType type, ResID id, const std::string& name) {
    SpriteJob job;
    job.id = id;
    job.name = name;
    job.fileName = SanitizeForFileName(name);
    job.sprite = &SourceFor(id);
    job.frames = CountSpriteFrames(*job.sprite);
    // A sprite whose frames cannot all be decoded gets no element: an import would turn what could be read into
    // a sprite with fewer or empty frames in its place.
    const SpriteFrameSurvey survey = SurveySpriteFrames(*job.sprite);
    if (!survey.IsWhole()) {
        ReportError(FormatText("Can't decode sprite id %d \"%s\": %s! It is not exported, so that importing "
                                     "this document leaves it as it is.",
                                     id, name.c_str(), UndecodableReason(survey).c_str()));
        ProgressLog(job.frames * kStepsPerFrame + 1, nullptr);
        return;
    }
    job.customWall = job.frames == 4;
    job.rotations = RotationsOf(job.frames, job.customWall);

    FrameRenderRequest probe;
    RenderedFrame first;
    RenderSpriteFrame(*job.sprite, 0, probe, first);

    bool multiTile = false;
    for (size_t s = 0; s < spriteEntries_.size(); ++s)
        if (spriteEntries_[s].first == type && spriteEntries_[s].second == id) {
            multiTile = s < multiTile_.size() && multiTile_[s];
            break;
        }

    xml_.BeginTag(8, "sprite");
    xml_.Attribute("name", MakeXmlAttributeText(name));
    xml_.Attribute("id", id);
    xml_.Attribute("type", type == kTypeSPRList ? 1 : 2);
    xml_.Attribute("multitile", multiTile ? 1 : 0);
    xml_.Attribute("defaultpaletteid", first.paletteId);
    xml_.Attribute("framecount", job.frames);
    xml_.Attribute("iscustomwallstyle", job.customWall ? 1 : 0);
    xml_.EndTag(true);

    if (!job.customWall) job.transparent = ChooseSpriteTransparentIndex(job);

    for (int32_t i = 0; i < job.frames; ++i) {
        const int32_t zoom = i / job.rotations;
        const int32_t rotation = i % job.rotations;
        if (job.customWall) {
            WriteRealFrame(job, i, zoom, rotation,
                           MakeCustomWallFrameStem(base_, id, job.fileName, i, options_.createsubdirectories != 0));
        } else if (!options_.exportallzooms && zoom > 0) {
            WriteProxyFrame(job, i, zoom, rotation);
        } else {
            WriteRealFrame(job, i, zoom, rotation,
                           MakeSpriteFrameStem(base_, id, job.fileName, zoom, job.rotations, rotation,
                                               options_.createsubdirectories != 0));
        }
        LogLine(1, FormatText("<sprite name=\"%s\" frame=\"%d\" />\r\n", name.c_str(), i));
        FlushDocumentWhenLarge();
    }
    xml_.CloseTag(8, "sprite");
    if (!job.badTokenFrames.empty()) {
        const bool one = job.badTokenFrames.size() == 1;
        ReportError(FormatText("Sprite id %d \"%s\": %s in frame%s %s! %s exported only up to it.", id,
                                     name.c_str(), kBadTokenText, one ? "" : "s", FrameList(job.badTokenFrames).c_str(),
                                     one ? "It is" : "They are"));
    }
}

int ObjectExporter::ChooseSpriteTransparentIndex(SpriteJob& job) {
    uint32_t counts[256] = {};
    PalWrap spritePalette;
    for (int32_t i = 0; i < job.frames; ++i) {
        if (!options_.exportallzooms && i / job.rotations > 0) continue;
        FrameRenderRequest request;
        request.background = kExportTransparentColor;
        request.palette = &spritePalette;  // ends as the palette of the last frame counted
        request.histogram = counts;
        RenderedFrame frame;
        RenderSpriteFrame(*job.sprite, i, request, frame);
    }
    PaletteColor colors[256];
    for (int c = 0; c < 256; ++c) colors[c] = spritePalette.GetEntry(static_cast<uint8_t>(c));
    const int t = ChooseTransparentIndex(counts, colors);
    if (counts[t] > 0 && (options_.generatea || options_.generatez))
        ProgressLog(0, FormatText(
                           "\n\rWARNING: No unused pixel values for transparent color of sprite id %d!\r\n\n\r", job.id)
                           .c_str());
    return t;
}

void ObjectExporter::WriteProxyFrame(const SpriteJob&, int32_t index, int32_t zoom, int32_t rotation) {
    xml_.BeginTag(12, "spriteframe");
    xml_.Attribute("index", index);
    xml_.Attribute("zoom", zoom);
    xml_.Attribute("rot", rotation);
    xml_.Attribute("proxy", rotation);
    xml_.Attribute("shrink", zoom);
    xml_.EndTag(true);
    for (const char* type : {"p", "z", "a"}) {
        xml_.BeginTag(16, "spritechannel");
        xml_.Attribute("type", type);
        xml_.EndTag(false);
    }
    xml_.CloseTag(12, "spriteframe");
    ++stats_.proxyFrames;
    LogLine(kStepsPerFrame, FormatText("  <spriteframe proxy=\"%d\" shrink=\"%d\" />\r\n", rotation, zoom));
}

void ObjectExporter::WriteRealFrame(SpriteJob& job, int32_t index, int32_t zoom, int32_t rotation,
                                    const std::string& stem) {
    LogLine(1, "  <spriteframe/>\r\n");
    PalWrap framePalette;
    FrameRenderRequest request;
    request.background = kExportTransparentColor;
    request.transparentIndex = job.transparent;
    request.palette = &framePalette;
    request.wantColor = request.wantDepth = request.wantAlpha = true;
    RenderedFrame frame;
    RenderSpriteFrame(*job.sprite, index, request, frame);
    if (frame.badToken) job.badTokenFrames.push_back(index);
    if (job.transparent == -1) job.transparent = frame.transparentIndex;
    const int t = job.transparent;
    int32_t width = frame.width > 0 ? frame.width : 1;
    int32_t height = frame.height > 0 ? frame.height : 1;
    if (frame.width <= 0 || frame.height <= 0) width = height = 1;

    if (!job.customWall && zoom >= 0 && zoom < kExportZoomCount) {
        const int32_t cw = kExportCanvasWidth[zoom];
        const int32_t ch = kExportCanvasHeight[zoom];
        if (frame.color)
            frame.color = ExpandToCanvas(*frame.color, frame.originX, frame.originY, cw, ch, static_cast<uint8_t>(t));
        if (frame.depth) frame.depth = ExpandToCanvas(*frame.depth, frame.originX, frame.originY, cw, ch, 255);
        if (frame.alpha) frame.alpha = ExpandToCanvas(*frame.alpha, frame.originX, frame.originY, cw, ch, 0);
        width = cw;
        height = ch;
    }

    xml_.BeginTag(12, "spriteframe");
    xml_.Attribute("index", index);
    xml_.Attribute("zoom", zoom);
    xml_.Attribute("rot", rotation);
    xml_.Attribute("x", frame.originX);
    xml_.Attribute("y", frame.originY);
    xml_.Attribute("width", width);
    xml_.Attribute("height", height);
    xml_.Attribute("paletteid", frame.paletteId);
    xml_.Attribute("transparentpixel", t);
    xml_.EndTag(true);

    const bool compressed = options_.compressbitmaps != 0;
    RgbQuad grey[256];
    ColorTableOf(GetGreyPalette(), grey);
    // Depth and alpha go out as grey PNG files: their indices are the grey values.
    auto writeChannel = [&](const char* type, const Bitmap8& image, const RgbQuad* colors) {
        const std::string fileName = stem + "_" + type + (pngChannels_ ? ".png" : ".bmp");
        xml_.BeginTag(16, "spritechannel");
        xml_.Attribute("type", type);
        xml_.Attribute("filename", MakeXmlHostNameText(fileName));
        xml_.EndTag(false);
        LogLine(1, FormatText("    <spritechannel type=\"%s\" filename=\"%s\" />\r\n", type, fileName.c_str()));
        MakeDirectoriesForPath(fileName);
        // A channel file that cannot be written is skipped; the element naming it stays.
        if (pngChannels_) {
            if (WriteChannelPng(fileName, image, colors == grey ? nullptr : colors, &stats_.bytesWritten))
                ++stats_.pngFiles;
        } else if (WriteChannelBmp(fileName, image, colors, compressed, &stats_.bytesWritten)) {
            ++stats_.bmpFiles;
        }
    };
    auto skipChannel = [&](const char* type, bool generate) {
        LogLine(1, FormatText("    <spritechannel type=\"%s\" />\r\n", type));
        if (!generate) return;
        xml_.BeginTag(16, "spritechannel");
        xml_.Attribute("type", type);
        xml_.Attribute("generate", 1);
        xml_.EndTag(false);
    };

    if (frame.color && !job.customWall && options_.exportp) {
        // Each frame's colour file carries the frame's own palette, its transparent entry turned yellow.
        RgbQuad colors[256];
        ColorTableOf(framePalette, colors);
        if (t >= 0 && t < 256)
            colors[t] =
                RgbQuad{kExportTransparentColor.blue, kExportTransparentColor.green, kExportTransparentColor.red, 0};
        writeChannel("p", *frame.color, colors);
    } else {
        skipChannel("p", false);
    }
    if (frame.depth && (options_.exportz || job.customWall)) {
        writeChannel("z", *frame.depth, grey);
    } else {
        skipChannel("z", options_.generatez != 0);
    }
    if (frame.alpha && !job.customWall && options_.exporta) {
        writeChannel("a", *frame.alpha, grey);
    } else {
        skipChannel("a", options_.generatea && !job.customWall);
    }
    xml_.CloseTag(12, "spriteframe");
    ++stats_.realFrames;
}
