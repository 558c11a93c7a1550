// SampleRandom: the small deterministic random generator of the sample installation (never rand() or the clock).
#pragma once

#include <cstdint>

// A SplitMix64 sequence: the same seed gives the same numbers on every machine and every run.
class SampleRandom {
public:
    explicit SampleRandom(uint64_t seed) : state_(seed) {}

    uint64_t Next() {
        uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    uint32_t Next32() { return static_cast<uint32_t>(Next() >> 32); }
    // A number in 0 .. n - 1 (0 for n <= 0).
    int32_t Below(int32_t n) { return n <= 0 ? 0 : static_cast<int32_t>(Next() % static_cast<uint64_t>(n)); }
    // A number in lo .. hi.
    int32_t Between(int32_t lo, int32_t hi) { return lo + Below(hi - lo + 1); }
    // A number in [0, 1).
    double Unit() { return static_cast<double>(Next() >> 11) * (1.0 / 9007199254740992.0); }
    // A generator of its own for one part of the installation, so that adding draws in one part does not move
    // the numbers of another.
    SampleRandom Fork(uint64_t salt) const { return SampleRandom(state_ ^ (salt * 0xD1B54A32D192ED03ull)); }

private:
    uint64_t state_;
};
