// ExportWhizzerModel: the export presets dialog's state and rules without any window: controls, texts, tips,
// the enabling rule after each click, and the options its OK button builds.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "export/ExportOptions.h"

// Dialog 9056 and its title.
constexpr int kExportWhizzerDialogId = 9056;
constexpr const char* kExportWhizzerTitle = "Export Whizzer";

// Control ids.
constexpr int kWhizObjectFilePath = 1018;  // edit (read-only): the object file's path
constexpr int kWhizObjectFileLabel = -1;   // the static "Export Object File:" beside it (no id of its own)
constexpr int kWhizJustChangeColors = 1104;
constexpr int kWhizJustChangeColorsOn = 1106;
constexpr int kWhizJustChangeColorsOff = 1105;
constexpr int kWhizPresetOneZoomOneChannel = 1060;
constexpr int kWhizPresetAllZoomsOneChannel = 1062;
constexpr int kWhizPresetOneZoomAllChannels = 1061;
constexpr int kWhizPresetAllZoomsAllChannels = 1063;
constexpr int kWhizDescription1060 = 1083;
constexpr int kWhizDescription1062 = 1085;
constexpr int kWhizDescription1061 = 1084;
constexpr int kWhizDescription1063 = 1086;
constexpr int kWhizCompress = 1072;
constexpr int kWhizCompressOn = 1093;
constexpr int kWhizCompressOff = 1094;
constexpr int kWhizSubDirectories = 1073;
constexpr int kWhizSubDirectoriesOn = 1095;
constexpr int kWhizSubDirectoriesOff = 1096;
constexpr int kWhizZoomGroup = 1075;
constexpr int kWhizSmoothColors = 1091;
constexpr int kWhizSmoothColorsOn = 1097;
constexpr int kWhizSmoothColorsOff = 1092;
constexpr int kWhizSmoothEdges = 1098;
constexpr int kWhizSmoothEdgesOn = 1100;
constexpr int kWhizSmoothEdgesOff = 1099;
constexpr int kWhizChannelGroup = 1069;
constexpr int kWhizFarZ = 1070;
constexpr int kWhizFarZOn = 1087;
constexpr int kWhizFarZOff = 1088;
constexpr int kWhizSoftAlpha = 1071;
constexpr int kWhizSoftAlphaOn = 1089;
constexpr int kWhizSoftAlphaOff = 1090;
constexpr int kWhizOk = 1;
constexpr int kWhizCancel = 2;

// The program's preset pictures (32 x 32): one zoom, all zooms, one channel, all channels.
constexpr int kPictureOneZoom = 132;
constexpr int kPictureAllZooms = 131;
constexpr int kPictureOneChannel = 134;
constexpr int kPictureAllChannels = 135;

// What the dialog returns: OK or Cancel. Note the export's odd mapping (see ExportWhizzerModel::ResultAfterExport).
constexpr int kWhizResultOk = 1;
constexpr int kWhizResultCancel = 2;

enum class WhizControlKind { Edit, CheckBox, Radio, Label, Picture, Group, Button };

// One control of the dialog as the window builds it. `text` is the opening text (the description labels of 1060
// and 1062 change later: ask the model for GetText). `picture` is the bitmap number of a picture control, else 0.
// `target` is the control that a click on this label or picture acts on (0: none); `checks` says whether that
// click checks (true) or unchecks (false) a check box target; a radio target is always selected.
struct WhizControl {
    int id;
    WhizControlKind kind;
    const char* text;
    int picture;
    int target;
    bool checks;
    const char* tip;  // the tool tip shown for the control
};

// Every control in tab order, the two buttons last.
std::span<const WhizControl> GetExportWhizzerControls();
// The control with that id; null when the dialog has none.
const WhizControl* FindExportWhizzerControl(int id);

// The dialog's state. Construction gives the state after the dialog opened: preset 1060 selected, all seven check
// boxes checked, the update rule run. A window shows the model: after every click it calls Click(id) and then
// refreshes every control from IsChecked / IsEnabled / IsVisible / GetText / GetSelectedPreset.
//
// How the dialog uses it, start to end:
//   1. model.SetObjectFilePath(path reported by the selected file's resource file, iResFile::GetPath); build the
//      controls from GetExportWhizzerControls() (object name = the id), each with GetToolTip(id) as its tip;
//   2. on each click: model.Click(id), then refresh every control from the model;
//   3. on OK: ObjectExporter exporter(objectFile);
//             bool ran = exporter.Export(model.BuildOptions(), saveDialog);  // saveDialog wraps the file dialog
//             close with ExportWhizzerModel::ResultAfterExport(ran);
//      on Cancel: close with kWhizResultCancel without exporting.
class ExportWhizzerModel {
public:
    ExportWhizzerModel();

    // The path shown in 1018 and written as the options' objectfilename.
    void SetObjectFilePath(const std::string& path) { path_ = path; }
    const std::string& GetObjectFilePath() const { return path_; }

    // A click on a control, as the user makes it: a radio is selected, a check box toggles, a label or picture
    // acts on the control it describes; then, where the dialog does so, the update rule runs. Clicks on disabled
    // or hidden controls, on group boxes, the edit and the buttons change nothing. Returns false when the click
    // changed nothing for one of those reasons or the id is unknown.
    bool Click(int id);
    // Sets a check box without a click's side effects (the update rule is not run); false for ids that are not
    // check boxes.
    bool SetChecked(int id, bool checked);
    // Selects a preset radio (0: none) without running the update rule; false for other ids.
    bool SelectPreset(int id);
    // The update rule: with "Just Change Colors." checked presets 1061 and 1063 fall back to 1060 and 1062; the
    // enabling, visibility and description texts follow the preset and that box.
    void ApplyUpdateRule();

    // The selected preset radio, 0 when none is.
    int GetSelectedPreset() const { return preset_; }
    // A check box's state, or for a radio whether it is selected; false for other ids.
    bool IsChecked(int id) const;
    // False for controls the rule disabled (and for unknown ids).
    bool IsEnabled(int id) const;
    // False for the pictures of presets 1061 and 1063 while "Just Change Colors." is checked (and unknown ids).
    bool IsVisible(int id) const;
    // The control's current text: the path for 1018, the description that fits the state for 1083 and 1085, the
    // fixed text otherwise; empty for unknown ids and for pictures.
    std::string GetText(int id) const;
    // The tool tip of a control; empty for unknown ids.
    std::string GetToolTip(int id) const;

    // What OK records: the options from the preset and the boxes (a disabled box records 0 where its flag has no
    // meaning, and "Just Change Colors." forces its values), thingstodo 0 (the export fills it in).
    ExportOptions BuildOptions() const;
    // The dialog's result once OK ran the export: Cancel when the export ran, OK when the user dismissed the file
    // dialog (the result tells the caller whether the export was abandoned, not whether it succeeded).
    static int ResultAfterExport(bool exportRan) { return exportRan ? kWhizResultCancel : kWhizResultOk; }

private:
    enum Box { kBoxJ, kBoxCompress, kBoxSubDirs, kBoxFarZ, kBoxSoftAlpha, kBoxColors, kBoxEdges, kBoxCount };
    static int BoxIndex(int id);
    bool Enabled(int id) const;

    std::string path_;
    int preset_ = kWhizPresetOneZoomOneChannel;
    bool boxes_[kBoxCount] = {};
};
