// SampleLoftBed: the two-storey object of the sample installation: a loft bed over a desk, two tiles long.
#pragma once

#include <string>
#include <vector>

#include "sample/SampleObjects.h"
#include "sample/SampleOutput.h"
#include "sample/SampleRandom.h"

// The GUID keys the file's objects use (made by the caller in `guids` before the file is built).
constexpr const char* kSampleLoftBedKeys[] = {"loftbed", "loftbed.tile0", "loftbed.tile1", "loftbed.tile2",
                                              "loftbed.tile3"};

// Builds "GameData/Objects/Loft Bed.iff": a multi-tile lead and four tiles, two on each storey (subindex 0x0000
// and 0x0100, level offset 0 for the desk below and 1 for the bed above), one sprite and draw group per tile
// sharing one palette, and catalogue texts with Windows-1252 characters and CR LF line breaks. Colours come from
// `rng`. False, with the reason in `error`, when a sprite could not be built.
bool BuildSampleLoftBed(SampleRandom& rng, const SampleGuids& guids, std::vector<SampleOutputFile>& out,
                        std::string& error);
