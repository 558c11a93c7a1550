// reshaper-cli export FILE DOC.xml: writes an object file out as the XML object document and its BMP files, with the
// presets dialog's choices as options (its defaults when none are given).
#include <CLI/CLI.hpp>
#include <cstdio>

#include "app/ObjectFile.h"
#include "cli/CliCommon.h"
#include "export/ExportWhizzerModel.h"
#include "export/MakeDirectoriesForPath.h"
#include "export/ObjectExporter.h"

namespace cli {

namespace {

struct ExportArgs {
    std::string file;
    std::string document;
    std::string preset = "one-zoom-one-channel";
    bool justChangeColors = false;    // --just-change-colors: the default, as the dialog opens
    bool noJustChangeColors = false;  // --no-just-change-colors
    bool noCompress = false;
    bool noSubdirs = false;
    bool noSmoothColors = false;
    bool noSmoothEdges = false;
    bool nearZ = false;
    bool hardAlpha = false;
    bool bitmaps = false;
    bool png = false;
};

int PresetId(const std::string& name) {
    if (name == "one-zoom-one-channel") return kWhizPresetOneZoomOneChannel;
    if (name == "all-zooms-one-channel") return kWhizPresetAllZoomsOneChannel;
    if (name == "one-zoom-all-channels") return kWhizPresetOneZoomAllChannels;
    return kWhizPresetAllZoomsAllChannels;
}

// The options the presets dialog records for the same choices: from the dialog as it opens (its first preset and
// every box checked, "Just Change Colors." included), the boxes are set, then the chosen preset is clicked, so
// "Just Change Colors." moves an all-channel preset to its one-channel neighbour as the dialog does.
ExportOptions OptionsFor(const ExportArgs& a) {
    ExportWhizzerModel model;
    model.SetChecked(kWhizJustChangeColors, !a.noJustChangeColors);
    model.SetChecked(kWhizCompress, !a.noCompress);
    model.SetChecked(kWhizSubDirectories, !a.noSubdirs);
    model.SetChecked(kWhizSmoothColors, !a.noSmoothColors);
    model.SetChecked(kWhizSmoothEdges, !a.noSmoothEdges);
    model.SetChecked(kWhizFarZ, !a.nearZ);
    model.SetChecked(kWhizSoftAlpha, !a.hardAlpha);
    model.SelectPreset(PresetId(a.preset));
    model.ApplyUpdateRule();
    ExportOptions options = model.BuildOptions();
    options.exportbitmaps = a.bitmaps ? 1 : 0;
    return options;
}

int Export(const ExportArgs& a) {
    InstallTerminalHost(false);
    ObjectFileArg arg;
    if (!ResolveObjectFile(a.file, false, arg)) return kExitError;
    // A script names the document's directory without a dialog to make it: make it here.
    MakeDirectoriesForPath(a.document);
    ObjectExporter exporter(*arg.record);
    exporter.SetPngChannels(a.png);
    const ExportOptions options = OptionsFor(a);
    const bool ok = exporter.ExportTo(a.document, options);
    const ExportStatistics& s = exporter.GetStatistics();
    std::printf("%s: %d frames written, %d proxy frames, %d BMP files, %s%lld bytes\n", a.document.c_str(),
                s.realFrames, s.proxyFrames, s.bmpFiles,
                a.png ? (std::to_string(s.pngFiles) + " PNG files, ").c_str() : "",
                static_cast<long long>(s.bytesWritten));
    if (!ok) {
        PrintError("the document '" + a.document + "' could not be written");
        return kExitError;
    }
    return s.errors > 0 ? kExitProblems : kExitOk;
}

void AddExportCommand(CLI::App& app, int& exitCode) {
    auto* cmd = app.add_subcommand(
        "export", "Export an object file to an XML object document and BMP (or PNG) files, as the Export Whizzer does");
    auto a = std::make_shared<ExportArgs>();
    cmd->add_option("FILE", a->file, "Object file: a path (with or without .iff) or a name from the catalogue")
        ->required();
    RelativeToInvocation(cmd->add_option("DOC", a->document, "The XML document to write; the picture files go beside it"))
        ->required();
    cmd->add_option("--preset", a->preset, "Which zooms and channels are written as files")
        ->check(CLI::IsMember(
            {"one-zoom-one-channel", "all-zooms-one-channel", "one-zoom-all-channels", "all-zooms-all-channels"}))
        ->default_val("one-zoom-one-channel");
    auto* keepShapes = cmd->add_flag(
        "--just-change-colors", a->justChangeColors,
        "Keep sprite shapes: write colours only (all-channel presets fall back to one channel); the default");
    cmd->add_flag("--no-just-change-colors", a->noJustChangeColors,
                  "Let the sprite shapes change: the all-channel presets write depth and alpha files")
        ->excludes(keepShapes);
    cmd->add_flag("--no-compress", a->noCompress, "Write plain BMP files instead of RLE8-compressed ones");
    cmd->add_flag("--no-subdirs", a->noSubdirs, "Put all sprite pictures into one directory");
    cmd->add_flag("--no-smooth-colors", a->noSmoothColors, "Generated smaller zooms keep sharp colours");
    cmd->add_flag("--no-smooth-edges", a->noSmoothEdges, "Generated smaller zooms keep sharp edges");
    cmd->add_flag("--near-z", a->nearZ, "Generated depth puts the object at the front of its tile");
    cmd->add_flag("--hard-alpha", a->hardAlpha, "Generated alpha has hard edges");
    cmd->add_flag("--bitmaps", a->bitmaps, "Also write the bitmaps section (bitmap resources as BMP files)");
    cmd->add_flag("--png", a->png,
                  "Write the sprite channels as PNG files (_p.png indexed with the sprite's palette, _z.png and _a.png "
                  "8-bit grey) instead of BMP files");
    cmd->callback([a, &exitCode] { exitCode = Export(*a); });
}

CommandRegistrar registrar(330, AddExportCommand);

}  // namespace

}  // namespace cli
