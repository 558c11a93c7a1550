// SampleRenderer: one ray per pixel (sixteen at silhouette edges) against boxes, cylinders and ellipsoids.
#include "sample/SampleRenderer.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr double kHeightPixels = 80.0;             // large-zoom pixels per unit of height
constexpr double kRayRise = 64.0 / kHeightPixels;  // height gained per unit step of X and Y toward the viewer
constexpr double kDepthAtCentre = 210.0;
constexpr double kDepthPerFloorUnit = 34.0;  // per unit of X + Y
constexpr double kDepthPerHeightUnit = 0.5 * kHeightPixels;
constexpr double kNoHit = -std::numeric_limits<double>::infinity();
constexpr int kSubsamples = 4;  // per side, at silhouette edges
constexpr double kShadowOpacity = 0.62;
constexpr int kShadowLevel = 6;

// Light from the upper left: the faces turned to +Y (left on screen) are lit better than those turned to +X.
constexpr double kLight[3] = {0.35 / 1.2711, 0.7 / 1.2711, 1.0 / 1.2711};

struct WorldBox {
    double lo[3];
    double hi[3];
};

// World X and Y of the object's (u, v) at a rotation: the axes the tile placement of the compositor uses, so that
// tiles drawn here meet where the compositor puts them.
void ToWorldXY(double u, double v, int rotation, double& x, double& y) {
    switch (rotation & 3) {
        case 0:
            x = u, y = v;
            break;
        case 1:
            x = -v, y = u;
            break;
        case 2:
            x = -u, y = -v;
            break;
        default:
            x = v, y = -u;
            break;
    }
}

WorldBox ToWorld(const float lo[3], const float hi[3], double tileU, double tileV, int rotation) {
    double x0, y0, x1, y1;
    ToWorldXY(lo[0] - tileU, lo[1] - tileV, rotation, x0, y0);
    ToWorldXY(hi[0] - tileU, hi[1] - tileV, rotation, x1, y1);
    return WorldBox{{std::min(x0, x1), std::min(y0, y1), lo[2]}, {std::max(x0, x1), std::max(y0, y1), hi[2]}};
}

// A ray through a canvas point: it meets the floor at (x0, y0) and runs toward the viewer along (1, 1, kRayRise).
struct Ray {
    double x0;
    double y0;
};

Ray RayThrough(double column, double row, const SampleCanvas& canvas) {
    const double scale = static_cast<double>(1 << canvas.scaleShift);
    const double sx = (column - canvas.referenceX) * scale;
    const double sy = (row - canvas.referenceY) * scale;
    return Ray{(sx / 64.0 + sy / 32.0) / 2.0, (sy / 32.0 - sx / 64.0) / 2.0};
}

double DepthAt(double x, double y, double w) {
    return kDepthAtCentre - kDepthPerFloorUnit * (x + y) - kDepthPerHeightUnit * w;
}

struct Interval {
    double in = kNoHit;
    double out = kNoHit;
    double normal[3] = {0, 0, 1};
    bool Hit() const { return in < out; }
};

// Every component of the direction is positive, so a box is left through its +X, +Y or top face.
Interval IntersectBox(const WorldBox& b, const Ray& r) {
    Interval s;
    const double tx0 = b.lo[0] - r.x0, tx1 = b.hi[0] - r.x0;
    const double ty0 = b.lo[1] - r.y0, ty1 = b.hi[1] - r.y0;
    const double tw0 = b.lo[2] / kRayRise, tw1 = b.hi[2] / kRayRise;
    s.in = std::max({tx0, ty0, tw0});
    s.out = std::min({tx1, ty1, tw1});
    s.normal[0] = s.normal[1] = s.normal[2] = 0;
    if (s.out == tx1)
        s.normal[0] = 1;
    else if (s.out == ty1)
        s.normal[1] = 1;
    else
        s.normal[2] = 1;
    return s;
}

// The roots of |p + t d|^2 = 1; false when the ray misses.
bool UnitRoots(const double p[3], const double d[3], int dims, double& t0, double& t1) {
    double a = 0, b = 0, c = -1;
    for (int i = 0; i < dims; ++i) {
        a += d[i] * d[i];
        b += 2 * p[i] * d[i];
        c += p[i] * p[i];
    }
    const double disc = b * b - 4 * a * c;
    if (disc <= 0 || a <= 0) return false;
    const double root = std::sqrt(disc);
    t0 = (-b - root) / (2 * a);
    t1 = (-b + root) / (2 * a);
    return true;
}

void Normalize(double n[3]) {
    const double len = std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]);
    if (len > 0)
        for (int i = 0; i < 3; ++i) n[i] /= len;
}

Interval IntersectCylinder(const WorldBox& b, const Ray& r) {
    Interval s;
    const double cx = (b.lo[0] + b.hi[0]) / 2, cy = (b.lo[1] + b.hi[1]) / 2;
    const double rx = (b.hi[0] - b.lo[0]) / 2, ry = (b.hi[1] - b.lo[1]) / 2;
    if (rx <= 0 || ry <= 0) return s;
    const double p[3] = {(r.x0 - cx) / rx, (r.y0 - cy) / ry, 0};
    const double d[3] = {1 / rx, 1 / ry, 0};
    double ta, tb;
    if (!UnitRoots(p, d, 2, ta, tb)) return s;
    const double tw0 = b.lo[2] / kRayRise, tw1 = b.hi[2] / kRayRise;
    s.in = std::max(ta, tw0);
    s.out = std::min(tb, tw1);
    if (tb <= tw1) {
        s.normal[0] = (r.x0 + s.out - cx) / (rx * rx);
        s.normal[1] = (r.y0 + s.out - cy) / (ry * ry);
        s.normal[2] = 0;
        Normalize(s.normal);
    }
    return s;
}

Interval IntersectEllipsoid(const WorldBox& b, const Ray& r) {
    Interval s;
    double c[3], radius[3];
    for (int i = 0; i < 3; ++i) {
        c[i] = (b.lo[i] + b.hi[i]) / 2;
        radius[i] = (b.hi[i] - b.lo[i]) / 2;
        if (radius[i] <= 0) return s;
    }
    const double p[3] = {(r.x0 - c[0]) / radius[0], (r.y0 - c[1]) / radius[1], (0 - c[2]) / radius[2]};
    const double d[3] = {1 / radius[0], 1 / radius[1], kRayRise / radius[2]};
    if (!UnitRoots(p, d, 3, s.in, s.out)) return s;
    const double at[3] = {r.x0 + s.out, r.y0 + s.out, kRayRise * s.out};
    for (int i = 0; i < 3; ++i) s.normal[i] = (at[i] - c[i]) / (radius[i] * radius[i]);
    Normalize(s.normal);
    return s;
}

// The model's shapes in world units for one rotation, with the tile's footprint when it clips.
struct Scene {
    std::vector<WorldBox> boxes;
    std::vector<SampleShapeKind> kinds;
    std::vector<uint8_t> materials;
    bool clip = false;
    WorldBox clipBox{};
    bool hasShadows = false;
};

Scene MakeScene(const SampleModel& model, int rotation) {
    Scene s;
    for (const SampleShape& shape : model.shapes) {
        s.boxes.push_back(ToWorld(shape.lo, shape.hi, model.tileU, model.tileV, rotation));
        s.kinds.push_back(shape.kind);
        s.materials.push_back(shape.material);
        if (shape.kind == SampleShapeKind::kFloorShadow) s.hasShadows = true;
    }
    s.clip = model.clipToTile;
    s.clipBox = WorldBox{{-0.5, -0.5, -1e6}, {0.5, 0.5, 1e6}};
    return s;
}

struct Hit {
    bool hit = false;
    double t = kNoHit;
    uint8_t material = 0;
    double normal[3] = {0, 0, 1};
};

Hit Cast(const Scene& scene, const Ray& ray) {
    Hit best;
    Interval clip;
    if (scene.clip) {
        clip = IntersectBox(scene.clipBox, ray);
        if (!clip.Hit()) return best;
    }
    for (size_t i = 0; i < scene.boxes.size(); ++i) {
        Interval s;
        switch (scene.kinds[i]) {
            case SampleShapeKind::kBox:
                s = IntersectBox(scene.boxes[i], ray);
                break;
            case SampleShapeKind::kCylinder:
                s = IntersectCylinder(scene.boxes[i], ray);
                break;
            case SampleShapeKind::kEllipsoid:
                s = IntersectEllipsoid(scene.boxes[i], ray);
                break;
            case SampleShapeKind::kFloorShadow:
                continue;
        }
        if (scene.clip && clip.out < s.out) {
            // The shape is cut at the tile's edge: the cut face shows.
            s.out = clip.out;
            std::copy(clip.normal, clip.normal + 3, s.normal);
            s.in = std::max(s.in, clip.in);
        }
        if (!s.Hit() || s.out <= best.t) continue;
        best.hit = true;
        best.t = s.out;
        best.material = scene.materials[i];
        std::copy(s.normal, s.normal + 3, best.normal);
    }
    return best;
}

uint8_t DepthValue(const Ray& ray, double t) {
    const double d = DepthAt(ray.x0 + t, ray.y0 + t, kRayRise * t);
    return static_cast<uint8_t>(std::clamp(std::lround(d), 0l, 254l));
}

int ShadeLevel(const Hit& hit) {
    const double lit = std::max(0.0, hit.normal[0] * kLight[0] + hit.normal[1] * kLight[1] + hit.normal[2] * kLight[2]);
    double shade = 0.28 + 0.72 * lit;
    // Surfaces close to the floor get a little less light.
    const double height = kRayRise * hit.t;
    shade *= 0.8 + 0.2 * std::min(1.0, std::max(0.0, height) / 0.3);
    return static_cast<int>(std::lround(shade * (SamplePalette::kShadeLevels - 1)));
}

// The canvas rectangle (columns [c0, c1), rows [r0, r1)) that the scene can cover, with a margin for edge samples.
void SceneBounds(const Scene& scene, const SampleCanvas& canvas, int32_t& c0, int32_t& r0, int32_t& c1, int32_t& r1) {
    double minX = 1e9, minY = 1e9, maxX = -1e9, maxY = -1e9;
    const double scale = static_cast<double>(1 << canvas.scaleShift);
    for (WorldBox b : scene.boxes) {
        if (scene.clip)
            for (int i = 0; i < 2; ++i) {
                b.lo[i] = std::max(b.lo[i], scene.clipBox.lo[i]);
                b.hi[i] = std::min(b.hi[i], scene.clipBox.hi[i]);
            }
        if (b.lo[0] > b.hi[0] || b.lo[1] > b.hi[1]) continue;
        for (int k = 0; k < 8; ++k) {
            const double x = (k & 1) ? b.hi[0] : b.lo[0];
            const double y = (k & 2) ? b.hi[1] : b.lo[1];
            const double w = (k & 4) ? b.hi[2] : b.lo[2];
            const double sx = 64.0 * (x - y) / scale + canvas.referenceX;
            const double sy = (32.0 * (x + y) - kHeightPixels * w) / scale + canvas.referenceY;
            minX = std::min(minX, sx), maxX = std::max(maxX, sx);
            minY = std::min(minY, sy), maxY = std::max(maxY, sy);
        }
    }
    if (minX > maxX) {
        c0 = r0 = c1 = r1 = 0;
        return;
    }
    c0 = std::clamp(static_cast<int32_t>(std::floor(minX)) - 2, 0, canvas.width);
    r0 = std::clamp(static_cast<int32_t>(std::floor(minY)) - 2, 0, canvas.height);
    c1 = std::clamp(static_cast<int32_t>(std::ceil(maxX)) + 2, 0, canvas.width);
    r1 = std::clamp(static_cast<int32_t>(std::ceil(maxY)) + 2, 0, canvas.height);
}

void ResetImages(const SampleCanvas& canvas, SampleFrameImages& out) {
    out.width = canvas.width;
    out.height = canvas.height;
    const size_t n = static_cast<size_t>(canvas.width) * static_cast<size_t>(canvas.height);
    out.p.assign(n, SamplePalette::kTransparentIndex);
    out.z.assign(n, 255);
    out.a.assign(n, 0);
}

}  // namespace

void RenderSampleFrame(const SampleModel& model, const SamplePalette& palette, int rotation, int zoom,
                       SampleFrameImages& out) {
    const SampleCanvas canvas = GetSampleCanvas(zoom);
    ResetImages(canvas, out);
    const Scene scene = MakeScene(model, rotation);
    int32_t c0, r0, c1, r1;
    SceneBounds(scene, canvas, c0, r0, c1, r1);
    const int32_t w = canvas.width;
    auto at = [w](int32_t r, int32_t c) { return static_cast<size_t>(r) * static_cast<size_t>(w) + c; };
    auto put = [&](size_t i, const Hit& hit, const Ray& ray, uint8_t alpha) {
        out.p[i] = palette.IndexOf(hit.material, ShadeLevel(hit));
        out.z[i] = DepthValue(ray, hit.t);
        out.a[i] = alpha;
    };

    // Centre samples.
    std::vector<uint8_t> inside(out.p.size(), 0);
    for (int32_t r = r0; r < r1; ++r)
        for (int32_t c = c0; c < c1; ++c) {
            const Ray ray = RayThrough(c + 0.5, r + 0.5, canvas);
            const Hit hit = Cast(scene, ray);
            if (!hit.hit) continue;
            inside[at(r, c)] = 1;
            put(at(r, c), hit, ray, 255);
        }

    // Silhouette edges: coverage from 4 x 4 samples; a pixel outside whose samples hit takes the nearest hit.
    auto insideAt = [&](int32_t r, int32_t c) {
        return r >= 0 && c >= 0 && r < canvas.height && c < canvas.width && inside[at(r, c)];
    };
    for (int32_t r = r0; r < r1; ++r)
        for (int32_t c = c0; c < c1; ++c) {
            const bool centre = inside[at(r, c)] != 0;
            if (insideAt(r - 1, c) == centre && insideAt(r + 1, c) == centre && insideAt(r, c - 1) == centre &&
                insideAt(r, c + 1) == centre)
                continue;
            int hits = 0;
            Hit nearest;
            Ray nearestRay{};
            for (int i = 0; i < kSubsamples; ++i)
                for (int j = 0; j < kSubsamples; ++j) {
                    const Ray ray = RayThrough(c + (j + 0.5) / kSubsamples, r + (i + 0.5) / kSubsamples, canvas);
                    const Hit hit = Cast(scene, ray);
                    if (!hit.hit) continue;
                    ++hits;
                    if (hit.t > nearest.t) nearest = hit, nearestRay = ray;
                }
            if (centre) hits = std::max(hits, 1);
            const auto alpha =
                static_cast<uint8_t>(std::min(255l, std::lround(255.0 * hits / (kSubsamples * kSubsamples))));
            const size_t i = at(r, c);
            if ((alpha >> 3) == 0) {
                out.p[i] = SamplePalette::kTransparentIndex;
                out.z[i] = 255;
                out.a[i] = 0;
            } else if (centre) {
                out.a[i] = alpha;
            } else {
                put(i, nearest, nearestRay, alpha);
            }
        }

    // Floor shadows where nothing solid shows.
    if (scene.hasShadows)
        for (int32_t r = r0; r < r1; ++r)
            for (int32_t c = c0; c < c1; ++c) {
                const size_t i = at(r, c);
                if (out.z[i] != 255) continue;
                const Ray ray = RayThrough(c + 0.5, r + 0.5, canvas);
                if (scene.clip && (std::abs(ray.x0) > 0.5 || std::abs(ray.y0) > 0.5)) continue;
                double opacity = 0;
                uint8_t material = 0;
                for (size_t k = 0; k < scene.boxes.size(); ++k) {
                    if (scene.kinds[k] != SampleShapeKind::kFloorShadow) continue;
                    const WorldBox& b = scene.boxes[k];
                    const double rx = (b.hi[0] - b.lo[0]) / 2, ry = (b.hi[1] - b.lo[1]) / 2;
                    if (rx <= 0 || ry <= 0) continue;
                    const double dx = (ray.x0 - (b.lo[0] + b.hi[0]) / 2) / rx;
                    const double dy = (ray.y0 - (b.lo[1] + b.hi[1]) / 2) / ry;
                    const double d2 = dx * dx + dy * dy;
                    if (d2 >= 1) continue;
                    const double o = kShadowOpacity * std::pow(1 - d2, 1.2);
                    if (o > opacity) opacity = o, material = scene.materials[k];
                }
                const auto alpha = static_cast<uint8_t>(std::lround(255.0 * opacity));
                if ((alpha >> 3) == 0) continue;
                out.p[i] = palette.IndexOf(material, kShadowLevel);
                out.z[i] = DepthValue(ray, 0);
                out.a[i] = alpha;
            }

    out.p[0] = SamplePalette::kTransparentIndex;
    out.z[0] = 255;
    out.a[0] = 0;
}

void RenderSampleWallMask(const SampleShape& opening, int rotation, int zoom, SampleFrameImages& out) {
    const SampleCanvas canvas = GetSampleCanvas(zoom);
    out.width = canvas.width;
    out.height = canvas.height;
    out.p.assign(static_cast<size_t>(canvas.width) * static_cast<size_t>(canvas.height), 255);
    out.z.clear();
    out.a.clear();
    Scene scene;
    scene.boxes.push_back(ToWorld(opening.lo, opening.hi, 0, 0, rotation));
    scene.kinds.push_back(SampleShapeKind::kBox);
    scene.materials.push_back(0);
    int32_t c0, r0, c1, r1;
    SceneBounds(scene, canvas, c0, r0, c1, r1);
    for (int32_t r = r0; r < r1; ++r)
        for (int32_t c = c0; c < c1; ++c) {
            const Ray ray = RayThrough(c + 0.5, r + 0.5, canvas);
            const Interval s = IntersectBox(scene.boxes[0], ray);
            if (s.Hit()) out.p[static_cast<size_t>(r) * static_cast<size_t>(canvas.width) + c] = DepthValue(ray, s.out);
        }
}

Rect FindOpaqueBounds(const SampleFrameImages& frame) {
    int32_t top = frame.height, left = frame.width, bottom = 0, right = 0;
    for (int32_t r = 0; r < frame.height; ++r) {
        const uint8_t* row = frame.z.data() + static_cast<size_t>(r) * static_cast<size_t>(frame.width);
        for (int32_t c = 0; c < frame.width; ++c)
            if (row[c] != 255) {
                top = std::min(top, r), bottom = std::max(bottom, r + 1);
                left = std::min(left, c), right = std::max(right, c + 1);
            }
    }
    if (top >= bottom) return Rect{};
    return Rect{static_cast<int16_t>(top), static_cast<int16_t>(left), static_cast<int16_t>(bottom),
                static_cast<int16_t>(right)};
}
