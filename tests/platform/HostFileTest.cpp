// Tests of host file access, delete and copy, and of the fault injection hook behind writes, flushes and lengths.
#include <gtest/gtest.h>

#include "platform/FaultInjection.h"
#include "platform/HostFile.h"
#include "support/TempDir.h"

using reshaper_test::MakeDirectories;
using reshaper_test::ReadFileBytes;
using reshaper_test::TempDir;
using reshaper_test::WriteFileText;

namespace {

std::vector<uint8_t> Bytes(const std::string& s) { return std::vector<uint8_t>(s.begin(), s.end()); }

class HostFileTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_FALSE(dir.Path().empty()); }
    void TearDown() override { FaultInjection::Reset(); }
    TempDir dir;
};

TEST_F(HostFileTest, CreateReplacesAndReadWriteSeekWork) {
    std::string path = dir.Join("f.bin");
    ASSERT_TRUE(WriteFileText(path, "old contents"));
    auto f = HostFile::Create(path);
    ASSERT_TRUE(f);
    EXPECT_EQ(f->Size(), 0);
    EXPECT_EQ(f->Write("hello world", 11), 11);
    EXPECT_EQ(f->Tell(), 11);
    ASSERT_TRUE(f->Seek(6));
    char buf[16] = {};
    EXPECT_EQ(f->Read(buf, 16), 5);
    EXPECT_EQ(std::string(buf, 5), "world");
    EXPECT_EQ(f->Read(buf, 16), 0);
    EXPECT_FALSE(f->Seek(-1));
    EXPECT_TRUE(f->Flush());
    EXPECT_TRUE(f->Close());
    EXPECT_EQ(ReadFileBytes(path), Bytes("hello world"));
}

TEST_F(HostFileTest, SetLengthCutsAndExtendsWithZerosKeepingThePosition) {
    auto f = HostFile::Create(dir.Join("f.bin"));
    ASSERT_TRUE(f);
    ASSERT_EQ(f->Write("abcdef", 6), 6);
    ASSERT_TRUE(f->SetLength(3));
    EXPECT_EQ(f->Size(), 3);
    EXPECT_EQ(f->Tell(), 6);
    ASSERT_TRUE(f->SetLength(5));
    f->Close();
    EXPECT_EQ(ReadFileBytes(dir.Join("f.bin")), (std::vector<uint8_t>{'a', 'b', 'c', 0, 0}));
}

TEST_F(HostFileTest, OpenRefusesMissingFilesAndDirectoriesAndReadOnlyWritesNothing) {
    EXPECT_FALSE(HostFile::Open(dir.Join("missing"), false));
    ASSERT_TRUE(MakeDirectories(dir.Join("sub")));
    EXPECT_FALSE(HostFile::Open(dir.Join("sub"), false));
    EXPECT_FALSE(HostFile::Create(dir.Join("nowhere/f.bin")));
    ASSERT_TRUE(WriteFileText(dir.Join("r.txt"), "keep"));
    auto f = HostFile::Open(dir.Join("r.txt"), false);
    ASSERT_TRUE(f);
    EXPECT_FALSE(f->IsWritable());
    EXPECT_EQ(f->Write("xx", 2), 0);
    EXPECT_FALSE(f->SetLength(0));
    EXPECT_EQ(f->Size(), 4);
    f.reset();
    EXPECT_EQ(ReadFileBytes(dir.Join("r.txt")), Bytes("keep"));
}

TEST_F(HostFileTest, DeleteAndCopy) {
    ASSERT_TRUE(WriteFileText(dir.Join("a.txt"), "alpha"));
    ASSERT_TRUE(WriteFileText(dir.Join("b.txt"), "beta"));
    EXPECT_FALSE(CopyHostFile(dir.Join("a.txt"), dir.Join("b.txt"), true));
    EXPECT_EQ(ReadFileBytes(dir.Join("b.txt")), Bytes("beta"));
    EXPECT_TRUE(CopyHostFile(dir.Join("a.txt"), dir.Join("b.txt"), false));
    EXPECT_EQ(ReadFileBytes(dir.Join("b.txt")), Bytes("alpha"));
    // A copy onto itself must not empty the file.
    EXPECT_FALSE(CopyHostFile(dir.Join("a.txt"), dir.Join("./a.txt"), false));
    EXPECT_EQ(ReadFileBytes(dir.Join("a.txt")), Bytes("alpha"));
    EXPECT_FALSE(CopyHostFile(dir.Join("missing"), dir.Join("c.txt"), false));

    EXPECT_TRUE(DeleteHostFile(dir.Join("a.txt")));
    EXPECT_FALSE(DeleteHostFile(dir.Join("a.txt")));
    ASSERT_TRUE(MakeDirectories(dir.Join("sub")));
    EXPECT_FALSE(DeleteHostFile(dir.Join("sub")));
}

TEST_F(HostFileTest, FaultInjectionFailsTheKthWriteOnlyWithATornWrite) {
    auto f = HostFile::Create(dir.Join("f.bin"));
    ASSERT_TRUE(f);
    EXPECT_EQ(FaultInjection::GetCount(FaultInjection::Op::Write), 0);  // not counting while unarmed
    ASSERT_EQ(f->Write("1111", 4), 4);
    FaultInjection::FailNth(FaultInjection::Op::Write, 2);
    EXPECT_EQ(f->Write("2222", 4), 4);
    EXPECT_EQ(f->Write("3333", 4), 2);
    EXPECT_EQ(f->Write("4444", 4), 4);
    EXPECT_EQ(FaultInjection::GetCount(FaultInjection::Op::Write), 3);
    EXPECT_EQ(FaultInjection::GetFailures(FaultInjection::Op::Write), 1);
    f->Close();
    EXPECT_EQ(ReadFileBytes(dir.Join("f.bin")), Bytes("11112222334444"));
}

TEST_F(HostFileTest, FaultInjectionPersistentFlushAndSetLengthAndReset) {
    auto f = HostFile::Create(dir.Join("f.bin"));
    ASSERT_TRUE(f);
    FaultInjection::FailNth(FaultInjection::Op::Flush, 1, true);
    FaultInjection::FailNth(FaultInjection::Op::SetLength, 2);
    EXPECT_FALSE(f->Flush());
    EXPECT_FALSE(f->Flush());
    EXPECT_TRUE(f->SetLength(4));
    EXPECT_FALSE(f->SetLength(8));
    EXPECT_EQ(f->Size(), 4);
    EXPECT_EQ(f->Write("ab", 2), 2);  // writes are counted but not failed
    EXPECT_EQ(FaultInjection::GetCount(FaultInjection::Op::Write), 1);
    EXPECT_EQ(FaultInjection::GetFailures(FaultInjection::Op::Flush), 2);
    FaultInjection::Reset();
    EXPECT_TRUE(f->Flush());
    EXPECT_TRUE(f->SetLength(8));
    EXPECT_EQ(FaultInjection::GetCount(FaultInjection::Op::Flush), 0);
}

TEST_F(HostFileTest, FaultInjectionCountsFromWhenItWasArmed) {
    auto f = HostFile::Create(dir.Join("f.bin"));
    ASSERT_TRUE(f);
    FaultInjection::StartCounting();
    f->Write("a", 1);
    f->Write("b", 1);
    // Planned relative to now: the next write after these two.
    FaultInjection::FailNth(FaultInjection::Op::Write, 1);
    EXPECT_EQ(f->Write("cc", 2), 1);
    EXPECT_EQ(FaultInjection::GetCount(FaultInjection::Op::Write), 3);
}

}  // namespace
