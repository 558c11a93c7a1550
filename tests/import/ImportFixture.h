// ImportFixture: an object file in a temporary directory, documents and BMP files written beside it, and the
// recording hosts an import reports to.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/ObjectFile.h"
#include "import/ObjectImporter.h"
#include "objects/drawing/DrawGroup.h"
#include "objects/sprites/Spr2Resource.h"
#include "platform/Bitmap24.h"
#include "platform/Bitmap8.h"
#include "platform/BmpWriter.h"
#include "resfile/IFFResFile2.h"
#include "resfile/StdResFile.h"
#include "support/RecordingHosts.h"
#include "support/TempDir.h"

namespace import_test {

using reshaper_test::RecordingProgressHost;
using reshaper_test::RecordingPromptHost;
using reshaper_test::TempDir;

// The root element's options of the presets: all channels exported, or depth and alpha generated.
inline const char* kAllChannels =
    "exportobjectdefinitions=\"1\" exportdrawgroups=\"1\" exportsprites=\"1\" exportallzooms=\"1\" "
    "exportexpanded=\"1\" exportp=\"1\" exportz=\"1\" exporta=\"1\" generatez=\"0\" generatea=\"0\"";
inline const char* kGenerated =
    "exportobjectdefinitions=\"1\" exportdrawgroups=\"1\" exportsprites=\"1\" exportallzooms=\"0\" "
    "exportexpanded=\"1\" exportp=\"1\" exportz=\"0\" exporta=\"0\" generatez=\"1\" generatea=\"1\" "
    "generatezfar=\"1\" generateasoft=\"1\" smoothsmallzoomcolors=\"1\" smoothsmallzoomedges=\"1\"";

class ImportFixture : public ::testing::Test {
protected:
    TempDir dir;
    ObjectFile record;
    RecordingProgressHost progress;
    RecordingPromptHost prompt;
    ScopedProgressHost progressScope{&progress};
    ScopedPromptHost promptScope{&prompt};
    std::string resPath;  // the resource file's path as it reports it

    // Builds the object file with `fill` (nothing by default), then opens it as the catalogue does.
    void MakeFile(const std::function<void(IFFResFile2&)>& fill = {}) {
        std::string path = dir.Join("object.iff");
        record.file.reset();
        reshaper_test::RemoveTree(path);
        {
            IFFResFile2 f;
            ASSERT_EQ(f.Create(path), kNoErr);
            ASSERT_EQ(f.Open(path), kNoErr);
            if (fill) fill(f);
            ASSERT_EQ(f.Close(), kNoErr);
        }
        auto file = std::make_unique<ObjResFile>();
        ASSERT_EQ(file->Open(dir.Join("object")), kNoErr);
        record.path = path;
        record.file = std::move(file);
        record.file->GetPath(resPath);
        LoadObjectFile(record, true);
    }
    static void Put(IFFResFile2& f, ResType type, ResID id, const std::vector<uint8_t>& bytes, const char* name = "") {
        DataHandle* h = NewHandleFrom(bytes.data(), static_cast<int32_t>(bytes.size()));
        f.AddVariant(h, type, id, name, 0, true);
        f.Write(h);
        f.ReleaseAndFree(h);
    }

    // A document: the root element with the options and the file name of this object file, holding `body`.
    std::string Document(const std::string& options, const std::string& body) const {
        return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<objectsexportedfromthedomizens objectfilename=\"" +
               resPath + "\" " + options + ">\r\n" + body + "</objectsexportedfromthedomizens>\r\n";
    }
    // Writes the document as doc.xml and imports it; returns the error state.
    int Import(const std::string& text) {
        EXPECT_TRUE(reshaper_test::WriteFileText(dir.Join("doc.xml"), text));
        return ImportObjectDocument(record, dir.Join("doc.xml"));
    }
    int ImportBody(const std::string& options, const std::string& body) { return Import(Document(options, body)); }

    std::string Errors() const { return progress.TextInColour(255, 0, 0); }
    std::string FirstMessage() const { return prompt.calls.empty() ? std::string() : prompt.calls[0].text; }

    std::vector<uint8_t> Stored(ResType type, ResID id) {
        DataHandle* h = record.file->GetResource(type, id, nullptr);
        if (!h) return {};
        std::vector<uint8_t> bytes = h->bytes;
        record.file->ReleaseAndFree(h);
        return bytes;
    }
    std::string NameOf(ResType type, ResID id) {
        std::string name;
        if (DataHandle* h = record.file->GetResource(type, id, nullptr)) {
            record.file->GetName(h, name);
            record.file->ReleaseAndFree(h);
        }
        return name;
    }

    // Writes an 8-bit BMP whose pixel (r, c) is pixel(r, c), with the given colours for the used indices (the
    // others grey ramp).
    bool Write8(const std::string& name, int32_t w, int32_t h, const std::function<uint8_t(int32_t, int32_t)>& pixel,
                const std::vector<RgbQuad>& colors = {}) {
        RgbQuad table[256];
        for (int i = 0; i < 256; ++i) {
            auto v = static_cast<uint8_t>(i);
            table[i] = RgbQuad{v, v, v, 0};
        }
        for (size_t i = 0; i < colors.size() && i < 256; ++i) table[i] = colors[i];
        auto b = Bitmap8::Create(w, h, table);
        for (int32_t r = 0; r < h; ++r)
            for (int32_t c = 0; c < w; ++c) b->GetRow(r)[c] = pixel(r, c);
        return WriteBmp(dir.Join(name), *b);
    }
    // Writes a 24-bit BMP whose pixel (r, c) has the colour colour(r, c) (red, green, blue).
    bool Write24(const std::string& name, int32_t w, int32_t h, const std::function<RgbQuad(int32_t, int32_t)>& color) {
        auto b = Bitmap24::Create(w, h);
        for (int32_t r = 0; r < h; ++r)
            for (int32_t c = 0; c < w; ++c) {
                RgbQuad q = color(r, c);
                uint8_t* p = b->GetRow(r) + 3 * c;
                p[0] = q.blue;
                p[1] = q.green;
                p[2] = q.red;
            }
        return WriteBmp(dir.Join(name), *b);
    }
};

}  // namespace import_test
