// BoundedString: text with a fixed capacity (capacity - 1 characters); appending past it cuts the text.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <string>
#include <string_view>
#include "platform/AsciiFold.h"

constexpr size_t kResNameCapacity = 64;  // at most 63 characters
constexpr size_t kPathCapacity = 260;

class BoundedString {
public:
    explicit BoundedString(size_t capacity = kResNameCapacity) : capacity_(capacity ? capacity : 1) {}
    BoundedString(std::string_view text, size_t capacity) : capacity_(capacity ? capacity : 1) { Assign(text); }

    size_t Capacity() const { return capacity_; }
    size_t MaxLength() const { return capacity_ - 1; }
    const std::string& Str() const { return text_; }
    const char* CStr() const { return text_.c_str(); }
    size_t Length() const { return text_.size(); }
    bool Empty() const { return text_.empty(); }

    void Clear() { text_.clear(); }
    // Assigns text, cut at its first NUL and at the capacity.
    void Assign(std::string_view text) {
        size_t nul = text.find('\0');
        if (nul != std::string_view::npos) text = text.substr(0, nul);
        text_.assign(text.substr(0, MaxLength()));
    }
    // Assigns text known to hold no NUL, cut at the capacity.
    void AssignWithoutNul(std::string_view text) { text_.assign(text.data(), std::min(text.size(), MaxLength())); }
    void Append(std::string_view text) {
        std::string t = text_;
        t.append(text);
        Assign(t);
    }
    BoundedString& operator=(std::string_view text) {
        Assign(text);
        return *this;
    }
    // Exact comparison of the texts.
    bool operator==(const BoundedString& o) const { return text_ == o.text_; }
    // Comparison that folds only the ASCII letters A to Z; lengths must be equal.
    bool EqualsFolded(std::string_view o) const { return EqualsFoldedAscii(text_, o); }

private:
    size_t capacity_;
    std::string text_;
};
