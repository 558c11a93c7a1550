// GuidMap: old object GUID to new object GUID, filled by a clone and handed to the behaviour remapping.
#pragma once

#include <cstdint>
#include <map>

using GuidMap = std::map<uint32_t, uint32_t>;
