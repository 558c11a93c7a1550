// ExportTestSupport: sprite bytes, the test object file, the expat tree builder and the Python runner.
#include "ExportTestSupport.h"

#include <expat.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <fstream>
#include <sstream>

#include "objects/sprites/SpriteFormat.h"
#include "resfile/StdResFile.h"

namespace export_test {

namespace {

void Put16(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}
void Put32(std::vector<uint8_t>& out, uint32_t v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

std::vector<uint8_t> FrameBytes(const TestFrame& f) {
    std::vector<uint8_t> out;
    Put16(out, f.width);
    Put16(out, f.height);
    Put32(out, kColorData);
    Put16(out, static_cast<uint16_t>(f.paletteId));
    Put16(out, 0);
    Put16(out, static_cast<uint16_t>(f.y));
    Put16(out, static_cast<uint16_t>(f.x));
    for (int r = 0; r < f.height; ++r) {
        const int pad = f.width & 1;
        Put16(out, kNL | static_cast<uint32_t>(4 + f.width + pad));
        Put16(out, kRunP | f.width);
        for (int c = 0; c < f.width; ++c) out.push_back(f.pixels[static_cast<size_t>(r * f.width + c)]);
        if (pad) out.push_back(kSpr2PadByte);
    }
    Put16(out, kEOS);
    return out;
}

}  // namespace

std::vector<uint8_t> MakeSpr2(int32_t paletteId, const std::vector<TestFrame>& frames) {
    std::vector<uint8_t> out;
    Put32(out, 1000);
    Put32(out, static_cast<uint32_t>(frames.size()));
    Put32(out, static_cast<uint32_t>(paletteId));
    std::vector<std::vector<uint8_t>> bodies;
    for (const TestFrame& f : frames) bodies.push_back(FrameBytes(f));
    uint32_t at = static_cast<uint32_t>(12 + 4 * frames.size());
    for (const auto& b : bodies) {
        Put32(out, at);
        at += static_cast<uint32_t>(b.size());
    }
    for (const auto& b : bodies) out.insert(out.end(), b.begin(), b.end());
    return out;
}

std::vector<uint8_t> MakePalt(const std::vector<std::array<uint8_t, 3>>& colors) {
    std::vector<uint8_t> out;
    Put32(out, 1);
    Put32(out, 256);
    Put32(out, 0);
    Put32(out, 0);
    for (size_t i = 0; i < 256; ++i) {
        const std::array<uint8_t, 3> c = i < colors.size() ? colors[i] : std::array<uint8_t, 3>{0, 0, 0};
        out.insert(out.end(), c.begin(), c.end());
    }
    return out;
}

TestFrame SolidFrame(uint16_t w, uint16_t h, uint8_t index, int16_t x, int16_t y) {
    TestFrame f;
    f.x = x;
    f.y = y;
    f.width = w;
    f.height = h;
    f.pixels.assign(static_cast<size_t>(w) * h, index);
    return f;
}

TestObjectFile::TestObjectFile() : dir("reshaper-export-") {
    record_.path = dir.Join("test.iff");
    record_.file = std::make_unique<ObjResFile>();
    EXPECT_EQ(record_.file->Create(record_.path), kNoErr);
    EXPECT_EQ(record_.file->Open(record_.path), kNoErr);
}

void TestObjectFile::Put(ResType type, ResID id, const std::string& name, const std::vector<uint8_t>& bytes) {
    DataHandle* h = NewHandleFrom(bytes.data(), static_cast<int32_t>(bytes.size()));
    record_.file->Add(h, type, id, name, true);
    ASSERT_EQ(record_.file->GetError(), kNoErr);
    record_.file->Write(h);
    ASSERT_EQ(record_.file->GetError(), kNoErr);
    record_.file->ReleaseAndFree(h);
    loaded_ = false;
}

ObjectFile& TestObjectFile::Record() {
    if (!loaded_) LoadObjectFile(record_, true);
    loaded_ = true;
    return record_;
}

std::string XmlElement::Attr(const std::string& key) const {
    for (const auto& [k, v] : attributes)
        if (k == key) return v;
    return "<missing " + key + ">";
}

std::vector<const XmlElement*> XmlElement::Children(const std::string& childName) const {
    std::vector<const XmlElement*> out;
    for (const auto& c : children)
        if (c->name == childName) out.push_back(c.get());
    return out;
}

namespace {

struct TreeBuilder {
    std::unique_ptr<XmlElement> root;
    std::vector<XmlElement*> stack;
};

void XMLCALL OnStart(void* user, const XML_Char* name, const XML_Char** attributes) {
    auto* b = static_cast<TreeBuilder*>(user);
    auto e = std::make_unique<XmlElement>();
    e->name = name;
    for (int i = 0; attributes[i]; i += 2) e->attributes.emplace_back(attributes[i], attributes[i + 1]);
    XmlElement* raw = e.get();
    if (b->stack.empty())
        b->root = std::move(e);
    else
        b->stack.back()->children.push_back(std::move(e));
    b->stack.push_back(raw);
}

void XMLCALL OnEnd(void* user, const XML_Char*) { static_cast<TreeBuilder*>(user)->stack.pop_back(); }

}  // namespace

std::unique_ptr<XmlElement> ParseXml(const std::string& text, std::string& error) {
    TreeBuilder builder;
    XML_Parser parser = XML_ParserCreate(nullptr);
    XML_SetUserData(parser, &builder);
    XML_SetElementHandler(parser, OnStart, OnEnd);
    const bool ok = XML_Parse(parser, text.data(), static_cast<int>(text.size()), 1) != XML_STATUS_ERROR;
    if (!ok)
        error = std::string(XML_ErrorString(XML_GetErrorCode(parser))) + " at line " +
                std::to_string(XML_GetCurrentLineNumber(parser));
    XML_ParserFree(parser);
    return ok ? std::move(builder.root) : nullptr;
}

std::string ReadText(const std::string& hostPath) {
    std::ifstream in(hostPath, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

}  // namespace export_test
