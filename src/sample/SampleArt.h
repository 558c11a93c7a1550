// SampleArt: the models of every sample object, drawn from boxes, cylinders and ellipsoids in seeded colours.
#pragma once

#include <cstdint>

#include "sample/SampleModel.h"
#include "sample/SampleRandom.h"

// Each function gives the model of one sprite; the colours (and, for some, proportions) come from `rng`, so one
// seed always draws the same pictures. Shapes stay inside the canvas at every rotation and zoom.
SampleModel MakeArmchairBody(SampleRandom& rng);
SampleModel MakeArmchairCushions(SampleRandom& rng);
SampleModel MakeSoftShadow(float radiusU, float radiusV);
// The whole 2 x 2 table; the tile (h, l) sprite draws it with tileU = h, tileV = l and clipToTile set.
SampleModel MakeDiningTable(SampleRandom& rng);
SampleModel MakeArchedDoor(SampleRandom& rng);
// The opening of the arched door in the wall, for its custom wall style masks.
SampleShape GetArchedDoorOpening();
SampleModel MakeFloorLamp(SampleRandom& rng);
SampleModel MakeGrandfatherClock(SampleRandom& rng);
SampleModel MakeBeanbag(SampleRandom& rng);
SampleModel MakeBones(SampleRandom& rng);
SampleModel MakeBookshelf(SampleRandom& rng);
SampleModel MakeCounter(SampleRandom& rng);
SampleModel MakeStool(SampleRandom& rng);
SampleModel MakePottedPlant(SampleRandom& rng);
SampleModel MakeRoundRug(SampleRandom& rng);
SampleModel MakeSquareRug(SampleRandom& rng);
SampleModel MakeSunflower(SampleRandom& rng);
// The small objects of the generated files: crate, vase, barrel, cube stack and side table, chosen by `variant`
// (taken modulo 5).
SampleModel MakeGeneratedObject(int variant, SampleRandom& rng);
constexpr int kGeneratedVariantKinds = 5;
