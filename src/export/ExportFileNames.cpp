// ExportFileNames: printf patterns of the BMP files beside an exported document.
#include "export/ExportFileNames.h"

#include <cstdio>

#include "platform/FormatText.h"

const char* GetZoomName(int32_t zoom) {
    static const char* const kNames[kExportZoomCount] = {"large", "medium", "small"};
    return zoom >= 0 && zoom < kExportZoomCount ? kNames[zoom] : "???";
}

const char* GetRotationName(int32_t rotations, int32_t rotation) {
    static const char* const kTwo[2] = {"back", "front"};
    static const char* const kFour[4] = {"nw", "ne", "se", "sw"};
    if (rotation < 0 || rotation >= rotations) return "???";
    if (rotations == 1) return "all";
    if (rotations == 2) return kTwo[rotation];
    if (rotations == 4) return kFour[rotation];
    return "???";
}

std::string MakeSpriteFrameStem(const std::string& base, int32_t spriteId, const std::string& fileName, int32_t zoom,
                                int32_t rotations, int32_t rotation, bool subDirectories) {
    const char* pattern = subDirectories ? "%s_sprites\\sprite%04d\\%s_%s_%s" : "%s_sprites\\sprite%04d_%s_%s_%s";
    return FormatText(pattern, base.c_str(), spriteId, fileName.c_str(), GetZoomName(zoom),
                            GetRotationName(rotations, rotation));
}

std::string MakeCustomWallFrameStem(const std::string& base, int32_t spriteId, const std::string& fileName,
                                    int32_t frame, bool subDirectories) {
    const char* pattern = subDirectories ? "%s_sprites\\customwall%04d\\%s_%d" : "%s_sprites\\sprite%04d_%s_%d";
    return FormatText(pattern, base.c_str(), spriteId, fileName.c_str(), frame);
}

std::string MakeBitmapFileName(const std::string& base, int32_t bitmapId, const std::string& role,
                               const std::string& objectPart) {
    return FormatText("%s_bitmaps\\bitmap%04d_%s%s.bmp", base.c_str(), bitmapId, role.c_str(),
                            objectPart.c_str());
}
