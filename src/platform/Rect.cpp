// Rect: intersection, offset, equality and emptiness of 16-bit rectangles.
#include "platform/Rect.h"

#include <algorithm>

bool IsRectEmpty(const Rect& r) { return r.top >= r.bottom || r.left >= r.right; }

bool EqualRect(const Rect& a, const Rect& b) {
    return a.top == b.top && a.left == b.left && a.bottom == b.bottom && a.right == b.right;
}

bool IntersectRect(const Rect& a, const Rect& b, Rect& out) {
    Rect r;
    r.top = std::max(a.top, b.top);
    r.left = std::max(a.left, b.left);
    r.bottom = std::min(a.bottom, b.bottom);
    r.right = std::min(a.right, b.right);
    if (IsRectEmpty(r)) {
        out = Rect{};
        return false;
    }
    out = r;
    return true;
}

void OffsetRect(Rect& r, int16_t dx, int16_t dy) {
    r.top = static_cast<int16_t>(r.top + dy);
    r.bottom = static_cast<int16_t>(r.bottom + dy);
    r.left = static_cast<int16_t>(r.left + dx);
    r.right = static_cast<int16_t>(r.right + dx);
}
