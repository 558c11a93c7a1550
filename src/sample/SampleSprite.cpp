// SampleSprite: encoding the drawn frames into sprites and placing them in draw groups.
#include "sample/SampleSprite.h"

#include <algorithm>
#include <cstring>

#include "objects/sprites/Spr2Assembler.h"
#include "objects/sprites/Spr2Encoder.h"
#include "objects/sprites/SprListEncoder.h"
#include "platform/ByteWriter.h"
#include "sample/SampleRenderer.h"

namespace {

constexpr int16_t kOldLayoutVersion = 20001;
constexpr int16_t kOldLayoutSpriteKind = -3;

void PutFloatLE(std::vector<uint8_t>& out, float f) {
    uint32_t u;
    std::memcpy(&u, &f, 4);
    ByteWriter(out).WriteUInt32LE(u);
}

}  // namespace

bool BuildSampleSprite(const SampleModel& model, const SamplePalette& palette, int32_t paletteId, SampleSprite& out) {
    std::vector<std::vector<uint8_t>> frames(kSampleFramesPerSprite);
    SampleFrameImages images;
    for (int zoom = 0; zoom < kSampleZoomCount; ++zoom)
        for (int rotation = 0; rotation < kSampleRotationCount; ++rotation) {
            const int index = SampleFrameIndex(rotation, zoom);
            RenderSampleFrame(model, palette, rotation, zoom, images);
            const Rect bounds = FindOpaqueBounds(images);
            const Point start{bounds.top, bounds.left};
            if (EncodeSpr2Frame(images.P(), images.Z(), images.A(), bounds, start, 5,
                                frames[static_cast<size_t>(index)]) != Spr2EncodeResult::kOk)
                return false;
            out.frames[static_cast<size_t>(index)] =
                SampleFramePlace{bounds.left, bounds.top, bounds.Width(), bounds.Height()};
        }
    return AssembleSpr2(paletteId, frames, -1, out.data);
}

DrawGroup MakeSampleDrawGroup(const std::string& name,
                              const std::vector<std::pair<ResID, const SampleSprite*>>& sprites) {
    DrawGroup group;
    group.SetName(name);
    for (int view = 0; view < kSampleFramesPerSprite; ++view) {
        const int rotation = view % kSampleRotationCount;
        const int level = view / kSampleRotationCount;
        const int zoom = kSampleZoomCount - 1 - level;
        const SampleCanvas canvas = GetSampleCanvas(zoom);
        DrawGroupItemList& list = group.AddItemList();
        list.dirflags = 1 << (2 * rotation);
        list.zoom = level + 1;
        for (const auto& [spriteId, sprite] : sprites) {
            const int frame = SampleFrameIndex(rotation, zoom);
            const SampleFramePlace& place = sprite->frames[static_cast<size_t>(frame)];
            DrawGroupItem item;
            item.spriteid = spriteId;
            item.spritenum = frame;
            if (place.width > 0 && place.height > 0) {
                item.pixelx = place.x - canvas.referenceX;
                item.pixely = place.y + place.height - 1 - canvas.referenceY;
            }
            list.AddItem(item);
        }
    }
    return group;
}

std::vector<uint8_t> SerializeOldLayoutDrawGroup(const DrawGroup& group) {
    std::vector<uint8_t> out;
    ByteWriter(out).WriteInt16LE(static_cast<int16_t>(kOldLayoutVersion));
    ByteWriter(out).WriteInt16LE(static_cast<int16_t>(group.CountItemLists()));
    for (int32_t l = 0; l < group.CountItemLists(); ++l) {
        const DrawGroupItemList* list = group.GetItemList(l);
        ByteWriter(out).WriteInt16LE(static_cast<int16_t>(list->CountItems()));
        out.push_back(static_cast<uint8_t>(list->dirflags));
        out.push_back(static_cast<uint8_t>(list->zoom));
        for (const DrawGroupItem& item : list->Items()) {
            ByteWriter(out).WriteInt16LE(static_cast<int16_t>(kOldLayoutSpriteKind));
            ByteWriter(out).WriteInt16LE(static_cast<int16_t>(item.spriteid));
            ByteWriter(out).WriteInt16LE(static_cast<int16_t>(item.spritenum));
            ByteWriter(out).WriteInt16LE(static_cast<int16_t>(item.flags));
            ByteWriter(out).WriteInt16LE(static_cast<int16_t>(item.pixelx));
            ByteWriter(out).WriteInt16LE(static_cast<int16_t>(item.pixely));
            PutFloatLE(out, item.zoffset);
        }
    }
    return out;
}

bool BuildSampleWallStyle(const SampleShape& opening, float cutHeight, std::array<std::vector<uint8_t>, 6>& out) {
    SampleFrameImages images;
    for (int kind = 0; kind < 2; ++kind) {
        SampleShape shape = opening;
        if (kind == 1) shape.hi[2] = std::min(shape.hi[2], cutHeight);
        for (int zoom = 0; zoom < kSampleZoomCount; ++zoom) {
            std::vector<std::vector<uint8_t>> frames(kSampleRotationCount);
            for (int rotation = 0; rotation < kSampleRotationCount; ++rotation) {
                RenderSampleWallMask(shape, rotation, zoom, images);
                if (!EncodeSprListFrame(images.P(), frames[static_cast<size_t>(rotation)])) return false;
            }
            if (!AssembleSprList(-1, frames, out[static_cast<size_t>(kind * kSampleZoomCount + zoom)])) return false;
        }
    }
    return true;
}
