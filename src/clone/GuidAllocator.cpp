// GuidAllocator: allocation of object GUIDs from the clock, rand() and the magic cookie.
#include "clone/GuidAllocator.h"

#include <chrono>
#include <cstdlib>
#include <ctime>

#include "app/ObjectCatalog.h"

bool IsReservedGuid(uint32_t guid) { return guid == 0 || guid == 1 || guid == 0xFFFFFFFFu; }

bool IsGuidInUse(const ObjectCatalog& catalog, uint32_t guid) {
    if (IsReservedGuid(guid)) return true;
    for (const auto& file : catalog.Files())
        for (const auto& entry : file->objects)
            if (static_cast<uint32_t>(entry->definition.guid) == guid) return true;
    return false;
}

uint32_t MixGuidSeed() {
    // The millisecond timer counts from an arbitrary start and wraps, as a tick counter does.
    auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
                  .count();
    uint32_t s = (static_cast<uint32_t>(ms) << 16) ^ static_cast<uint32_t>(std::time(nullptr));
    for (int i = 0; i < 16; ++i) {
        uint32_t a = static_cast<uint32_t>(std::rand()) << i;
        a += static_cast<uint32_t>(std::rand());
        s ^= a;
        s *= static_cast<uint32_t>(std::rand());
    }
    return s;
}

uint32_t ComposeGuid(uint32_t mixed, int32_t cookie) {
    return (mixed & 0xFF0000FFu) | ((static_cast<uint32_t>(cookie) & 0xFFFFu) << 8);
}

uint32_t AllocateGuid(int32_t cookie, const std::function<bool(uint32_t)>& inUse,
                      const std::function<uint32_t()>& mix) {
    for (;;) {
        uint32_t g = ComposeGuid(mix(), cookie);
        if (!inUse(g)) return g;
    }
}
