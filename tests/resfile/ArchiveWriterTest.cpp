// Tests of the archive writer: its bytes, the file manager reading them back, and the names it refuses.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "resfile/ArchiveWriter.h"
#include "resfile/CTGFileManager.h"
#include "support/ArchiveBytes.h"
#include "support/TempDir.h"

using namespace reshaper_test;

namespace {

std::vector<uint8_t> Data(const std::string& text) { return std::vector<uint8_t>(text.begin(), text.end()); }

TEST(ArchiveWriter, LaysOutHeaderDataAndManifest) {
    ArchiveWriter w;
    ASSERT_TRUE(w.AddMember("Chair.iff", Data("CHAIR")));
    ASSERT_TRUE(w.AddMember("Sub\\Lamp.IFF", Data("LAMP")));
    const uint8_t kExpected[] = {
        'F', 'A', 'R', '!',  'b', 'y', 'A', 'Z',                                   //  0: signature
        1,   0,   0,   0,                                                          //  8: version
        25,  0,   0,   0,                                                          // 12: manifest offset
        'C', 'H', 'A', 'I',  'R',                                                  // 16: data of the first member
        'L', 'A', 'M', 'P',                                                        // 21: data of the second
        2,   0,   0,   0,                                                          // 25: member count
        5,   0,   0,   0,    5,   0,   0,   0,   16,  0,   0,   0,   9,  0, 0, 0,  // 29: lengths, offset, name length
        'C', 'h', 'a', 'i',  'r', '.', 'i', 'f', 'f',                              // 45
        4,   0,   0,   0,    4,   0,   0,   0,   21,  0,   0,   0,   12, 0, 0, 0,  // 54
        'S', 'u', 'b', '\\', 'L', 'a', 'm', 'p', '.', 'I', 'F', 'F',               // 70
    };
    static_assert(sizeof kExpected == 82);
    EXPECT_EQ(w.Build(), std::vector<uint8_t>(kExpected, kExpected + sizeof kExpected));
    EXPECT_EQ(w.GetSize(), 82);
    // An independent writer of the test support makes the same bytes.
    EXPECT_EQ(w.Build(), BuildArchive({{"Chair.iff", "CHAIR"}, {"Sub\\Lamp.IFF", "LAMP"}}));
}

TEST(ArchiveWriter, EmptyArchiveHasOnlyHeaderAndCount) {
    ArchiveWriter w;
    std::vector<uint8_t> bytes = w.Build();
    ASSERT_EQ(bytes.size(), 20u);
    EXPECT_EQ(bytes[12], 16);
    EXPECT_EQ(bytes[16], 0);
}

TEST(ArchiveWriter, RefusesNamesTheFileManagerWouldNotMap) {
    ArchiveWriter w;
    EXPECT_FALSE(w.AddMember("", Data("x")));
    EXPECT_FALSE(w.AddMember("a\\..\\b.iff", Data("x")));
    EXPECT_FALSE(w.AddMember("a//b.iff", Data("x")));
    EXPECT_FALSE(w.AddMember("trailing\\", Data("x")));
    EXPECT_FALSE(w.AddMember(std::string("nul\0.iff", 8), Data("x")));
    EXPECT_FALSE(w.AddMember(std::string(260, 'n'), Data("x")));
    EXPECT_TRUE(w.AddMember(std::string(259, 'n'), Data("x")));
    // The same path in another letter case or separator would never be seen.
    EXPECT_TRUE(w.AddMember("Dir/Chair.iff", Data("x")));
    EXPECT_FALSE(w.AddMember("dir\\CHAIR.IFF", Data("y")));
    EXPECT_EQ(w.CountMembers(), 2u);
}

TEST(ArchiveWriter, FileManagerMapsTheWrittenArchiveReadOnly) {
    TempDir dir;
    ArchiveWriter w;
    std::vector<uint8_t> big(70000);
    for (size_t i = 0; i < big.size(); ++i) big[i] = static_cast<uint8_t>(i * 7 + 3);
    ASSERT_TRUE(w.AddMember("Bookshelf.iff", big));
    ASSERT_TRUE(w.AddMember("Decor/Potted Plant.iff", Data("plant")));
    ASSERT_TRUE(w.AddMember("empty.iff", {}));
    ASSERT_TRUE(w.WriteTo(dir.Join("Pack.far")));

    CTGFileManager fm;
    fm.MapDirectory(dir.Path(), false, true);
    const std::string base = CTGFileManager::NormalizePath(dir.Path()) + "\\";
    EXPECT_EQ(fm.FindEntry(base + "pack.far"), nullptr);  // the archive itself is not listed
    const CTGFileManager::Entry* e = fm.FindEntry(base + "decor\\potted plant.iff");
    ASSERT_NE(e, nullptr);
    EXPECT_TRUE(e->archiveMember);
    EXPECT_FALSE(e->writable);

    EXPECT_EQ(fm.Open(base + "bookshelf.iff", true), nullptr);
    TGOpenFile* f = fm.Open(base + "bookshelf.iff", false);
    ASSERT_NE(f, nullptr);
    std::vector<uint8_t> back(big.size() + 10);
    EXPECT_EQ(f->Read(back.data(), static_cast<int32_t>(back.size())), static_cast<int32_t>(big.size()));
    back.resize(big.size());
    EXPECT_EQ(back, big);
    fm.Close(f);
    f = fm.Open(base + "empty.iff", false);
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(f->GetLength(), 0);
    fm.Close(f);
}

TEST(ArchiveWriter, WriteToAnUnwritablePlaceFails) {
    TempDir dir;
    ArchiveWriter w;
    ASSERT_TRUE(w.AddMember("a.iff", Data("a")));
    EXPECT_FALSE(w.WriteTo(dir.Join("missing/dir/Pack.far")));
}

}  // namespace
