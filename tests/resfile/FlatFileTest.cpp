// Tests of FlatFile: the resource layer's error codes over loose files and archive members.
#include <gtest/gtest.h>

#include "platform/FaultInjection.h"
#include "platform/HostFile.h"
#include "resfile/CTGFileManager.h"
#include "resfile/FlatFile.h"
#include "support/ArchiveBytes.h"
#include "support/TempDir.h"

using namespace reshaper_test;

namespace {

class FlatFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(dir.Path().empty());
        ASSERT_TRUE(cwd.Ok());
        ASSERT_TRUE(WriteFileBytes(dir.Join("Objects/Pack.far"), BuildArchive({{"member.iff", "MEMBER"}})));
        ASSERT_TRUE(WriteFileText(dir.Join("Objects/Loose.iff"), "LOOSE"));
        CTGFileManager::Instance().Reset();
        CTGFileManager::Instance().MapDirectory(".\\Objects\\", true, true);
    }
    void TearDown() override {
        FaultInjection::Reset();
        CTGFileManager::Instance().Reset();
    }

    TempDir dir;
    ScopedCurrentDirectory cwd{dir.Path()};
};

TEST_F(FlatFileTest, EveryOperationOnAClosedObjectIsNotOpen) {
    FlatFile f;
    char buf[4];
    int32_t length = 7;
    std::string path = "unchanged";
    EXPECT_FALSE(f.IsOpen());
    EXPECT_EQ(f.Close(), kErrNotOpen);
    EXPECT_EQ(f.Read(buf, 4), kErrNotOpen);
    EXPECT_EQ(f.Write(buf, 4), kErrNotOpen);
    EXPECT_EQ(f.Seek(0), kErrNotOpen);
    EXPECT_EQ(f.SetLength(0), kErrNotOpen);
    EXPECT_EQ(f.Commit(), kErrNotOpen);
    EXPECT_EQ(f.Discard(), kErrNotOpen);
    EXPECT_EQ(f.GetLength(length), kErrNotOpen);
    EXPECT_EQ(f.GetPath(path), kErrNotOpen);
    EXPECT_EQ(length, 7);
    EXPECT_EQ(path, "unchanged");
}

TEST_F(FlatFileTest, CreateAndRemoveCodes) {
    FlatFile f;
    EXPECT_EQ(f.Create(".\\Objects\\loose.IFF"), kErrFileExists);
    EXPECT_EQ(f.Create(".\\objects\\member.iff"), kErrFileExists);
    EXPECT_EQ(f.Create(".\\Missing\\new.iff"), kErrCreateFailed);  // no directory to make it in
    EXPECT_EQ(f.Create(".\\Objects\\New.iff"), kNoErr);
    // A new file reaches the disk with its first commit.
    EXPECT_FALSE(HostFileExists(dir.Join("Objects/New.iff")));
    EXPECT_EQ(f.Create(".\\Objects\\new.iff"), kErrFileExists);

    ASSERT_EQ(f.Open(".\\objects\\new.iff"), kNoErr);
    EXPECT_EQ(f.Create(".\\Objects\\Other.iff"), kErrAlreadyOpen);
    EXPECT_EQ(f.Remove(".\\Objects\\Loose.iff"), kErrAlreadyOpen);
    EXPECT_EQ(f.Open(".\\Objects\\Loose.iff"), kErrAlreadyOpen);
    ASSERT_EQ(f.Commit(), kNoErr);
    ASSERT_EQ(f.Close(), kNoErr);
    EXPECT_EQ(ReadFileBytes(dir.Join("Objects/New.iff")).size(), 0u);

    EXPECT_EQ(f.Remove(".\\Objects\\nothing.iff"), kErrFileNotFound);
    EXPECT_EQ(f.Remove(".\\Objects\\member.iff"), kErrRemoveFailed);
    EXPECT_EQ(f.Remove(".\\Objects\\NEW.iff"), kNoErr);
    EXPECT_EQ(f.Remove(".\\Objects\\new.iff"), kErrFileNotFound);
}

TEST_F(FlatFileTest, LooseFileOpensWritableAndReadsWritesSeeks) {
    FlatFile f;
    EXPECT_EQ(f.Open(".\\Objects\\nothing.iff"), kErrOpenFailed);
    EXPECT_FALSE(f.IsOpen());
    ASSERT_EQ(f.Open(".\\OBJECTS/Loose.IFF"), kNoErr);
    EXPECT_TRUE(f.IsWritable());
    std::string path;
    ASSERT_EQ(f.GetPath(path), kNoErr);
    EXPECT_EQ(path, ".\\objects\\loose.iff");

    char buf[8] = {};
    EXPECT_EQ(f.Read(buf, 5), kNoErr);
    EXPECT_EQ(std::string(buf, 5), "LOOSE");
    EXPECT_EQ(f.Write("++", 2), kNoErr);
    int32_t length = 0;
    ASSERT_EQ(f.GetLength(length), kNoErr);
    EXPECT_EQ(length, 7);
    EXPECT_EQ(f.Seek(7), kNoErr);  // exactly the end
    EXPECT_EQ(f.Read(buf, 1), kErrRead);
    EXPECT_EQ(f.Seek(8), kErrRead);
    EXPECT_EQ(f.Seek(3), kNoErr);
    EXPECT_EQ(f.Read(buf, 8), kErrRead);  // only 4 bytes left
    EXPECT_EQ(f.SetLength(2), kNoErr);
    EXPECT_EQ(f.Commit(), kNoErr);
    EXPECT_EQ(f.Close(), kNoErr);
    EXPECT_EQ(ReadFileBytes(dir.Join("Objects/Loose.iff")), (std::vector<uint8_t>{'L', 'O'}));
}

TEST_F(FlatFileTest, ArchiveMemberOpensReadOnly) {
    FlatFile f;
    ASSERT_EQ(f.Open(".\\Objects\\Member.iff"), kNoErr);
    EXPECT_FALSE(f.IsWritable());
    int32_t length = 0;
    ASSERT_EQ(f.GetLength(length), kNoErr);
    EXPECT_EQ(length, 6);
    char buf[6];
    EXPECT_EQ(f.Read(buf, 6), kNoErr);
    EXPECT_EQ(std::string(buf, 6), "MEMBER");
    EXPECT_EQ(f.Read(buf, 1), kErrRead);  // the archive goes on, the member does not
    EXPECT_EQ(f.Seek(0), kNoErr);
    EXPECT_EQ(f.Write("x", 1), kErrShortWrite);
    EXPECT_EQ(f.SetLength(0), kErrOpenFailed);
    EXPECT_EQ(f.Close(), kNoErr);
    EXPECT_EQ(f.Close(), kErrNotOpen);
}

TEST_F(FlatFileTest, ChangesReachTheDiskOnlyByACommitThatSucceeds) {
    const auto original = ReadFileBytes(dir.Join("Objects/Loose.iff"));
    auto change = [](FlatFile& f) {
        ASSERT_EQ(f.Open(".\\Objects\\Loose.iff"), kNoErr);
        ASSERT_EQ(f.Seek(0), kNoErr);
        EXPECT_EQ(f.Write("abcd", 4), kNoErr);
        EXPECT_EQ(f.SetLength(3), kNoErr);
    };
    // The journal, the file and the sync each fail once: every time the file keeps its bytes, and the failed
    // changes are dropped rather than left for a later commit.
    for (auto op : {FaultInjection::Op::Write, FaultInjection::Op::Flush, FaultInjection::Op::SetLength}) {
        FlatFile f;
        change(f);
        EXPECT_EQ(ReadFileBytes(dir.Join("Objects/Loose.iff")), original);
        FaultInjection::FailNth(op, op == FaultInjection::Op::Write ? 2 : 1);
        EXPECT_NE(f.Commit(), kNoErr);
        FaultInjection::Reset();
        EXPECT_EQ(f.Commit(), kErrShortWrite);
        EXPECT_EQ(f.Close(), kNoErr);
        EXPECT_EQ(ReadFileBytes(dir.Join("Objects/Loose.iff")), original);
        EXPECT_FALSE(HostFileExists(dir.Join("Objects/Loose.iff-journal")));
    }
    FlatFile f;
    change(f);
    EXPECT_EQ(f.Commit(), kNoErr);
    auto now = ReadFileBytes(dir.Join("Objects/Loose.iff"));
    EXPECT_EQ(std::string(now.begin(), now.end()), "abc");
    // What is not committed when the file closes is dropped.
    EXPECT_EQ(f.SetLength(1), kNoErr);
    EXPECT_EQ(f.Close(), kNoErr);
    EXPECT_EQ(ReadFileBytes(dir.Join("Objects/Loose.iff")), now);
}

}  // namespace

TEST_F(FlatFileTest, FilesOutsideMappedDirectoriesOpenAsGivenOrWhateverTheirCase) {
    ASSERT_TRUE(WriteFileText(dir.Join("Other/Mixed.iff"), "MIXED"));
    char buf[5] = {};
    FlatFile exact;
    ASSERT_EQ(exact.Open("Other/Mixed.iff"), kNoErr);
    EXPECT_EQ(exact.Read(buf, 5), kNoErr);
    EXPECT_EQ(exact.Close(), kNoErr);
    // Another case finds the same file, and what is written through it reaches that file.
    FlatFile folded;
    ASSERT_EQ(folded.Open(".\\OTHER\\mixed.IFF"), kNoErr);
    EXPECT_TRUE(folded.IsWritable());
    EXPECT_EQ(folded.Write("m", 1), kNoErr);
    EXPECT_EQ(folded.Commit(), kNoErr);
    EXPECT_EQ(folded.Close(), kNoErr);
    EXPECT_EQ(ReadFileBytes(dir.Join("Other/Mixed.iff")), (std::vector<uint8_t>{'m', 'I', 'X', 'E', 'D'}));
    FlatFile missing;
    EXPECT_EQ(missing.Open("Other/Absent.iff"), kErrOpenFailed);
}
