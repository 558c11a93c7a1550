// SampleBaseFiles: the fixed set of object files every sample installation holds.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "sample/SampleObjects.h"
#include "sample/SampleOutput.h"

// Builds the files in memory, in the order they are reported: loose object files (with a sprite companion and an
// unlisted text file among them), the internal object file, and the members of the archive. GUIDs are made in
// `guids` under the objects' keys, so that generated files can name them. Everything follows from `seed`.
// Returns false, with the reason in `error`, when a sprite or file could not be built.
bool BuildSampleBaseFiles(uint64_t seed, SampleGuids& guids, std::vector<SampleOutputFile>& out, std::string& error);

// The archive that holds the read-only members, relative to the installation.
constexpr const char* kSampleArchivePath = "GameData/Objects/Furnishings.far";
