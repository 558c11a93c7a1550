// Rect: the rectangle and point of the graphics code (signed 16-bit values) and their small helpers.
#pragma once

#include <cstdint>

// Four signed 16-bit values in the order top, left, bottom, right; bottom and right are exclusive.
struct Rect {
    int16_t top = 0;
    int16_t left = 0;
    int16_t bottom = 0;
    int16_t right = 0;

    // Width and height as wide values (never wrap; negative for a reversed rectangle).
    int32_t Width() const { return int32_t{right} - left; }
    int32_t Height() const { return int32_t{bottom} - top; }
};

// A point is (row, column).
struct Point {
    int16_t row = 0;
    int16_t column = 0;
};

// True when top >= bottom or left >= right.
bool IsRectEmpty(const Rect& r);
// True when all four values are equal.
bool EqualRect(const Rect& a, const Rect& b);
// The common part of a and b into `out`; returns whether it is non-empty. An empty result is all zero.
bool IntersectRect(const Rect& a, const Rect& b, Rect& out);
// Moves the rectangle by dx columns and dy rows (16-bit arithmetic, wrapping as the stored values do).
void OffsetRect(Rect& r, int16_t dx, int16_t dy);
