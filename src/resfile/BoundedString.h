// BoundedString: text with a fixed capacity (capacity - 1 characters); appending past it cuts the text.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include "platform/AsciiFold.h"

constexpr size_t kResNameCapacity = 64;  // at most 63 characters

// The text lives inside the object, NUL-terminated, so that a map of many named entries is decoded
// without a heap block per name. Capacities run from 1 to kResNameCapacity; a larger one is held
// to kResNameCapacity.
class BoundedString {
public:
    explicit BoundedString(size_t capacity = kResNameCapacity) : capacity_(ClampCapacity(capacity)) {}
    BoundedString(std::string_view text, size_t capacity) : capacity_(ClampCapacity(capacity)) { Assign(text); }

    size_t Capacity() const { return capacity_; }
    size_t MaxLength() const { return capacity_ - 1u; }
    std::string_view View() const { return std::string_view(text_, length_); }
    std::string Str() const { return std::string(View()); }
    const char* CStr() const { return text_; }
    size_t Length() const { return length_; }
    bool Empty() const { return length_ == 0; }

    void Clear() { SetLength(0); }
    // Assigns text, cut at its first NUL and at the capacity.
    void Assign(std::string_view text) {
        size_t nul = text.find('\0');
        AssignWithoutNul(nul == std::string_view::npos ? text : text.substr(0, nul));
    }
    // Assigns text known to hold no NUL, cut at the capacity.
    void AssignWithoutNul(std::string_view text) {
        size_t n = std::min(text.size(), MaxLength());
        if (n) std::memmove(text_, text.data(), n);
        SetLength(n);
    }
    void Append(std::string_view text) {
        size_t nul = text.find('\0');
        if (nul != std::string_view::npos) text = text.substr(0, nul);
        size_t n = std::min(text.size(), MaxLength() - length_);
        if (n) std::memcpy(text_ + length_, text.data(), n);
        SetLength(length_ + n);
    }
    BoundedString& operator=(std::string_view text) {
        Assign(text);
        return *this;
    }
    // Exact comparison of the texts.
    bool operator==(const BoundedString& o) const { return View() == o.View(); }
    // Comparison that folds only the ASCII letters A to Z; lengths must be equal.
    bool EqualsFolded(std::string_view o) const { return EqualsFoldedAscii(View(), o); }

private:
    static uint8_t ClampCapacity(size_t capacity) {
        return static_cast<uint8_t>(std::clamp<size_t>(capacity, 1, kResNameCapacity));
    }
    void SetLength(size_t n) {
        length_ = static_cast<uint8_t>(n);
        text_[n] = '\0';
    }

    uint8_t capacity_;
    uint8_t length_ = 0;
    char text_[kResNameCapacity] = {};
};
