// ExportWhizzerModel: control table, tool tips, update rule and OK mapping of the export presets dialog.
#include "export/ExportWhizzerModel.h"

#include <iterator>

namespace {

using K = WhizControlKind;

constexpr const char* kText1060Off =
    "Export largest zoom. Automatically generate smaller zooms, Z buffers and Alpha channels. Minimum number of "
    "files. Lowest quality.";
constexpr const char* kText1062Off =
    "Export all zooms. Automatically generate Z buffers and Alpha channels. Low quality.";
constexpr const char* kText1060On =
    "Export largest zoom. Automatically generate smaller zooms. Preserve Z buffers and Alpha channels. Minimum "
    "number of files. Good quality.";
constexpr const char* kText1062On =
    "Export all zooms. Preserve Z buffers and Alpha channels. Maximum number of files. Best quality.";

constexpr const char* kTip1060 =
    "Writes only the colour pictures of the largest zoom. On import the medium and small zooms are shrunk from "
    "them and the depth (Z) and alpha channels are generated. Fewest files to edit.";
constexpr const char* kTip1062 =
    "Writes the colour pictures of all three zooms, so each zoom can be painted by hand. The depth (Z) and alpha "
    "channels are generated on import.";
constexpr const char* kTip1061 =
    "Writes colour, depth (Z) and alpha pictures of the largest zoom. On import the smaller zooms are shrunk from "
    "them. Not available while only colours change.";
constexpr const char* kTip1063 =
    "Writes colour, depth (Z) and alpha pictures of every zoom: nothing is generated on import. Most files, full "
    "control. Not available while only colours change.";
constexpr const char* kTipJ =
    "Check to recolour a sprite without changing its shape: only colour pictures are written, and the import keeps "
    "the depth and alpha channels of the sprite already in the object file. Uncheck to reshape sprites.";
constexpr const char* kTipCompress =
    "Check to write the BMP files with run-length compression (RLE8): smaller files, which some paint programs "
    "cannot open. Uncheck for plain 8-bit BMP files.";
constexpr const char* kTipSubDirs =
    "Check to put each sprite's pictures into a folder of its own beside the XML file. Uncheck to put every picture "
    "of the sprites into one folder.";
constexpr const char* kTipColors =
    "When the import shrinks the largest zoom into the medium and small zooms: check to average neighbouring "
    "colours (smooth), uncheck to keep single pixels (sharp). Used only when one zoom is exported.";
constexpr const char* kTipEdges =
    "When the import shrinks the largest zoom: check to blend the depth and alpha edges of the smaller zooms, "
    "uncheck for hard edges. Used only when one zoom is exported and shapes change.";
constexpr const char* kTipFarZ =
    "For a generated depth (Z) channel: check to place the object at the back of its tile, uncheck to place it at "
    "the front. Used only with the one-channel presets while shapes change.";
constexpr const char* kTipSoftAlpha =
    "For a generated alpha channel: check for soft, blended edges, uncheck for hard edges. Used only with the "
    "one-channel presets while shapes change.";

constexpr WhizControl kControls[] = {
    {kWhizObjectFileLabel, K::Label, "Export Object File:", 0, 0, false,
     "The object file whose objects, draw groups and sprites are written out."},
    {kWhizObjectFilePath, K::Edit, "", 0, 0, false,
     "The object file whose objects, draw groups and sprites are written out."},
    {kWhizJustChangeColors, K::CheckBox, "Just Change Colors.", 0, 0, false, kTipJ},
    {kWhizJustChangeColorsOn, K::Label, "On: Not changing sprite shapes.", 0, kWhizJustChangeColors, true,
     "Click to check \"Just Change Colors.\": sprite shapes stay as they are."},
    {kWhizJustChangeColorsOff, K::Label, "Off: Changing sprite shapes.", 0, kWhizJustChangeColors, false,
     "Click to uncheck \"Just Change Colors.\": sprite shapes may change."},
    {kWhizPresetOneZoomOneChannel, K::Radio, "One Zoom, One Channel.", 0, 0, false, kTip1060},
    {1074, K::Picture, "", kPictureOneZoom, kWhizPresetOneZoomOneChannel, true,
     "One zoom: click to choose this preset."},
    {1076, K::Picture, "", kPictureOneChannel, kWhizPresetOneZoomOneChannel, true,
     "One channel: click to choose this preset."},
    {kWhizDescription1060, K::Label, kText1060Off, 0, kWhizPresetOneZoomOneChannel, true, kTip1060},
    {kWhizPresetAllZoomsOneChannel, K::Radio, "All Zooms, One Channel.", 0, 0, false, kTip1062},
    {1079, K::Picture, "", kPictureAllZooms, kWhizPresetAllZoomsOneChannel, true,
     "All zooms: click to choose this preset."},
    {1080, K::Picture, "", kPictureOneChannel, kWhizPresetAllZoomsOneChannel, true,
     "One channel: click to choose this preset."},
    {kWhizDescription1062, K::Label, kText1062Off, 0, kWhizPresetAllZoomsOneChannel, true, kTip1062},
    {kWhizPresetOneZoomAllChannels, K::Radio, "One Zoom, All Channels.", 0, 0, false, kTip1061},
    {1077, K::Picture, "", kPictureOneZoom, kWhizPresetOneZoomAllChannels, true,
     "One zoom: click to choose this preset."},
    {1078, K::Picture, "", kPictureAllChannels, kWhizPresetOneZoomAllChannels, true,
     "All channels: click to choose this preset."},
    {kWhizDescription1061, K::Label,
     "Export largest zoom, Z buffers, and Alpha channels. Automatically generate smaller zooms. Good quality.", 0,
     kWhizPresetOneZoomAllChannels, true, kTip1061},
    {kWhizPresetAllZoomsAllChannels, K::Radio, "All Zooms, All Channels.", 0, 0, false, kTip1063},
    {1081, K::Picture, "", kPictureAllZooms, kWhizPresetAllZoomsAllChannels, true,
     "All zooms: click to choose this preset."},
    {1082, K::Picture, "", kPictureAllChannels, kWhizPresetAllZoomsAllChannels, true,
     "All channels: click to choose this preset."},
    {kWhizDescription1063, K::Label,
     "Export all zooms, Z buffers, and Alpha channels. Maximum number of files. Best quality.", 0,
     kWhizPresetAllZoomsAllChannels, true, kTip1063},
    {kWhizCompress, K::CheckBox, "Compress Bitmap Files", 0, 0, false, kTipCompress},
    {kWhizCompressOn, K::Label, "On: Small bitmap file size.", 0, kWhizCompress, true,
     "Click to check \"Compress Bitmap Files\"."},
    {kWhizCompressOff, K::Label, "Off: Big bitmap file size.", 0, kWhizCompress, false,
     "Click to uncheck \"Compress Bitmap Files\"."},
    {kWhizSubDirectories, K::CheckBox, "Create Sub Directories", 0, 0, false, kTipSubDirs},
    {kWhizSubDirectoriesOn, K::Label, "On: Use sub directories.", 0, kWhizSubDirectories, true,
     "Click to check \"Create Sub Directories\"."},
    {kWhizSubDirectoriesOff, K::Label, "Off: Use same directory. ", 0, kWhizSubDirectories, false,
     "Click to uncheck \"Create Sub Directories\"."},
    {kWhizZoomGroup, K::Group, "Automatic Zoom Generation", 0, 0, false,
     "How the import makes the medium and small zooms from the largest one (one-zoom presets only)."},
    {kWhizSmoothColors, K::CheckBox, "Smooth Small Zoom Colors", 0, 0, false, kTipColors},
    {kWhizSmoothColorsOn, K::Label, "On: Smooth colors.", 0, kWhizSmoothColors, true,
     "Click to check \"Smooth Small Zoom Colors\"."},
    {kWhizSmoothColorsOff, K::Label, "Off: Sharp colors.", 0, kWhizSmoothColors, false,
     "Click to uncheck \"Smooth Small Zoom Colors\"."},
    {kWhizSmoothEdges, K::CheckBox, "Smooth Small Zoom Edges", 0, 0, false, kTipEdges},
    {kWhizSmoothEdgesOn, K::Label, "On: Smooth edges.", 0, kWhizSmoothEdges, true,
     "Click to check \"Smooth Small Zoom Edges\"."},
    {kWhizSmoothEdgesOff, K::Label, "Off: Sharp edges.", 0, kWhizSmoothEdges, false,
     "Click to uncheck \"Smooth Small Zoom Edges\"."},
    {kWhizChannelGroup, K::Group, "Automatic Channel Generation", 0, 0, false,
     "How the import generates the depth and alpha channels (one-channel presets while shapes change)."},
    {kWhizFarZ, K::CheckBox, "Far Z Buffer", 0, 0, false, kTipFarZ},
    {kWhizFarZOn, K::Label, "On: Object in back.", 0, kWhizFarZ, true, "Click to check \"Far Z Buffer\"."},
    {kWhizFarZOff, K::Label, "Off: Object in front.", 0, kWhizFarZ, false, "Click to uncheck \"Far Z Buffer\"."},
    {kWhizSoftAlpha, K::CheckBox, "Soft Alpha Channel", 0, 0, false, kTipSoftAlpha},
    {kWhizSoftAlphaOn, K::Label, "On: Smooth edges.", 0, kWhizSoftAlpha, true,
     "Click to check \"Soft Alpha Channel\"."},
    {kWhizSoftAlphaOff, K::Label, "Off: Sharp edges.", 0, kWhizSoftAlpha, false,
     "Click to uncheck \"Soft Alpha Channel\"."},
    {kWhizOk, K::Button, "OK", 0, 0, false,
     "Choose where to save the XML file, then write it and the BMP files beside it."},
    {kWhizCancel, K::Button, "Cancel", 0, 0, false, "Close without exporting."},
};

bool IsPreset(int id) {
    return id == kWhizPresetOneZoomOneChannel || id == kWhizPresetAllZoomsOneChannel ||
           id == kWhizPresetOneZoomAllChannels || id == kWhizPresetAllZoomsAllChannels;
}

}  // namespace

std::span<const WhizControl> GetExportWhizzerControls() { return kControls; }

const WhizControl* FindExportWhizzerControl(int id) {
    for (const WhizControl& c : kControls)
        if (c.id == id) return &c;
    return nullptr;
}

ExportWhizzerModel::ExportWhizzerModel() {
    for (bool& b : boxes_) b = true;
    ApplyUpdateRule();
}

int ExportWhizzerModel::BoxIndex(int id) {
    switch (id) {
        case kWhizJustChangeColors:
            return kBoxJ;
        case kWhizCompress:
            return kBoxCompress;
        case kWhizSubDirectories:
            return kBoxSubDirs;
        case kWhizFarZ:
            return kBoxFarZ;
        case kWhizSoftAlpha:
            return kBoxSoftAlpha;
        case kWhizSmoothColors:
            return kBoxColors;
        case kWhizSmoothEdges:
            return kBoxEdges;
        default:
            return -1;
    }
}

bool ExportWhizzerModel::SetChecked(int id, bool checked) {
    const int box = BoxIndex(id);
    if (box < 0) return false;
    boxes_[box] = checked;
    return true;
}

bool ExportWhizzerModel::SelectPreset(int id) {
    if (id != 0 && !IsPreset(id)) return false;
    preset_ = id;
    return true;
}

void ExportWhizzerModel::ApplyUpdateRule() {
    // While only colours change, the all-channel presets cannot stay selected.
    if (boxes_[kBoxJ] && preset_ == kWhizPresetOneZoomAllChannels) preset_ = kWhizPresetOneZoomOneChannel;
    if (boxes_[kBoxJ] && preset_ == kWhizPresetAllZoomsAllChannels) preset_ = kWhizPresetAllZoomsOneChannel;
}

bool ExportWhizzerModel::Enabled(int id) const {
    const bool j = boxes_[kBoxJ];
    const bool oneChannel = preset_ == kWhizPresetOneZoomOneChannel || preset_ == kWhizPresetAllZoomsOneChannel;
    const bool oneZoom = preset_ == kWhizPresetOneZoomOneChannel || preset_ == kWhizPresetOneZoomAllChannels;
    switch (id) {
        case kWhizFarZ:
        case kWhizFarZOn:
        case kWhizFarZOff:
        case kWhizSoftAlpha:
        case kWhizSoftAlphaOn:
        case kWhizSoftAlphaOff:
        case kWhizChannelGroup:
            return oneChannel && !j;
        case kWhizSmoothColors:
        case kWhizSmoothColorsOff:
        case kWhizSmoothColorsOn:
        case kWhizZoomGroup:
            return oneZoom;
        case kWhizSmoothEdges:
        case kWhizSmoothEdgesOn:
        case kWhizSmoothEdgesOff:
            return oneZoom && !j;
        case kWhizPresetOneZoomAllChannels:
        case kWhizPresetAllZoomsAllChannels:
        case kWhizDescription1061:
        case kWhizDescription1063:
            return !j;
        default:
            return true;
    }
}

bool ExportWhizzerModel::IsEnabled(int id) const { return FindExportWhizzerControl(id) != nullptr && Enabled(id); }

bool ExportWhizzerModel::IsVisible(int id) const {
    if (FindExportWhizzerControl(id) == nullptr) return false;
    if (id == 1077 || id == 1078 || id == 1081 || id == 1082) return !boxes_[kBoxJ];
    return true;
}

bool ExportWhizzerModel::IsChecked(int id) const {
    if (IsPreset(id)) return preset_ == id;
    const int box = BoxIndex(id);
    return box >= 0 && boxes_[box];
}

std::string ExportWhizzerModel::GetText(int id) const {
    if (id == kWhizObjectFilePath) return path_;
    if (id == kWhizDescription1060) return boxes_[kBoxJ] ? kText1060On : kText1060Off;
    if (id == kWhizDescription1062) return boxes_[kBoxJ] ? kText1062On : kText1062Off;
    const WhizControl* c = FindExportWhizzerControl(id);
    return c ? c->text : "";
}

std::string ExportWhizzerModel::GetToolTip(int id) const {
    const WhizControl* c = FindExportWhizzerControl(id);
    return c ? c->tip : "";
}

bool ExportWhizzerModel::Click(int id) {
    const WhizControl* c = FindExportWhizzerControl(id);
    if (c == nullptr || !IsEnabled(id) || !IsVisible(id)) return false;
    switch (c->kind) {
        case WhizControlKind::Radio:
            preset_ = id;
            ApplyUpdateRule();
            return true;
        case WhizControlKind::CheckBox:
            boxes_[BoxIndex(id)] = !boxes_[BoxIndex(id)];
            if (id == kWhizJustChangeColors) ApplyUpdateRule();
            return true;
        case WhizControlKind::Label:
        case WhizControlKind::Picture:
            if (c->target == 0) return false;
            if (IsPreset(c->target)) {
                preset_ = c->target;
            } else {
                boxes_[BoxIndex(c->target)] = c->checks;
            }
            if (IsPreset(c->target) || c->target == kWhizJustChangeColors) ApplyUpdateRule();
            return true;
        default:
            return false;
    }
}

ExportOptions ExportWhizzerModel::BuildOptions() const {
    ExportOptions o;
    o.objectfilename = path_;
    const bool allChannels =
        preset_ == 0 || preset_ == kWhizPresetOneZoomAllChannels || preset_ == kWhizPresetAllZoomsAllChannels;
    o.exportallzooms = (preset_ == kWhizPresetAllZoomsOneChannel || preset_ == kWhizPresetAllZoomsAllChannels);
    o.exportz = o.exporta = allChannels;
    o.generatez = o.generatea = !allChannels;
    o.compressbitmaps = boxes_[kBoxCompress];
    o.createsubdirectories = boxes_[kBoxSubDirs];
    o.smoothsmallzoomcolors = boxes_[kBoxColors];
    o.smoothsmallzoomedges = boxes_[kBoxEdges];
    o.generatezfar = o.generatez && boxes_[kBoxFarZ];
    o.generateasoft = o.generatea && boxes_[kBoxSoftAlpha];
    o.justchangecolors = boxes_[kBoxJ];
    if (o.justchangecolors) {
        o.exportz = o.exporta = 0;
        o.generatez = o.generatezfar = o.generatea = o.generateasoft = o.smoothsmallzoomedges = 1;
    }
    o.exportobjectdefinitions = o.exportdrawgroups = o.exportsprites = 1;
    o.exportbitmaps = 0;
    o.exportexpanded = o.exportp = 1;
    o.thingstodo = 0;
    return o;
}
