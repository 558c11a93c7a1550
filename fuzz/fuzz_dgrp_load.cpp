// fuzz_dgrp_load: parses the input as draw group data of every layout, and writes back what was read.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "objects/drawing/DrawGroup.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    DrawGroup g;
    if (!g.Parse(data, size)) {
        if (g.CountItemLists() != 0) std::abort();  // a failed read leaves nothing behind
        return 0;
    }
    // Whatever loaded must survive its own round trip.
    std::vector<uint8_t> bytes = g.Serialize();
    DrawGroup back;
    if (!back.Parse(bytes.data(), bytes.size()) || back.CountItemLists() != g.CountItemLists()) std::abort();
    return 0;
}
