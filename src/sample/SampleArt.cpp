// SampleArt: furniture, fittings and small objects made of simple solids.
#include "sample/SampleArt.h"

#include <algorithm>

namespace {

SampleMaterial Vary(SampleRandom& rng, SampleMaterial base, int amount) {
    auto channel = [&](uint8_t v) {
        return static_cast<uint8_t>(std::clamp(v + rng.Between(-amount, amount), 0, 255));
    };
    return SampleMaterial{channel(base.red), channel(base.green), channel(base.blue)};
}

// One of a few base colours, varied a little.
SampleMaterial Pick(SampleRandom& rng, std::initializer_list<SampleMaterial> choices, int amount = 18) {
    const auto* first = choices.begin();
    return Vary(rng, first[rng.Below(static_cast<int32_t>(choices.size()))], amount);
}

const SampleMaterial kShadowColor{20, 16, 28};

SampleMaterial Wood(SampleRandom& rng) {
    return Pick(rng, {{150, 100, 60}, {120, 76, 44}, {178, 132, 84}, {96, 60, 40}});
}
SampleMaterial Fabric(SampleRandom& rng) {
    return Pick(rng, {{70, 110, 170}, {170, 60, 60}, {80, 140, 90}, {190, 150, 70}, {120, 80, 150}}, 24);
}

}  // namespace

SampleModel MakeArmchairBody(SampleRandom& rng) {
    SampleModel m;
    m.materials = {Fabric(rng), Wood(rng)};
    m.Box(-0.36f, -0.34f, 0.14f, 0.36f, 0.36f, 0.40f, 0);   // seat
    m.Box(-0.36f, -0.36f, 0.40f, 0.36f, -0.22f, 0.98f, 0);  // back
    m.Box(-0.36f, -0.22f, 0.40f, -0.25f, 0.36f, 0.64f, 0);  // arms
    m.Box(0.25f, -0.22f, 0.40f, 0.36f, 0.36f, 0.64f, 0);
    for (float u : {-0.31f, 0.31f})
        for (float v : {-0.30f, 0.31f}) m.Cylinder(u, v, 0.035f, 0.0f, 0.14f, 1);
    return m;
}

SampleModel MakeArmchairCushions(SampleRandom& rng) {
    SampleModel m;
    m.materials = {Vary(rng, {226, 214, 170}, 20), Vary(rng, {200, 90, 80}, 30)};
    m.Ellipsoid(-0.25f, -0.22f, 0.33f, 0.25f, 0.34f, 0.52f, 0);   // seat cushion
    m.Ellipsoid(-0.24f, -0.23f, 0.46f, 0.24f, -0.09f, 0.92f, 0);  // back cushion
    m.Ellipsoid(0.02f, -0.08f, 0.48f, 0.22f, 0.04f, 0.70f, 1);    // small pillow
    return m;
}

SampleModel MakeSoftShadow(float radiusU, float radiusV) {
    SampleModel m;
    m.materials = {kShadowColor};
    m.Shadow(-radiusU, -radiusV, radiusU, radiusV, 0);
    return m;
}

SampleModel MakeDiningTable(SampleRandom& rng) {
    SampleModel m;
    m.materials = {Wood(rng), Vary(rng, {70, 44, 30}, 10), Pick(rng, {{210, 200, 180}, {110, 150, 200}}, 12),
                   Vary(rng, {210, 80, 40}, 20), kShadowColor};
    m.Shadow(-0.55f, -0.55f, 1.55f, 1.55f, 4);
    m.Box(-0.46f, -0.46f, 0.72f, 1.46f, 1.46f, 0.80f, 0);   // top, over all four tiles
    m.Box(-0.40f, -0.40f, 0.62f, 1.40f, -0.36f, 0.72f, 1);  // aprons
    m.Box(-0.40f, 1.36f, 0.62f, 1.40f, 1.40f, 0.72f, 1);
    m.Box(-0.40f, -0.36f, 0.62f, -0.36f, 1.36f, 0.72f, 1);
    m.Box(1.36f, -0.36f, 0.62f, 1.40f, 1.36f, 0.72f, 1);
    for (float u : {-0.35f, 1.35f})
        for (float v : {-0.35f, 1.35f}) m.Cylinder(u, v, 0.05f, 0.0f, 0.72f, 1);
    m.Cylinder(0.5f, 0.5f, 0.22f, 0.80f, 0.86f, 2);           // bowl, on the corner all four tiles share
    m.Ellipsoid(0.36f, 0.38f, 0.82f, 0.56f, 0.58f, 1.0f, 3);  // fruit
    m.Ellipsoid(0.48f, 0.46f, 0.82f, 0.66f, 0.64f, 0.98f, 3);
    return m;
}

SampleShape GetArchedDoorOpening() {
    SampleShape s;
    s.kind = SampleShapeKind::kBox;
    s.lo[0] = -0.32f, s.lo[1] = -0.50f, s.lo[2] = 0.0f;
    s.hi[0] = 0.32f, s.hi[1] = -0.40f, s.hi[2] = 2.05f;
    return s;
}

SampleModel MakeArchedDoor(SampleRandom& rng) {
    SampleModel m;
    const SampleMaterial wood = Wood(rng);
    m.materials = {Vary(rng, {236, 230, 214}, 10), wood, Vary(rng, wood, 12), Vary(rng, {214, 170, 60}, 12)};
    m.Box(-0.44f, -0.50f, 0.0f, -0.32f, -0.39f, 2.05f, 0);  // posts
    m.Box(0.32f, -0.50f, 0.0f, 0.44f, -0.39f, 2.05f, 0);
    m.Box(-0.44f, -0.50f, 2.05f, 0.44f, -0.39f, 2.28f, 0);        // lintel
    m.Box(-0.32f, -0.48f, 0.0f, 0.32f, -0.42f, 1.78f, 1);         // door leaf
    m.Ellipsoid(-0.32f, -0.48f, 1.50f, 0.32f, -0.42f, 2.05f, 1);  // its arched top
    for (float w0 : {0.22f, 1.02f}) {                             // raised panels
        m.Box(-0.25f, -0.42f, w0, -0.04f, -0.405f, w0 + 0.62f, 2);
        m.Box(0.04f, -0.42f, w0, 0.25f, -0.405f, w0 + 0.62f, 2);
    }
    m.Ellipsoid(0.19f, -0.42f, 0.94f, 0.25f, -0.36f, 1.0f, 3);  // knob
    return m;
}

SampleModel MakeFloorLamp(SampleRandom& rng) {
    SampleModel m;
    m.materials = {Pick(rng, {{60, 60, 66}, {180, 150, 90}}, 10), Pick(rng, {{240, 226, 180}, {230, 190, 150}}, 12),
                   kShadowColor};
    m.Shadow(-0.26f, -0.26f, 0.26f, 0.26f, 2);
    m.Cylinder(0, 0, 0.17f, 0.0f, 0.04f, 0);
    m.Cylinder(0, 0, 0.025f, 0.04f, 1.42f, 0);
    m.Cylinder(0, 0, 0.21f, 1.28f, 1.66f, 1);
    m.Cylinder(0, 0, 0.05f, 1.66f, 1.70f, 0);
    return m;
}

SampleModel MakeGrandfatherClock(SampleRandom& rng) {
    SampleModel m;
    const SampleMaterial wood = Pick(rng, {{96, 56, 36}, {72, 44, 30}}, 10);
    m.materials = {wood, Vary(rng, wood, 14), Vary(rng, {236, 226, 196}, 8), Vary(rng, {200, 160, 60}, 12)};
    m.Box(-0.22f, -0.17f, 0.0f, 0.22f, 0.17f, 0.30f, 0);   // plinth
    m.Box(-0.17f, -0.13f, 0.30f, 0.17f, 0.13f, 1.50f, 1);  // trunk
    m.Box(-0.21f, -0.16f, 1.50f, 0.21f, 0.16f, 2.10f, 0);  // hood
    m.Ellipsoid(-0.21f, -0.16f, 2.00f, 0.21f, 0.16f, 2.30f, 1);
    m.Ellipsoid(-0.14f, 0.13f, 1.63f, 0.14f, 0.19f, 1.97f, 2);  // face
    m.Box(-0.08f, 0.13f, 0.62f, 0.08f, 0.145f, 1.36f, 3);       // pendulum window
    return m;
}

SampleModel MakeBeanbag(SampleRandom& rng) {
    SampleModel m;
    m.materials = {Fabric(rng), kShadowColor};
    m.Shadow(-0.46f, -0.46f, 0.46f, 0.46f, 1);
    m.Ellipsoid(-0.40f, -0.40f, -0.05f, 0.40f, 0.40f, 0.50f, 0);
    m.Ellipsoid(-0.30f, -0.36f, 0.25f, 0.24f, 0.10f, 0.76f, 0);
    return m;
}

SampleModel MakeBones(SampleRandom& rng) {
    SampleModel m;
    m.materials = {Vary(rng, {232, 226, 210}, 8), Vary(rng, {90, 90, 100}, 8)};
    for (float v : {-0.08f, 0.08f}) m.Cylinder(0, v, 0.05f, 0.0f, 0.80f, 0);
    for (float v : {-0.23f, 0.23f}) m.Cylinder(0, v, 0.035f, 0.78f, 1.30f, 0);
    m.Ellipsoid(-0.13f, -0.19f, 0.74f, 0.13f, 0.19f, 1.36f, 1);
    m.Ellipsoid(-0.10f, -0.10f, 1.38f, 0.10f, 0.10f, 1.62f, 0);
    return m;
}

SampleModel MakeBookshelf(SampleRandom& rng) {
    SampleModel m;
    m.materials = {Wood(rng), Vary(rng, {150, 40, 40}, 30), Vary(rng, {40, 70, 140}, 30), Vary(rng, {50, 110, 60}, 30),
                   Vary(rng, {200, 170, 90}, 30)};
    m.Box(-0.46f, -0.22f, 0.0f, -0.42f, 0.20f, 1.90f, 0);  // sides
    m.Box(0.42f, -0.22f, 0.0f, 0.46f, 0.20f, 1.90f, 0);
    m.Box(-0.42f, -0.22f, 0.0f, 0.42f, -0.19f, 1.90f, 0);  // back
    for (int shelf = 0; shelf <= 5; ++shelf) {
        const float w = 0.02f + 0.37f * static_cast<float>(shelf);
        m.Box(-0.42f, -0.19f, w, 0.42f, 0.20f, w + 0.04f, 0);
        if (shelf == 5) break;
        for (float u = -0.41f; u < 0.38f;) {
            const float width = 0.035f + 0.01f * static_cast<float>(rng.Below(5));
            const float height = 0.22f + 0.02f * static_cast<float>(rng.Below(5));
            const float depth = 0.22f + 0.02f * static_cast<float>(rng.Below(4));
            if (rng.Below(9) != 0)  // now and then a gap
                m.Box(u, -0.18f, w + 0.04f, std::min(u + width, 0.41f), -0.18f + depth, w + 0.04f + height,
                      static_cast<uint8_t>(1 + rng.Below(4)));
            u += width + 0.004f;
        }
    }
    return m;
}

SampleModel MakeCounter(SampleRandom& rng) {
    SampleModel m;
    m.materials = {Pick(rng, {{230, 226, 216}, {110, 130, 150}, {160, 110, 70}}, 10),
                   Pick(rng, {{60, 60, 64}, {200, 196, 186}}, 8), Vary(rng, {170, 170, 180}, 8)};
    m.Box(-0.48f, -0.46f, 0.0f, 0.48f, 0.40f, 0.86f, 0);
    m.Box(-0.50f, -0.49f, 0.86f, 0.50f, 0.46f, 0.93f, 1);
    for (float u0 : {-0.44f, 0.02f}) {
        m.Box(u0, 0.40f, 0.06f, u0 + 0.42f, 0.42f, 0.80f, 0);
        m.Box(u0 + 0.30f, 0.42f, 0.60f, u0 + 0.36f, 0.44f, 0.66f, 2);
    }
    return m;
}

SampleModel MakeStool(SampleRandom& rng) {
    SampleModel m;
    m.materials = {Vary(rng, {150, 150, 160}, 10), Fabric(rng)};
    for (float u : {-0.12f, 0.12f})
        for (float v : {-0.12f, 0.12f}) m.Cylinder(u, v, 0.02f, 0.0f, 0.76f, 0);
    m.Box(-0.14f, -0.14f, 0.30f, 0.14f, 0.14f, 0.32f, 0);
    m.Cylinder(0, 0, 0.19f, 0.76f, 0.84f, 1);
    return m;
}

SampleModel MakePottedPlant(SampleRandom& rng) {
    SampleModel m;
    m.materials = {Vary(rng, {180, 90, 50}, 14), Vary(rng, {60, 130, 50}, 20), Vary(rng, {30, 90, 40}, 14)};
    m.Cylinder(0, 0, 0.17f, 0.0f, 0.34f, 0);
    m.Cylinder(0, 0, 0.19f, 0.30f, 0.36f, 0);
    for (int i = 0; i < 7; ++i) {
        const float u = -0.15f + 0.05f * static_cast<float>(rng.Below(7));
        const float v = -0.15f + 0.05f * static_cast<float>(rng.Below(7));
        const float w = 0.40f + 0.08f * static_cast<float>(rng.Below(8));
        const float r = 0.10f + 0.02f * static_cast<float>(rng.Below(4));
        m.Ellipsoid(u - r, v - r, w - r * 0.8f, u + r, v + r, w + r * 0.8f, static_cast<uint8_t>(1 + (i & 1)));
    }
    return m;
}

SampleModel MakeRoundRug(SampleRandom& rng) {
    SampleModel m;
    m.materials = {Fabric(rng), Pick(rng, {{230, 220, 190}, {60, 50, 80}}, 10)};
    m.Cylinder(0, 0, 0.47f, 0.0f, 0.02f, 0);
    m.Cylinder(0, 0, 0.36f, 0.0f, 0.026f, 1);
    m.Cylinder(0, 0, 0.20f, 0.0f, 0.03f, 0);
    return m;
}

SampleModel MakeSquareRug(SampleRandom& rng) {
    SampleModel m;
    m.materials = {Fabric(rng), Pick(rng, {{230, 220, 190}, {60, 50, 80}}, 10)};
    m.Box(-0.47f, -0.47f, 0.0f, 0.47f, 0.47f, 0.02f, 1);
    m.Box(-0.38f, -0.38f, 0.0f, 0.38f, 0.38f, 0.026f, 0);
    return m;
}

SampleModel MakeSunflower(SampleRandom& rng) {
    SampleModel m;
    m.materials = {Vary(rng, {170, 80, 50}, 12), Vary(rng, {70, 130, 40}, 12), Vary(rng, {240, 200, 40}, 12),
                   Vary(rng, {110, 70, 30}, 10)};
    m.Cylinder(0, 0, 0.14f, 0.0f, 0.28f, 0);
    m.Cylinder(0, 0, 0.022f, 0.28f, 1.30f, 1);
    m.Ellipsoid(-0.16f, -0.06f, 0.70f, 0.0f, 0.04f, 0.78f, 1);   // leaf
    m.Ellipsoid(-0.23f, -0.02f, 1.12f, 0.23f, 0.06f, 1.58f, 2);  // petals
    m.Ellipsoid(-0.11f, 0.02f, 1.24f, 0.11f, 0.10f, 1.46f, 3);   // seeds
    return m;
}

SampleModel MakeGeneratedObject(int variant, SampleRandom& rng) {
    SampleModel m;
    switch (((variant % kGeneratedVariantKinds) + kGeneratedVariantKinds) % kGeneratedVariantKinds) {
        case 0:  // crate
            m.materials = {Wood(rng), Vary(rng, {80, 56, 40}, 10)};
            m.Box(-0.25f, -0.25f, 0.0f, 0.25f, 0.25f, 0.46f, 0);
            for (float w : {0.04f, 0.36f}) m.Box(-0.26f, -0.26f, w, 0.26f, 0.26f, w + 0.06f, 1);
            break;
        case 1:  // vase
            m.materials = {Pick(rng, {{60, 90, 160}, {160, 60, 60}, {220, 210, 190}}, 20)};
            m.Ellipsoid(-0.16f, -0.16f, 0.0f, 0.16f, 0.16f, 0.46f, 0);
            m.Cylinder(0, 0, 0.07f, 0.38f, 0.62f, 0);
            break;
        case 2:  // barrel
            m.materials = {Wood(rng), Vary(rng, {70, 70, 76}, 8)};
            m.Cylinder(0, 0, 0.22f, 0.0f, 0.60f, 0);
            for (float w : {0.08f, 0.48f}) m.Cylinder(0, 0, 0.23f, w, w + 0.05f, 1);
            break;
        case 3:  // stacked cubes
            m.materials = {Fabric(rng), Fabric(rng), Fabric(rng)};
            m.Box(-0.22f, -0.22f, 0.0f, 0.10f, 0.10f, 0.32f, 0);
            m.Box(0.0f, 0.0f, 0.0f, 0.24f, 0.24f, 0.24f, 1);
            m.Box(-0.14f, -0.12f, 0.32f, 0.08f, 0.10f, 0.54f, 2);
            break;
        default:  // side table
            m.materials = {Wood(rng), Pick(rng, {{200, 200, 190}, {60, 60, 60}}, 8)};
            m.Cylinder(0, 0, 0.24f, 0.50f, 0.55f, 0);
            m.Cylinder(0, 0, 0.04f, 0.05f, 0.50f, 1);
            m.Cylinder(0, 0, 0.16f, 0.0f, 0.05f, 1);
            break;
    }
    return m;
}
