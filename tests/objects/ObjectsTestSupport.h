// ObjectsTestSupport: small helpers of the object model tests (byte vectors, a scoped current language).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "objects/strings/Languages.h"

namespace objects_test {

template <size_t N>
std::vector<uint8_t> Bytes(const uint8_t (&a)[N]) {
    return std::vector<uint8_t>(a, a + N);
}
// The bytes of a text literal without its terminating NUL.
template <size_t N>
std::vector<uint8_t> TextBytes(const char (&a)[N]) {
    return std::vector<uint8_t>(a, a + N - 1);
}

// Sets the current language for one test and restores it afterwards.
class ScopedGameLanguage {
public:
    explicit ScopedGameLanguage(int code) : previous_(GameLanguage()) { SetGameLanguage(code); }
    ~ScopedGameLanguage() { SetGameLanguage(previous_); }
    ScopedGameLanguage(const ScopedGameLanguage&) = delete;
    ScopedGameLanguage& operator=(const ScopedGameLanguage&) = delete;

private:
    int previous_;
};

}  // namespace objects_test
