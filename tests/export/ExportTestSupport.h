// ExportTestSupport: small SPR2 sprites built byte by byte, a writable object file holding them, the document's
// parse with expat and the BMP files read back by Python's imaging library.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/ObjectFile.h"
#include "support/RunPython.h"
#include "support/TempDir.h"

namespace export_test {

// One colour-only frame: offsets, size and its pixels row by row (width x height palette indices).
struct TestFrame {
    int16_t x = 0;
    int16_t y = 0;
    uint16_t width = 0;
    uint16_t height = 0;
    int16_t paletteId = -1;  // -1: the sprite's
    std::vector<uint8_t> pixels;
};

// An SPR2 resource: version 1000, the frames, each coded as kRunP rows.
std::vector<uint8_t> MakeSpr2(int32_t paletteId, const std::vector<TestFrame>& frames);
// A PALT resource of 256 colours.
std::vector<uint8_t> MakePalt(const std::vector<std::array<uint8_t, 3>>& colors);
// A frame of w x h pixels all of one index.
TestFrame SolidFrame(uint16_t w, uint16_t h, uint8_t index, int16_t x = 0, int16_t y = 0);

// An object file in a temporary directory, open as the catalogue opens one, that a test fills with resources.
class TestObjectFile {
public:
    TestObjectFile();
    void Put(ResType type, ResID id, const std::string& name, const std::vector<uint8_t>& bytes);
    // Loads the catalogue record (objects, and draw groups, sprites and palettes).
    ObjectFile& Record();
    reshaper_test::TempDir dir;

private:
    ObjectFile record_;
    bool loaded_ = false;
};

// One element of a parsed document.
struct XmlElement {
    std::string name;
    std::vector<std::pair<std::string, std::string>> attributes;  // in document order
    std::vector<std::unique_ptr<XmlElement>> children;
    std::string Attr(const std::string& key) const;
    int AttrInt(const std::string& key) const { return std::stoi(Attr(key)); }
    // Children of that name, in order.
    std::vector<const XmlElement*> Children(const std::string& childName) const;
};
// Parses the text with expat; null, with the parser's message in `error`, when it is not well-formed.
std::unique_ptr<XmlElement> ParseXml(const std::string& text, std::string& error);

// The text of a file.
std::string ReadText(const std::string& hostPath);

using reshaper_test::HavePil;
using reshaper_test::RunPython;

}  // namespace export_test
