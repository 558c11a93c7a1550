// SampleScale: the generated object files that `--scale N` adds to the sample installation for benchmarks.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "sample/SampleObjects.h"
#include "sample/SampleOutput.h"

// Generated files 0, 1, 2, ... : every fourth one (i % 4 == 3) is a member of an archive
// "ExpansionPack/Packs/PackNNN.far" (as "SetNN/GenNNNNN.iff") holding up to kSampleMembersPerPack of them, the others
// are loose files "Downloads/Generated/SetNN/GenNNNNN.iff" (500 to a directory). Each holds one small object (every
// seventh file two), catalogue texts in five languages, a behaviour tree naming its own object, a base object and the
// previous generated object, and one 12-frame sprite with its palette and draw group; the pictures are drawn once per
// variant (ten of them) and reused. Everything follows from `seed`; GUIDs are made in `guids`.
constexpr int32_t kSampleMembersPerPack = 64;
constexpr int32_t kSampleFilesPerDirectory = 500;

// Hands each file to `sink` as soon as it is built (a false result stops the run). Returns false, with the reason in
// `error`, when a picture could not be built or the sink refused a file.
bool BuildSampleScaleFiles(uint64_t seed, int32_t count, SampleGuids& guids,
                           const std::function<bool(SampleOutputFile&&)>& sink, std::string& error);
