// MoveDegenerateItems: moving draw group items that reference frames the import made degenerate.
#include "import/MoveDegenerateItems.h"

#include <algorithm>
#include <cstdio>

#include "app/ObjectFile.h"
#include "app/Progress.h"
#include "import/ImportedSprite.h"
#include "objects/drawing/DrawGroup.h"
#include "resfile/StdResFile.h"

namespace {

const ImportedFrame* FindBuiltFrame(const std::vector<std::unique_ptr<ImportedSprite>>& sprites, int32_t spriteId,
                                    int32_t number) {
    for (const auto& s : sprites) {
        if (!s->built || s->id != spriteId) continue;
        const int64_t count = std::min<int64_t>(s->frameCount, static_cast<int64_t>(s->frames.size()));
        if (number < 0 || number >= count) continue;
        return s->frames[static_cast<size_t>(number)].get();
    }
    return nullptr;
}

}  // namespace

int MoveDegenerateItems(ObjectFile& file, const std::vector<std::unique_ptr<ImportedSprite>>& sprites) {
    if (!file.file) return 0;
    int moved = 0;
    for (const DrawGroupEntry& entry : file.drawGroups) {
        DrawGroup group;
        if (group.Load(*file.file, entry.id) != kNoErr) continue;
        bool changed = false;
        for (int32_t j = 0; j < group.CountItemLists(); ++j) {
            DrawGroupItemList& list = *group.GetItemList(j);
            for (int32_t k = 0; k < list.CountItems(); ++k) {
                DrawGroupItem& item = *list.GetItem(k);
                const ImportedFrame* frame = FindBuiltFrame(sprites, item.spriteid, item.spritenum);
                if (!frame || !frame->degenerate) continue;
                char line[256];
                std::snprintf(line, sizeof line,
                              "Moved drawgroup id %d list %d item %d that referenced degenerate sprite id %d index %d "
                              "from (%d,%d) to (%d,%d).\r\n",
                              entry.id, j, k, item.spriteid, item.spritenum, item.pixelx, item.pixely, 0, 0);
                ProgressLog(1, line);
                item.pixelx = 0;
                item.pixely = 0;
                changed = true;
                ++moved;
            }
        }
        if (changed) group.Save(*file.file, entry.id);
    }
    file.file->Update();
    return moved;
}
