// Tests of StoreImportPalette: new ids from 100, sharing an equal palette, the reserved range and the log.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app/ObjectFile.h"
#include "import/ImportPaletteStore.h"
#include "objects/palettes/PalWrap.h"
#include "resfile/DataHandle.h"
#include "resfile/IFFResFile2.h"
#include "resfile/StdResFile.h"
#include "support/RecordingHosts.h"
#include "support/TempDir.h"

using namespace reshaper_test;

namespace {

void Ramp(PaletteColor out[256], int shift) {
    for (int i = 0; i < 256; ++i)
        out[i] = PaletteColor{static_cast<uint8_t>(i + shift), static_cast<uint8_t>(i / 2), static_cast<uint8_t>(255 - i), 0};
}

class PaletteStore : public ::testing::Test {
protected:
    TempDir dir;
    ObjectFile record;
    RecordingProgressHost progress;
    ScopedProgressHost scope{&progress};

    // A file holding palettes with the given ids, opened and loaded as the catalogue does.
    void Make(const std::vector<ResID>& paletteIds) {
        const std::string path = dir.Join("object.iff");
        {
            IFFResFile2 f;
            ASSERT_EQ(f.Create(path), kNoErr);
            ASSERT_EQ(f.Open(path), kNoErr);
            PaletteColor colors[256];
            Ramp(colors, 1);
            const std::vector<uint8_t> bytes = PalWrap::MakePALT(colors);
            for (ResID id : paletteIds) {
                DataHandle* h = NewHandleFrom(bytes.data(), static_cast<int32_t>(bytes.size()));
                f.Add(h, kTypePALT, id, "", false);
                ASSERT_EQ(f.GetError(), kNoErr);
                f.Write(h);
                f.ReleaseAndFree(h);
            }
            ASSERT_EQ(f.Close(), kNoErr);
        }
        auto file = std::make_unique<ObjResFile>();
        ASSERT_EQ(file->Open(dir.Join("object")), kNoErr);
        record.path = path;
        record.file = std::move(file);
        LoadObjectFile(record, true);
        ProgressBegin("import", 0, 0);
    }
    std::vector<uint8_t> Stored(ResID id) {
        DataHandle* h = record.file->GetResource(kTypePALT, id, nullptr);
        if (!h) return {};
        std::vector<uint8_t> bytes = h->bytes;
        record.file->ReleaseAndFree(h);
        return bytes;
    }
};

TEST_F(PaletteStore, NewPaletteTakesIdOneHundredAfterSmallerIdsAndIsWrittenWhole) {
    Make({42, 7});
    PaletteColor colors[256];
    Ramp(colors, 3);
    ResErr err = -1;
    ASSERT_EQ(StoreImportPalette(record, colors, false, 42, &err), 100);
    EXPECT_EQ(err, kNoErr);
    const std::vector<uint8_t> bytes = Stored(100);
    ASSERT_EQ(bytes.size(), 784u);
    EXPECT_EQ(std::vector<uint8_t>(bytes.begin(), bytes.begin() + 16),
              (std::vector<uint8_t>{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(bytes[16 + 3 * 200], 203);
    EXPECT_EQ(bytes[16 + 3 * 200 + 1], 100);
    EXPECT_EQ(bytes[16 + 3 * 200 + 2], 55);
    ASSERT_EQ(record.palettes.size(), 3u);
    EXPECT_EQ(record.palettes.back().id, 100);
    EXPECT_EQ(record.palettes.back().owner, &record);
    const std::string text = progress.Text();
    EXPECT_EQ(text.rfind("<!-- Added new palette id 100, instead of 42 -->\r\nSaved Unique Palette id 100:\r\n00 01 ", 0),
              0u)
        << text;

    // The next new one goes above it; the file keeps both after a reload.
    Ramp(colors, 4);
    EXPECT_EQ(StoreImportPalette(record, colors, false, 100), 101);
    LoadObjectFile(record, true);
    EXPECT_EQ(record.palettes.size(), 4u);
    EXPECT_EQ(Stored(101).size(), 784u);
}

TEST_F(PaletteStore, EqualPaletteIsSharedAndAChangedIdIsLogged) {
    Make({300});
    PaletteColor colors[256];
    Ramp(colors, 1);  // the colours of palette 300
    EXPECT_EQ(StoreImportPalette(record, colors, false, 300), 300);
    EXPECT_EQ(progress.Text().find("Changed"), std::string::npos);
    EXPECT_EQ(progress.Text().rfind("Saved Duplicate Palette id 300:\r\n", 0), 0u);

    progress.calls.clear();
    EXPECT_EQ(StoreImportPalette(record, colors, false, 250), 300);
    EXPECT_EQ(progress.Text().rfind("<!-- Changed palette id 250 to 300 -->\r\nSaved Duplicate Palette id 300:\r\n", 0),
              0u);
    EXPECT_EQ(record.palettes.size(), 1u);

    // Two sprites whose computed palettes are equal share the first one's new palette.
    PaletteColor other[256];
    Ramp(other, 9);
    const ResID first = StoreImportPalette(record, other, false, 500);
    EXPECT_EQ(first, 301);
    EXPECT_EQ(StoreImportPalette(record, other, false, 501), 301);
    EXPECT_EQ(record.palettes.size(), 2u);
}

TEST_F(PaletteStore, ReservedPalettesCompareOnlyTheFreeEntriesAndOnlyWithReservedOnes) {
    Make({});
    PaletteColor colors[256];
    Ramp(colors, 1);
    const ResID reserved = StoreImportPalette(record, colors, true, 5);
    EXPECT_EQ(reserved, 100);
    // The same colours without the reservation are not the same palette.
    EXPECT_EQ(StoreImportPalette(record, colors, false, 5), 101);
    // Differences in the system entries do not matter between reserved palettes.
    colors[3].red ^= 0xFF;
    colors[250].green ^= 0xFF;
    EXPECT_EQ(StoreImportPalette(record, colors, true, 5), 100);
    colors[10].blue ^= 1;
    EXPECT_EQ(StoreImportPalette(record, colors, true, 5), 102);
}

TEST_F(PaletteStore, LogListsTheRangeSixteenToALineInEachEntrysColour) {
    Make({});
    PaletteColor colors[256];
    Ramp(colors, 0);
    StoreImportPalette(record, colors, true, 100);
    std::string expected = "<!-- Added new palette id 100, instead of 100 -->\r\nSaved Unique Palette id 100:";
    int fixed = 0;
    for (int i = 10; i <= 245; ++i) {
        if ((i - 10) % 16 == 0) expected += "\r\n";
        char hex[8];
        std::snprintf(hex, sizeof hex, "%02X ", i);
        expected += hex;
    }
    expected += "\r\n";
    EXPECT_EQ(progress.Text(), expected);
    for (const ProgressCall& call : progress.calls) {
        if (call.kind != ProgressCall::Log || call.style != kProgressStyleFixed) continue;
        const int index = std::stoi(call.text, nullptr, 16);
        EXPECT_EQ(call.red, colors[index].red);
        EXPECT_EQ(call.green, colors[index].green);
        EXPECT_EQ(call.blue, colors[index].blue);
        ++fixed;
    }
    EXPECT_EQ(fixed, 236);
}

TEST_F(PaletteStore, FailureToWriteIsReportedAndRecordsNothing) {
    Make({});
    record.file.reset();
    PaletteColor colors[256];
    Ramp(colors, 0);
    ResErr err = kNoErr;
    EXPECT_EQ(StoreImportPalette(record, colors, false, 100, &err), -1);
    EXPECT_LT(err, 0);
    EXPECT_TRUE(record.palettes.empty());
}

}  // namespace
