// GuidAllocator: new object GUIDs that carry the magic cookie, and the test of whether a GUID is taken.
#pragma once

#include <cstdint>
#include <functional>

class ObjectCatalog;

// GUIDs no object may have: 0, 1 and 0xFFFFFFFF.
bool IsReservedGuid(uint32_t guid);

// True for a reserved GUID, or when any object of any file of the catalogue has this GUID in its copy of the
// object definition.
bool IsGuidInUse(const ObjectCatalog& catalog, uint32_t guid);

// The random part of a new GUID: the millisecond timer shifted left 16, XOR the calendar time, then sixteen
// rounds that mix in three values of rand() each.
uint32_t MixGuidSeed();

// The GUID made from a mixed value: its top and bottom bytes, with the cookie's low 16 bits in bits 8 to 23.
uint32_t ComposeGuid(uint32_t mixed, int32_t cookie);

// Composes GUIDs from successive mixed values until `inUse` refuses one; returns it. `mix` is MixGuidSeed
// unless a caller (a test) supplies its own sequence. Never returns a GUID for which `inUse` is true.
uint32_t AllocateGuid(int32_t cookie, const std::function<bool(uint32_t)>& inUse,
                      const std::function<uint32_t()>& mix = MixGuidSeed);
