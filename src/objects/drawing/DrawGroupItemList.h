// DrawGroupItemList: the items of one view of a draw group, in drawing order, with the view it serves.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "objects/drawing/DrawGroupItem.h"

class DrawGroupItemList {
public:
    // The view directions and the zoom level the list serves, as stored; the renderer takes lists by position
    // and does not read them.
    int32_t dirflags = 0;
    int32_t zoom = 0;

    int32_t CountItems() const { return static_cast<int32_t>(items_.size()); }
    // The item at a 0-based index; null when the index is out of range.
    DrawGroupItem* GetItem(int32_t index);
    const DrawGroupItem* GetItem(int32_t index) const;
    // A negative position appends the item; a position within 0 ... count - 1 inserts it before the item there.
    // Returns false, changing nothing, for a larger position.
    bool AddItem(const DrawGroupItem& item, int32_t position = -1);

    std::vector<DrawGroupItem>& Items() { return items_; }
    const std::vector<DrawGroupItem>& Items() const { return items_; }

private:
    std::vector<DrawGroupItem> items_;
};
