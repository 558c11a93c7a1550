// SampleObjects: GUIDs and object definition records of the sample objects.
#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <string>

#include "objects/definitions/ObjectDefinition.h"
#include "sample/SampleRandom.h"

// Hands out GUIDs by object key. A GUID carries its maker's cookie in bits 8 to 23 and random bits elsewhere; no two
// are equal and none is 0.
class SampleGuids {
public:
    // The GUID of the key, made on first use with the cookie.
    uint32_t Make(const std::string& key, uint16_t cookie, SampleRandom& rng);
    // The GUID made for the key; 0 when none was.
    uint32_t Get(const std::string& key) const;

private:
    std::map<std::string, uint32_t> byKey_;
    std::set<uint32_t> used_;
};

// Behaviour tree ids the sample objects use for their entry points.
constexpr int16_t kSampleMainTree = 4096;
constexpr int16_t kSampleInitTree = 4097;
constexpr int16_t kSampleHelperTree = 4098;

// A record with the usual values of a catalogue object: current version, the GUID (also as original GUID), the
// catalogue strings id, price and depreciation, the entry point trees, tile width, thumbnail and shadow flags.
ObjectDefinition MakeSampleDefinition(uint32_t guid, int16_t catalogId, int16_t price);
