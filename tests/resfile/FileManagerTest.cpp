// Tests of the file manager: mapping directories and archives, enumeration, open files, create/delete/exists.
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <thread>

#include "resfile/CTGFileManager.h"
#include "resfile/ResErrors.h"
#include "support/ArchiveBytes.h"
#include "support/TempDir.h"

using namespace reshaper_test;

namespace {

// An archive with two members, one of them in a subdirectory (mixed case, normalised when mapped).
const uint8_t kBaseArchive[] = {
    'F', 'A', 'R', '!', 'b', 'y', 'A', 'Z',  //  0: signature (not checked)
    1, 0, 0, 0,                              //  8: version
    25, 0, 0, 0,                             // 12: manifest offset
    'C', 'H', 'A', 'I', 'R',                 // 16: data of chair.iff
    'L', 'A', 'M', 'P',                      // 21: data of Sub\Lamp.IFF
    2, 0, 0, 0,                              // 25: manifest: member count
    5, 0, 0, 0,                              // 29: member 1: data length
    5, 0, 0, 0,                              // 33:           second length (not used)
    16, 0, 0, 0,                             // 37:           data offset
    9, 0, 0, 0,                              // 41:           name length
    'c', 'h', 'a', 'i', 'r', '.', 'i', 'f', 'f',            // 45: name
    4, 0, 0, 0,                                             // 54: member 2: data length
    4, 0, 0, 0,                                             // 58:           second length
    21, 0, 0, 0,                                            // 62:           data offset
    12, 0, 0, 0,                                            // 66:           name length
    'S', 'u', 'b', '\\', 'L', 'a', 'm', 'p', '.', 'I', 'F', 'F',  // 70: name
};
static_assert(sizeof kBaseArchive == 82);

struct Found {
    std::string name;
    bool isDirectory;
    bool isMember;
    bool operator==(const Found&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Found& f) {
    return os << f.name << (f.isDirectory ? " dir" : "") << (f.isMember ? " member" : "");
}

class FileManagerTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(dir.Path().empty());
        ASSERT_TRUE(MakeDirectories(dir.Join("GameData/Objects")));
        ASSERT_TRUE(cwd.Ok());
        fm.Reset();
    }
    void TearDown() override { fm.Reset(); }

    std::vector<Found> List(const std::string& pattern) {
        std::vector<Found> out;
        TGFindData fd;
        for (bool ok = fm.FindFirst(pattern, fd); ok; ok = fm.FindNext(fd))
            out.push_back({fd.name, fd.isDirectory, fd.isArchiveMember});
        return out;
    }
    std::string ReadAll(const std::string& path) {
        TGOpenFile* f = fm.Open(path, false);
        if (!f) return "<no file>";
        std::string s(static_cast<size_t>(f->GetLength()), '\0');
        int32_t got = f->Read(s.data(), f->GetLength());
        fm.Close(f);
        s.resize(static_cast<size_t>(got));
        return s;
    }
    void WriteArchive(const std::string& relative, const std::vector<uint8_t>& bytes) {
        ASSERT_TRUE(WriteFileBytes(dir.Join(relative), bytes));
    }

    TempDir dir;
    ScopedCurrentDirectory cwd{dir.Path()};
    CTGFileManager& fm = CTGFileManager::Instance();
    const std::string objects = ".\\gamedata\\objects\\";
};

TEST_F(FileManagerTest, ArchiveMembersAreListedBesideLooseFilesAndTheArchiveIsNot) {
    WriteArchive("GameData/Objects/Base.FAR", std::vector<uint8_t>(std::begin(kBaseArchive), std::end(kBaseArchive)));
    ASSERT_TRUE(WriteFileText(dir.Join("GameData/Objects/Table.IFF"), "TABLE"));
    fm.MapDirectory(".\\GameData\\Objects", true, true);

    EXPECT_EQ(List(objects + "*"),
              (std::vector<Found>{{"chair.iff", false, true}, {"sub", true, false}, {"table.iff", false, false}}));
    EXPECT_EQ(List(".\\GAMEDATA\\Objects\\*.IFF"),
              (std::vector<Found>{{"chair.iff", false, true}, {"table.iff", false, false}}));
    EXPECT_EQ(List(objects + "sub\\*"), (std::vector<Found>{{"lamp.iff", false, true}}));
    EXPECT_EQ(List(objects + "?????.iff"),
              (std::vector<Found>{{"chair.iff", false, true}, {"table.iff", false, false}}));
    EXPECT_TRUE(List(".\\gamedata\\unmapped\\*").empty());

    EXPECT_EQ(ReadAll(objects + "chair.iff"), "CHAIR");
    EXPECT_EQ(ReadAll(".\\GameData\\Objects\\SUB\\lamp.iff"), "LAMP");
    EXPECT_EQ(ReadAll(".\\GameData/Objects/Table.iff"), "TABLE");
    const CTGFileManager::Entry* e = fm.FindEntry(objects + "sub\\lamp.iff");
    ASSERT_NE(e, nullptr);
    EXPECT_TRUE(e->archiveMember);
    EXPECT_FALSE(e->writable);
    EXPECT_EQ(e->offset, 21);
    EXPECT_EQ(e->size, 4);
}

TEST_F(FileManagerTest, MembersOpenReadOnlyAndReadsStopAtTheMemberEnd) {
    WriteArchive("GameData/Objects/base.far", std::vector<uint8_t>(std::begin(kBaseArchive), std::end(kBaseArchive)));
    fm.MapDirectory(objects, false, true);
    EXPECT_EQ(fm.Open(objects + "chair.iff", true), nullptr);
    TGOpenFile* f = fm.Open(".\\GameData\\Objects\\Chair.IFF", false);
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(f->GetPath(), objects + "chair.iff");
    EXPECT_FALSE(f->IsWritable());
    EXPECT_EQ(f->GetLength(), 5);
    char buf[16] = {};
    ASSERT_TRUE(f->Seek(3));
    EXPECT_EQ(f->Read(buf, 16), 2);  // "IR", not the next member's bytes
    EXPECT_EQ(std::string(buf, 2), "IR");
    EXPECT_TRUE(f->Seek(5));
    EXPECT_EQ(f->Read(buf, 1), 0);
    EXPECT_FALSE(f->Seek(6));
    EXPECT_FALSE(f->Seek(-1));
    EXPECT_EQ(f->Write("x", 1), 0);
    EXPECT_FALSE(f->SetLength(0));
    fm.Close(f);
    EXPECT_FALSE(fm.Delete(objects + "chair.iff"));
    EXPECT_TRUE(fm.Exists(objects + "CHAIR.iff"));
}

TEST_F(FileManagerTest, FirstMappedArchiveWinsForTheSameMemberPath) {
    WriteArchive("GameData/Objects/a.far", BuildArchive({{"x.iff", "first"}, {"Sub/y.iff", "first-y"}}));
    WriteArchive("GameData/Objects/b.FAR", BuildArchive({{"X.IFF", "second"}, {"sub\\Y.iff", "second-y"},
                                                         {"only-b.iff", "b"}}));
    // Listing order is byte-wise ("Only-B.iff" < "a.far" < "b.FAR" < "x.iff"): a loose file listed after the
    // archives loses to the member, one listed before wins.
    ASSERT_TRUE(WriteFileText(dir.Join("GameData/Objects/x.iff"), "loose"));
    ASSERT_TRUE(WriteFileText(dir.Join("GameData/Objects/Only-B.iff"), "loose-b"));
    fm.MapDirectory(objects, true, true);
    EXPECT_EQ(ReadAll(objects + "x.iff"), "first");
    EXPECT_EQ(ReadAll(objects + "sub\\y.iff"), "first-y");
    EXPECT_EQ(ReadAll(objects + "only-b.iff"), "loose-b");
    EXPECT_EQ(List(objects + "*").size(), 3u);  // only-b.iff, sub, x.iff
}

TEST_F(FileManagerTest, TruncatedManifestMapsTheMembersBeforeTheCut) {
    std::vector<uint8_t> bytes = BuildArchive({{"one.iff", "1"}, {"two.iff", "22"}, {"three.iff", "333"}});
    bytes.resize(bytes.size() - 12);  // cuts into the third member's fixed fields
    WriteArchive("GameData/Objects/cut.far", bytes);
    fm.MapDirectory(objects, false, true);
    EXPECT_EQ(List(objects + "*"), (std::vector<Found>{{"one.iff", false, true}, {"two.iff", false, true}}));
    EXPECT_EQ(ReadAll(objects + "two.iff"), "22");
}

TEST_F(FileManagerTest, OversizeNamesAreRejectedAndMappingGoesOn) {
    std::vector<uint8_t> bytes = BuildArchive({{std::string(260, 'n'), "long"}, {std::string(259, 'm'), "max"},
                                               {"after.iff", "after"}});
    WriteArchive("GameData/Objects/names.far", bytes);
    // Name length of 0x7FFFFFFF: more than the manifest holds.
    std::vector<uint8_t> huge;
    AppendText(huge, "FAR!byAZ");
    AppendUInt32LE(huge, 1);            // version
    AppendUInt32LE(huge, 16);           // manifest offset
    AppendUInt32LE(huge, 1);            // count
    AppendUInt32LE(huge, 0);            // data length
    AppendUInt32LE(huge, 0);            // second length
    AppendUInt32LE(huge, 0);            // data offset
    AppendUInt32LE(huge, 0x7FFFFFFFu);  // name length
    AppendText(huge, "abc");
    WriteArchive("GameData/Objects/huge.far", huge);
    fm.MapDirectory(objects, false, true);
    EXPECT_EQ(List(objects + "*"),
              (std::vector<Found>{{"after.iff", false, true}, {std::string(259, 'm'), false, true}}));
}

TEST_F(FileManagerTest, BrokenHeadersCountsAndMembersMapNothing) {
    auto withManifest = [](int32_t count, uint32_t manifestOffset) {
        std::vector<uint8_t> b = BuildArchive({{"m.iff", "data"}});
        if (manifestOffset) for (int i = 0; i < 4; ++i) b[12 + i] = static_cast<uint8_t>(manifestOffset >> (8 * i));
        uint32_t at = b[12] | (b[13] << 8) | (b[14] << 16) | (static_cast<uint32_t>(b[15]) << 24);
        if (at + 4 <= b.size())
            for (int i = 0; i < 4; ++i) b[at + i] = static_cast<uint8_t>(static_cast<uint32_t>(count) >> (8 * i));
        return b;
    };
    WriteArchive("GameData/Objects/zero.far", withManifest(0, 0));
    WriteArchive("GameData/Objects/negative.far", withManifest(-1, 0));
    WriteArchive("GameData/Objects/pastend.far", withManifest(1, 0xFFFFFFF0u));
    WriteArchive("GameData/Objects/short.far", {'F', 'A', 'R', '!'});
    WriteArchive("GameData/Objects/empty.far", {});
    // Members that would escape the archive's directory or have a negative data offset; one whose data lies past
    // the archive's end is listed and reads come short.
    std::vector<uint8_t> bad = BuildArchive({{"..\\evil.iff", "e"}, {"a\\\\b.iff", "e"}, {".\\c.iff", "e"},
                                             {"\\d.iff", "e"}, {"sub\\", "e"}, {"far.iff", "e"}, {"ok.iff", "ok"}});
    const std::string farName = "far.iff";
    auto nameAt = std::search(bad.begin() + 16 + 8, bad.end(), farName.begin(), farName.end());
    ASSERT_NE(nameAt, bad.end());
    size_t dataOffsetField = static_cast<size_t>(nameAt - bad.begin()) - 16 + 8;  // entry start + 8
    for (int i = 0; i < 3; ++i) bad[dataOffsetField + i] = 0xEE;  // data offset of far.iff past the end
    std::vector<uint8_t> negative = BuildArchive({{"minus.iff", "m"}});
    negative[negative.size() - 9 - 4 - 1] = 0xFF;  // the top byte of minus.iff's data offset (before the name)
    WriteArchive("GameData/Objects/bad.far", bad);
    WriteArchive("GameData/Objects/negative-offset.far", negative);
    fm.MapDirectory(objects, true, true);
    EXPECT_EQ(List(objects + "*"), (std::vector<Found>{{"far.iff", false, true}, {"ok.iff", false, true}}));
    EXPECT_FALSE(fm.Exists(".\\gamedata\\evil.iff"));
    TGOpenFile* past = fm.Open(objects + "far.iff", false);
    ASSERT_NE(past, nullptr);
    char byte = 0;
    EXPECT_EQ(past->Read(&byte, 1), 0);
    fm.Close(past);
}

TEST_F(FileManagerTest, ArchiveThatCannotBeOpenedIsReportedAndSkipped) {
    ASSERT_EQ(::symlink("nowhere.bin", dir.Join("GameData/Objects/Broken.far").c_str()), 0);
    ASSERT_TRUE(WriteFileText(dir.Join("GameData/Objects/keep.iff"), "k"));
    ::testing::internal::CaptureStderr();
    fm.MapDirectory(objects, true, true);
    std::string err = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(err.find("Couldn't Open file '.\\gamedata\\objects\\broken.far' for mapping."), std::string::npos) << err;
    EXPECT_EQ(List(objects + "*"), (std::vector<Found>{{"keep.iff", false, false}}));
}

TEST_F(FileManagerTest, FlagsChooseRecursionAndArchiveReading) {
    WriteArchive("GameData/Objects/base.far", BuildArchive({{"m.iff", "m"}}));
    ASSERT_TRUE(WriteFileText(dir.Join("GameData/Objects/Deeper/Deepest/d.iff"), "d"));
    fm.MapDirectory(".\\GameData\\", false, false);
    EXPECT_EQ(List(".\\gamedata\\*"), (std::vector<Found>{{"objects", true, false}}));
    EXPECT_TRUE(List(objects + "*").empty());  // not recursive: the subdirectory is not registered
    fm.MapDirectory(objects, false, false);
    EXPECT_EQ(List(objects + "*"), (std::vector<Found>{{"base.far", false, false}, {"deeper", true, false}}));
    fm.Reset();
    fm.MapDirectory(".\\GameData", true, true);
    EXPECT_EQ(List(objects + "deeper\\deepest\\*"), (std::vector<Found>{{"d.iff", false, false}}));
    EXPECT_EQ(ReadAll(objects + "deeper\\deepest\\D.IFF"), "d");
    EXPECT_EQ(ReadAll(objects + "m.iff"), "m");
}

TEST_F(FileManagerTest, LinkLoopsAreMappedOnce) {
    ASSERT_EQ(::symlink("..", dir.Join("GameData/Objects/Up").c_str()), 0);
    ASSERT_TRUE(WriteFileText(dir.Join("GameData/Objects/a.iff"), "a"));
    fm.MapDirectory(".\\GameData", true, true);
    EXPECT_EQ(List(objects + "*"), (std::vector<Found>{{"a.iff", false, false}, {"up", true, false}}));
}

TEST_F(FileManagerTest, CreateDeleteAndExists) {
    ASSERT_TRUE(WriteFileText(dir.Join("GameData/Objects/Old.iff"), "old"));
    fm.MapDirectory(objects, true, true);

    EXPECT_FALSE(fm.Create(objects + "OLD.IFF"));  // in the table already
    EXPECT_EQ(ReadAll(objects + "old.iff"), "old");
    ASSERT_TRUE(fm.Create(".\\GameData\\Objects\\MyChair.iff"));
    EXPECT_FALSE(HostFileExists(dir.Join("GameData/Objects/MyChair.iff")));  // on the disk with its first commit
    const CTGFileManager::Entry* e = fm.FindEntry(objects + "mychair.iff");
    ASSERT_NE(e, nullptr);
    EXPECT_TRUE(e->writable);
    EXPECT_FALSE(e->archiveMember);

    // A directory that is not mapped gets no table entry.
    ASSERT_TRUE(MakeDirectories(dir.Join("Downloads/Reshaped")));
    ASSERT_TRUE(fm.Create(".\\downloads\\reshaped\\New.iff"));
    EXPECT_EQ(fm.FindEntry(".\\downloads\\reshaped\\new.iff"), nullptr);
    EXPECT_TRUE(fm.Exists(".\\DOWNLOADS\\Reshaped\\NEW.IFF"));
    EXPECT_FALSE(fm.Create(".\\nowhere\\x.iff"));

    EXPECT_TRUE(fm.Delete(objects + "mychair.iff"));
    EXPECT_EQ(fm.FindEntry(objects + "mychair.iff"), nullptr);
    EXPECT_FALSE(fm.Exists(objects + "mychair.iff"));
    EXPECT_TRUE(fm.Delete(".\\downloads\\reshaped\\new.iff"));
    EXPECT_FALSE(fm.Exists(".\\downloads\\reshaped\\new.iff"));
    EXPECT_FALSE(fm.Delete(".\\downloads\\reshaped\\new.iff"));
    EXPECT_FALSE(fm.Delete(objects));  // a directory is never deleted as a file
    EXPECT_TRUE(fm.Exists(".\\GameData\\Objects\\"));
}

TEST_F(FileManagerTest, LooseFilesWriteExtendAndCut) {
    ASSERT_TRUE(fm.Create(objects + "w.iff"));
    TGOpenFile* f = fm.Open(objects + "w.iff", true);
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(f->Write("abcdef", 6), 6);
    EXPECT_EQ(f->GetLength(), 6);
    EXPECT_FALSE(f->Seek(7));
    ASSERT_TRUE(f->Seek(2));
    EXPECT_EQ(f->Write("XY", 2), 2);
    EXPECT_EQ(f->GetLength(), 6);
    EXPECT_TRUE(f->SetLength(9));
    EXPECT_EQ(f->GetPosition(), 9);
    EXPECT_EQ(f->Write("!", 1), 1);
    EXPECT_TRUE(f->SetLength(4));
    EXPECT_EQ(f->GetLength(), 4);
    char c;
    EXPECT_EQ(f->Read(&c, 1), 0);  // at the new end
    EXPECT_EQ(f->Commit(), kNoErr);
    fm.Close(f);
    EXPECT_EQ(ReadAll(objects + "w.iff"), "abXY");

    TGOpenFile* r = fm.Open(objects + "w.iff", false);
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(r->Write("zz", 2), 0);
    EXPECT_FALSE(r->SetLength(0));
    fm.Close(r);
    EXPECT_EQ(fm.Open(objects + "missing.iff", false), nullptr);
    EXPECT_EQ(fm.Open(objects, false), nullptr);
}

TEST_F(FileManagerTest, MembersSharingOneHandleReadConcurrently) {
    std::string a(4096, 'a'), b(4096, 'b');
    WriteArchive("GameData/Objects/pair.far", BuildArchive({{"a.iff", a}, {"b.iff", b}}));
    fm.MapDirectory(objects, false, true);
    auto reader = [&](const std::string& path, char expected, bool& ok) {
        ok = true;
        for (int round = 0; round < 200 && ok; ++round) {
            TGOpenFile* f = fm.Open(path, false);
            if (!f) { ok = false; break; }
            char buf[512];
            for (int32_t pos = 0; pos < f->GetLength(); pos += 512) {
                if (!f->Seek(pos) || f->Read(buf, 512) != 512) ok = false;
                for (char ch : buf) ok = ok && ch == expected;
            }
            fm.Close(f);
        }
    };
    bool okA = false, okB = false;
    std::thread ta(reader, objects + "a.iff", 'a', std::ref(okA));
    std::thread tb(reader, objects + "b.iff", 'b', std::ref(okB));
    ta.join();
    tb.join();
    EXPECT_TRUE(okA);
    EXPECT_TRUE(okB);
}

TEST_F(FileManagerTest, OpenMemberOutlivesReset) {
    WriteArchive("GameData/Objects/base.far", BuildArchive({{"m.iff", "member"}}));
    fm.MapDirectory(objects, false, true);
    TGOpenFile* f = fm.Open(objects + "m.iff", false);
    ASSERT_NE(f, nullptr);
    fm.Reset();
    EXPECT_FALSE(fm.Exists(objects + "m.iff"));
    char buf[6];
    EXPECT_EQ(f->Read(buf, 6), 6);
    EXPECT_EQ(std::string(buf, 6), "member");
    fm.Close(f);
}

TEST(FileManagerPathTest, NormalisationAndPatterns) {
    EXPECT_EQ(CTGFileManager::NormalizePath(".\\GameData/Objects\\CHAIR.Iff"), ".\\gamedata\\objects\\chair.iff");
    EXPECT_EQ(CTGFileManager::NormalizePath("\xC4\xD6"), "\xC4\xD6");  // only A to Z are folded
    EXPECT_TRUE(CTGFileManager::MatchPattern("Chair.IFF", "*.iff"));
    EXPECT_TRUE(CTGFileManager::MatchPattern("chair.iff", "C?AIR.*"));
    EXPECT_FALSE(CTGFileManager::MatchPattern("chair.iff", "*.spf"));
}

}  // namespace
