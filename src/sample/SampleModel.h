// SampleModel: the shapes, materials and view geometry from which the sample installation draws its sprites.
#pragma once

#include <cstdint>
#include <vector>

// Canvas of each sprite zoom (0 large, 1 medium, 2 small) and the point on it where the floor tile's centre lies:
// the tile's diamond (128 x 64 pixels at the large zoom) touches the canvas's bottom edge, centred.
struct SampleCanvas {
    int32_t width;
    int32_t height;
    int32_t referenceX;  // column of the tile's centre
    int32_t referenceY;  // row of the tile's centre
    int32_t scaleShift;  // a large-zoom pixel is 1 >> scaleShift pixels here
};
constexpr int kSampleZoomCount = 3;
constexpr int kSampleRotationCount = 4;
constexpr int kSampleFramesPerSprite = kSampleZoomCount * kSampleRotationCount;
SampleCanvas GetSampleCanvas(int zoom);

// Frame i of a sprite shows rotation i % 4 at sprite zoom i / 4 (0 large). Draw group lists are numbered the other
// way round: list V serves rotation V % 4 at zoom level V / 4, where level 0 is the smallest.
inline int SampleFrameIndex(int rotation, int zoom) { return rotation + kSampleRotationCount * zoom; }

struct SampleMaterial {
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;
};

// Every shape is given by its axis-aligned extent in the object's own units: u and v across the floor (one tile is
// -0.5 .. 0.5 around its centre; u runs along the high byte of a tile's subindex, v along the low byte) and w up
// (one unit is 80 pixels at the large zoom). A cylinder stands upright inside its extent with an elliptic cross
// section; an ellipsoid fills its extent; a floor shadow is a soft ellipse on the floor (w ignored).
enum class SampleShapeKind : uint8_t { kBox, kCylinder, kEllipsoid, kFloorShadow };

struct SampleShape {
    SampleShapeKind kind = SampleShapeKind::kBox;
    float lo[3] = {0, 0, 0};
    float hi[3] = {0, 0, 0};
    uint8_t material = 0;
};

struct SampleModel {
    std::vector<SampleMaterial> materials;
    std::vector<SampleShape> shapes;
    // The tile drawn: its centre (h, l) in object units, and whether only its footprint is drawn (the tiles of a
    // multi-tile object each draw their own part of the shapes).
    float tileU = 0;
    float tileV = 0;
    bool clipToTile = false;

    SampleModel& Add(SampleShapeKind kind, float u0, float v0, float w0, float u1, float v1, float w1,
                     uint8_t material) {
        SampleShape s;
        s.kind = kind;
        s.lo[0] = u0, s.lo[1] = v0, s.lo[2] = w0;
        s.hi[0] = u1, s.hi[1] = v1, s.hi[2] = w1;
        s.material = material;
        shapes.push_back(s);
        return *this;
    }
    SampleModel& Box(float u0, float v0, float w0, float u1, float v1, float w1, uint8_t m) {
        return Add(SampleShapeKind::kBox, u0, v0, w0, u1, v1, w1, m);
    }
    // An upright cylinder of radius r around (u, v).
    SampleModel& Cylinder(float u, float v, float r, float w0, float w1, uint8_t m) {
        return Add(SampleShapeKind::kCylinder, u - r, v - r, w0, u + r, v + r, w1, m);
    }
    SampleModel& Ellipsoid(float u0, float v0, float w0, float u1, float v1, float w1, uint8_t m) {
        return Add(SampleShapeKind::kEllipsoid, u0, v0, w0, u1, v1, w1, m);
    }
    SampleModel& Shadow(float u0, float v0, float u1, float v1, uint8_t m) {
        return Add(SampleShapeKind::kFloorShadow, u0, v0, 0, u1, v1, 0, m);
    }
};
