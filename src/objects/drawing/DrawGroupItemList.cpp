// DrawGroupItemList: item lookup and insertion by position.
#include "objects/drawing/DrawGroupItemList.h"

DrawGroupItem* DrawGroupItemList::GetItem(int32_t index) {
    if (index < 0 || index >= CountItems()) return nullptr;
    return &items_[static_cast<size_t>(index)];
}

const DrawGroupItem* DrawGroupItemList::GetItem(int32_t index) const {
    if (index < 0 || index >= CountItems()) return nullptr;
    return &items_[static_cast<size_t>(index)];
}

bool DrawGroupItemList::AddItem(const DrawGroupItem& item, int32_t position) {
    if (position < 0) {
        items_.push_back(item);
        return true;
    }
    if (position >= CountItems()) return false;
    items_.insert(items_.begin() + position, item);
    return true;
}
