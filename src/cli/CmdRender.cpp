// reshaper-cli render FILE OBJECT-ID: one view of an object composed as the draw group viewer shows it; with --sheet,
// every object of the file at every rotation and zoom on one contact sheet.
#include <CLI/CLI.hpp>
#include <cstdio>

#include "app/ObjectFile.h"
#include "cli/CliCommon.h"
#include "cli/PictureOutput.h"
#include "objects/drawing/Compositor.h"
#include "objects/drawing/ContactSheet.h"
#include "platform/HostDirectory.h"
#include "resfile/StdResFile.h"

namespace cli {

namespace {

struct RenderArgs {
    std::string path;
    std::string objectId;
    int state = 0;
    int rotation = 2;  // the viewer's opening view
    int zoom = 0;      // 0 large, 1 medium, 2 small
    int tile = 0;      // 0: all tiles
    std::string background = "white";
    std::string out;
    bool sheet = false;
};

ObjectEntry* FindObject(ObjectFile& record, ResID id) {
    for (auto& e : record.objects)
        if (e->id == id) return e.get();
    return nullptr;
}

// Gives every tile its draw group index and opacity as the viewer does: the state, or 0 past a tile's own count;
// with one tile chosen the others are dimmed.
void ChooseStates(ObjectEntry& object, int state, ObjectEntry* chosen) {
    auto set = [state](ObjectEntry& e, uint8_t opacity) {
        e.drawGroupIndex = state < e.definition.numgraphics ? state : 0;
        e.opacity = opacity;
    };
    if (!IsMultiTileLead(object.definition)) {
        set(object, 255);
        return;
    }
    for (ObjectEntry* t : object.tiles) set(*t, (chosen == nullptr || chosen == t) ? 255 : 127);
}

// Writes the picture, making the missing directories of its path.
int WriteOutput(const std::string& out, const Bitmap24& picture, PictureFormat format) {
    const size_t slash = out.find_last_of('/');
    if (slash != std::string::npos && slash > 0 && !CreateHostDirectories(out.substr(0, slash))) {
        PrintError("cannot make the directory '" + out.substr(0, slash) + "'");
        return kExitError;
    }
    if (!WritePicture(out, picture, format)) {
        PrintError("cannot write '" + out + "'");
        return kExitError;
    }
    std::printf("%s: %d x %d\n", out.c_str(), picture.GetWidth(), picture.GetHeight());
    return kExitOk;
}

int RenderSheet(const RenderArgs& a, PictureFormat format) {
    InstallTerminalHost(false);
    ObjectFileArg arg;
    if (!ResolveObjectFile(a.path, false, arg)) return kExitError;
    if (arg.record->roots.empty()) {
        PrintError("the file has no objects to show");
        return kExitError;
    }
    std::unique_ptr<Bitmap24> sheet = ComposeContactSheet(*arg.record, a.background == "black" ? kBlack : kWhite);
    if (!sheet) {
        PrintError("the contact sheet could not be composed (picture too large, or out of memory)");
        return kExitError;
    }
    return WriteOutput(a.out, *sheet, format);
}

int Render(const RenderArgs& a) {
    const PictureFormat format = PictureFormatOf(a.out);
    if (format == PictureFormat::kUnknown) {
        PrintError("the output '" + a.out + "' must end in .png or .bmp");
        return kExitUsage;
    }
    if (a.sheet) return RenderSheet(a, format);
    if (a.objectId.empty()) {
        PrintError("OBJECT-ID is required (or --sheet for every object of the file)");
        return kExitUsage;
    }
    ResID id = 0;
    if (!ParseResID(a.objectId, id)) {
        PrintError("'" + a.objectId + "' is not an object id");
        return kExitUsage;
    }
    ObjectFileArg arg;
    if (!ResolveObjectFile(a.path, false, arg)) return kExitError;
    ObjectFile& record = *arg.record;
    ObjectEntry* object = FindObject(record, id);
    if (!object) {
        PrintError("the file has no object " + std::to_string(id));
        return kExitError;
    }
    const bool lead = IsMultiTileLead(object->definition);
    ObjectEntry* chosen = nullptr;
    if (a.tile > 0) {
        if (!lead || static_cast<size_t>(a.tile) > object->tiles.size()) {
            PrintError("object " + std::to_string(id) + " has no tile " + std::to_string(a.tile));
            return kExitUsage;
        }
        chosen = object->tiles[static_cast<size_t>(a.tile) - 1];
    }
    // The states are those of the tile whose list the viewer shows: the chosen tile, else the first one.
    const ObjectEntry* owner = chosen ? chosen : (lead && !object->tiles.empty() ? object->tiles.front() : object);
    const int states = owner->definition.numgraphics;
    if (states > 0 && a.state >= states) {
        PrintError("state " + std::to_string(a.state) + " is out of range: the object has " + std::to_string(states) +
                   " graphical state" + (states == 1 ? "" : "s"));
        return kExitUsage;
    }
    ChooseStates(*object, a.state, chosen);
    const RgbColor background = a.background == "black" ? kBlack : kWhite;
    const int32_t view = ComposeViewIndex(a.rotation, 2 - a.zoom);
    std::unique_ptr<Bitmap24> picture = ComposeObject(*record.file, *object, view, background);
    if (!picture) {
        PrintError("the object could not be composed (picture too large, or out of memory)");
        return kExitError;
    }
    return WriteOutput(a.out, *picture, format);
}

void AddRenderCommand(CLI::App& app, int& exitCode) {
    auto* cmd = app.add_subcommand("render", "Compose one view of an object (all its tiles, or one of them) into a "
                                             "picture, as the draw group viewer shows it, or every object of the "
                                             "file at every rotation and zoom on one contact sheet (--sheet)");
    auto a = std::make_shared<RenderArgs>();
    cmd->add_option("FILE", a->path, "Object file: a path (with or without .iff) or a name from the catalogue")->required();
    auto* objectId = cmd->add_option("OBJECT-ID", a->objectId, "Resource id of the object (OBJD); not with --sheet");
    auto* state = cmd->add_option("--state", a->state, "Graphical state: draw group index within the object's graphics")
        ->check(CLI::NonNegativeNumber)
        ->default_val(0);
    auto* rotation =
        cmd->add_option("--rotation", a->rotation, "Rotation 0-3")->check(CLI::Range(0, 3))->default_val(2);
    auto* zoom = cmd->add_option("--zoom", a->zoom, "Zoom 0 (large), 1 (medium) or 2 (small)")
                     ->check(CLI::Range(0, 2))
                     ->default_val(0);
    auto* tile = cmd->add_option("--tile", a->tile, "For a multi-tile object: 0 all tiles, N the N-th tile (others dimmed)")
                     ->check(CLI::NonNegativeNumber)
                     ->default_val(0);
    cmd->add_option("--background", a->background, "Background colour")
        ->check(CLI::IsMember({"white", "black"}))
        ->default_val("white");
    RelativeToInvocation(
        cmd->add_option("-o,--output", a->out, "Picture to write (.png or .bmp); missing directories are made"))
        ->required();
    cmd->add_flag("--sheet", a->sheet,
                  "Every object of the file (all tiles, first graphical state) at every zoom and rotation, one row "
                  "an object, on one contact sheet")
        ->excludes(objectId)
        ->excludes(state)
        ->excludes(rotation)
        ->excludes(zoom)
        ->excludes(tile);
    cmd->callback([a, &exitCode] { exitCode = Render(*a); });
}

CommandRegistrar registrar(230, AddRenderCommand);

}  // namespace

}  // namespace cli
