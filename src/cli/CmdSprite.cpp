// reshaper-cli sprite FILE ID --frame N -o DIR: one frame's colour, depth and alpha channels as pictures.
#include <CLI/CLI.hpp>
#include <cstdio>

#include "cli/CliCommon.h"
#include "cli/PictureOutput.h"
#include "objects/palettes/PalWrap.h"
#include "objects/sprites/FrameRenderer.h"
#include "objects/sprites/SpriteFrameCount.h"
#include "platform/HostDirectory.h"
#include "platform/HostPath.h"

namespace cli {

namespace {

struct SpriteArgs {
    std::string path;
    std::string spriteId;
    int frame = 0;
    std::string directory;
    std::string format = "png";
};

int WriteChannels(const SpriteArgs& a) {
    ResID id = 0;
    if (!ParseResID(a.spriteId, id)) {
        PrintError("'" + a.spriteId + "' is not a sprite id");
        return kExitUsage;
    }
    ObjectFileArg arg;
    if (!ResolveObjectFile(a.path, false, arg)) return kExitError;
    // The renderer shows frame 0 for an index past the count; here that would be frame 0 under another name.
    if (SurveySpriteFrames(arg.File(), id).type == 0) {
        PrintError("the file has no sprite " + std::to_string(id));
        return kExitError;
    }
    const int32_t frames = CountSpriteFrames(arg.File(), id);
    if (a.frame >= frames) {
        PrintError("sprite " + std::to_string(id) + " has " + std::to_string(frames) +
                   (frames == 1 ? " frame" : " frames") + ": there is no frame " + std::to_string(a.frame));
        return kExitError;
    }
    PalWrap palette;
    FrameRenderRequest request;
    request.background = kWhite;
    request.palette = &palette;
    request.wantColor = request.wantDepth = request.wantAlpha = true;
    RenderedFrame frame;
    RenderSpriteFrame(arg.File(), id, a.frame, request, frame);
    if (!frame.color || !frame.depth || !frame.alpha || frame.width == 0) {
        PrintError("sprite " + std::to_string(id) + " has no frame " + std::to_string(a.frame) + " to show");
        return kExitError;
    }
    std::string dir = ResolveHostPath(a.directory);
    if (!CreateHostDirectories(dir)) {
        PrintError("cannot make the directory '" + a.directory + "'");
        return kExitError;
    }
    const PictureFormat format = a.format == "bmp" ? PictureFormat::kBmp : PictureFormat::kPng;
    const std::string stem = dir + "/sprite" + std::to_string(id) + "_frame" + std::to_string(a.frame);
    const std::string ext = format == PictureFormat::kBmp ? ".bmp" : ".png";
    struct Channel {
        const char* suffix;
        const Bitmap8* bitmap;
    } channels[] = {{"_p", frame.color.get()}, {"_z", frame.depth.get()}, {"_a", frame.alpha.get()}};
    for (const Channel& c : channels) {
        std::string out = stem + c.suffix + ext;
        if (!WritePicture(out, *c.bitmap, format)) {
            PrintError("cannot write '" + out + "'");
            return kExitError;
        }
        std::printf("%s\n", out.c_str());
    }
    std::printf("frame %d: %d x %d at (%d, %d), palette %d, transparent index %d%s\n", a.frame, frame.width,
                frame.height, frame.originX, frame.originY, frame.paletteId, frame.transparentIndex,
                frame.badToken ? ", stopped at a bad token" : "");
    return kExitOk;
}

void AddSpriteCommand(CLI::App& app, int& exitCode) {
    auto* cmd = app.add_subcommand("sprite", "Write one frame of a sprite (SPR2 or SPR#) as three pictures: colour "
                                             "(P), depth (Z) and alpha (A)");
    auto a = std::make_shared<SpriteArgs>();
    cmd->add_option("FILE", a->path, "Object file: a path (with or without .iff) or a name from the catalogue")
        ->required();
    cmd->add_option("ID", a->spriteId, "Resource id of the sprite")->required();
    cmd->add_option("--frame", a->frame, "Frame index")->check(CLI::NonNegativeNumber)->default_val(0);
    RelativeToInvocation(cmd->add_option("-o,--output", a->directory,
                                         "Directory for the pictures (made, with its parents, when missing)"))
        ->required();
    cmd->add_option("--format", a->format, "png or bmp")->check(CLI::IsMember({"png", "bmp"}))->default_val("png");
    cmd->callback([a, &exitCode] { exitCode = WriteChannels(*a); });
}

CommandRegistrar registrar(240, AddSpriteCommand);

}  // namespace

}  // namespace cli
