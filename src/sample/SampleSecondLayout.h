// SampleSecondLayout: the sample object whose sprites are stored in the second SPR2 layout (version 1001), as
// community tools write them, beside a twin object that shows the same pictures stored as 1000.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "sample/SampleObjects.h"
#include "sample/SampleOutput.h"
#include "sample/SampleRandom.h"

// Where the file lies, and the ids of its two objects: kSampleSecondLayoutObject draws sprites stored as 1001,
// kSampleSecondLayoutTwin the same frames stored as 1000.
constexpr const char* kSampleSecondLayoutPath = "Downloads/Community/Ottoman.iff";
constexpr int16_t kSampleSecondLayoutObject = 128;
constexpr int16_t kSampleSecondLayoutTwin = 129;

// Draws the ottoman and appends its file to `out`. The GUIDs are made in `guids` (keys "ottoman" and
// "ottoman.twin") with `cookie`. False, with the reason in `error`, when a sprite could not be built.
bool BuildSampleSecondLayoutFile(SampleRandom rng, SampleGuids& guids, uint16_t cookie,
                                 std::vector<SampleOutputFile>& out, std::string& error);

// The 1001 form of an SPR2 resource whose frames lie one after another in table order, as this program assembles
// them: the same palette id and frames, each frame preceded by its version 1001 and its byte count. Empty when the
// resource cannot be read that way.
std::vector<uint8_t> ToSequentialSpr2(const std::vector<uint8_t>& tableLayout);
