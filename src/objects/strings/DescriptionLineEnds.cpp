// DescriptionLineEnds: line ends of descriptions written in the form the stored text uses.
#include "objects/strings/DescriptionLineEnds.h"

namespace {

// The text with every line end written as `lineEnd`.
std::string WithLineEnds(const std::string& text, const char* lineEnd) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r') {
            if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
            out += lineEnd;
        } else if (text[i] == '\n') {
            out += lineEnd;
        } else {
            out += text[i];
        }
    }
    return out;
}

}  // namespace

std::string WithDescriptionLineEnds(const std::string& edited, const std::string& stored) {
    const bool lineFeedsOnly = stored.find("\r\n") == std::string::npos && stored.find('\n') != std::string::npos;
    return WithLineEnds(edited, lineFeedsOnly ? "\n" : "\r\n");
}

bool SameDescription(const std::string& a, const std::string& b) { return WithLineEnds(a, "\n") == WithLineEnds(b, "\n"); }
