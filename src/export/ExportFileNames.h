// ExportFileNames: the names an export gives its BMP files: zoom and rotation names, frame stems, bitmap files.
#pragma once

#include <cstdint>
#include <string>

// Canvas of each zoom: 136 x 384, 68 x 192, 34 x 96 pixels.
constexpr int kExportZoomCount = 3;
constexpr int32_t kExportCanvasWidth[kExportZoomCount] = {136, 68, 34};
constexpr int32_t kExportCanvasHeight[kExportZoomCount] = {384, 192, 96};

// "large", "medium", "small" for zooms 0 to 2; "???" for any other zoom.
const char* GetZoomName(int32_t zoom);
// The name of a rotation for a sprite with `rotations` rotations: 1 "all"; 2 "back", "front"; 4 "nw", "ne", "se",
// "sw"; "???" for any other count or a rotation out of range.
const char* GetRotationName(int32_t rotations, int32_t rotation);

// The frame stem of a sprite frame (without "_p.bmp" and the like), relative to the document's directory:
// "B_sprites\spriteNNNN\name_zoom_rot" with sub directories, "B_sprites\spriteNNNN_name_zoom_rot" without.
std::string MakeSpriteFrameStem(const std::string& base, int32_t spriteId, const std::string& fileName, int32_t zoom,
                                int32_t rotations, int32_t rotation, bool subDirectories);
// The stem of a custom wall style frame: "B_sprites\customwallNNNN\name_I" with sub directories,
// "B_sprites\spriteNNNN_name_I" without.
std::string MakeCustomWallFrameStem(const std::string& base, int32_t spriteId, const std::string& fileName,
                                    int32_t frame, bool subDirectories);
// A bitmap resource's file: "B_bitmaps\bitmapNNNN_role_object.bmp" (the object part empty when there is none).
std::string MakeBitmapFileName(const std::string& base, int32_t bitmapId, const std::string& role,
                               const std::string& objectPart);
