// Failing host operations, and crashes, at every point of an editing session and of a compacting close: the file
// is always byte for byte as it was before the session or as the session left it.
#include <gtest/gtest.h>

#include <map>

#include "IFFBuilder.h"
#include "platform/FaultInjection.h"
#include "resfile/IFFResFile2.h"
#include "platform/HostFile.h"
#include "support/CrashRun.h"
#include "support/TempDir.h"

using namespace reshaper_test;

namespace {

// A 2.5 file with a map and six resources.
std::vector<uint8_t> BaseFile(TempDir& dir) {
    std::string p = dir.Join("base.iff");
    IFFResFile2 f;
    f.Create(p);
    f.Open(p);
    for (int id = 1; id <= 6; ++id) {
        std::string data(static_cast<size_t>(id * 10), static_cast<char>('a' + id));
        f.Add(NewHandleFrom(data.data(), static_cast<int32_t>(data.size())), kTypeBHAV, static_cast<ResID>(id),
              "r" + std::to_string(id), true);
    }
    EXPECT_EQ(f.Close(), kNoErr);
    return ReadFileBytes(p);
}

// A file with one large resource, whose deletion makes the close compact.
std::vector<uint8_t> CompactingFile() {
    auto file = IFFHeader('2', '5', 0);
    AppendChunk(file, kTypeBHAV, 1, 0x10, "big", std::vector<uint8_t>(20000, 1));
    AppendChunk(file, kTypeBHAV, 2, 0x10, "small", Bytes("small"));
    return file;
}

// An editing session: rewrite 2 with another size, rewrite 3 in place, delete 4, add 7 and 8 (8 only added,
// left to Close); the close result.
ResErr EditSession(const std::string& p) {
    IFFResFile2 f;
    if (f.Open(p) != kNoErr) return f.GetError();
    auto write = [&](int id, const std::string& data) {
        DataHandle* h = f.GetResource(kTypeBHAV, static_cast<ResID>(id), nullptr);
        if (!h) {
            h = NewHandle(0);
            f.Add(h, kTypeBHAV, static_cast<ResID>(id), "new", true);
        }
        h->bytes.assign(data.begin(), data.end());
        f.Write(h);
    };
    write(2, std::string(55, 'X'));
    write(3, std::string(30, 'Y'));
    f.Delete(f.GetResource(kTypeBHAV, 4, nullptr));
    write(7, "seven");
    f.Add(NewHandleFrom("eight", 5), kTypeBHAV, 8, "", true);
    return f.Close();
}

// A session whose close compacts: the large resource goes, the small one moves down.
ResErr CompactingSession(const std::string& p) {
    IFFResFile2 f;
    if (f.Open(p) != kNoErr) return f.GetError();
    f.Delete(f.GetResource(kTypeBHAV, 1, nullptr));
    return f.Close();
}

struct SessionKind {
    const char* name;
    std::vector<uint8_t> (*base)(TempDir&);
    ResErr (*run)(const std::string&);
};

const SessionKind kSessions[] = {
    {"edit", BaseFile, EditSession},
    {"compacting close", [](TempDir&) { return CompactingFile(); }, CompactingSession},
};

// What a fresh open leaves on the disk (an interrupted commit is rolled back by the open).
std::vector<uint8_t> BytesAfterAFreshOpen(const std::string& p) {
    IFFResFile2 f;
    EXPECT_EQ(f.Open(p), kNoErr);
    EXPECT_EQ(f.Close(), kNoErr);
    return ReadFileBytes(p);
}

TEST(IFFFaults, EveryFailedHostOperationLeavesTheFileAsBeforeOrAsAfter) {
    for (const SessionKind& kind : kSessions) {
        TempDir dir;
        const auto before = kind.base(dir);
        std::string p = dir.Join("victim.iff");
        ASSERT_TRUE(WriteFileBytes(p, before));
        ASSERT_EQ(kind.run(p), kNoErr);
        const auto after = ReadFileBytes(p);
        ASSERT_NE(after, before);
        for (auto op : {FaultInjection::Op::Write, FaultInjection::Op::Flush, FaultInjection::Op::SetLength,
                        FaultInjection::Op::Remove}) {
            for (int64_t k = 1;; ++k) {
                ASSERT_LT(k, 200) << "the session never stopped reaching the failure point";
                ASSERT_TRUE(WriteFileBytes(p, before));
                FaultInjection::FailNth(op, k);
                ResErr result = kind.run(p);
                bool hit = FaultInjection::GetFailures(op) > 0;
                FaultInjection::Reset();
                if (!hit) {
                    EXPECT_EQ(result, kNoErr);
                    break;
                }
                auto now = ReadFileBytes(p);
                // A failure is reported; only one past the commit point leaves the new bytes.
                EXPECT_NE(result, kNoErr) << kind.name << " k=" << k;
                EXPECT_TRUE(now == before || now == after) << kind.name << " op " << int(op) << " k=" << k;
                EXPECT_FALSE(HostFileExists(p + "-journal")) << kind.name << " op " << int(op) << " k=" << k;
            }
        }
    }
}

TEST(IFFFaults, ACrashAtAnyPointLeavesTheFileAsBeforeOrAsAfter) {
    for (const SessionKind& kind : kSessions) {
        TempDir dir;
        const auto before = kind.base(dir);
        std::string p = dir.Join("victim.iff");
        ASSERT_TRUE(WriteFileBytes(p, before));
        ASSERT_EQ(kind.run(p), kNoErr);
        const auto after = ReadFileBytes(p);
        ASSERT_TRUE(WriteFileBytes(p, before));
        int64_t deaths = ForEveryDeath([&] { kind.run(p); },
                                       [&](int64_t k) {
                                           auto now = BytesAfterAFreshOpen(p);
                                           EXPECT_TRUE(now == before || now == after) << kind.name << " k=" << k;
                                           EXPECT_FALSE(HostFileExists(p + "-journal"));
                                           ASSERT_TRUE(WriteFileBytes(p, before));
                                       });
        EXPECT_GT(deaths, 3) << kind.name;
        EXPECT_EQ(ReadFileBytes(p), after) << kind.name;
    }
}

TEST(IFFFaults, CloseReportsAFailedWriteInsteadOfSuccess) {
    TempDir dir;
    std::string p = dir.Join("close.iff");
    ASSERT_TRUE(WriteFileBytes(p, BaseFile(dir)));
    IFFResFile2 f;
    ASSERT_EQ(f.Open(p), kNoErr);
    f.Add(NewHandleFrom("pending", 7), kTypeBHAV, 9, "", true);
    FaultInjection::FailNth(FaultInjection::Op::Write, 1, true);
    EXPECT_EQ(f.Close(), kErrShortWrite);
    FaultInjection::Reset();
    ASSERT_EQ(f.Open(p), kNoErr);
    EXPECT_EQ(f.CountResources(kTypeBHAV), 6);
}

TEST(IFFFaults, FailureInsideCompactionIsReported) {
    TempDir dir;
    auto file = IFFHeader('2', '0', 0);
    AppendChunk(file, kTypeBHAV, 1, 0x10, "big", std::vector<uint8_t>(20000, 1));
    AppendChunk(file, kTypeBHAV, 2, 0x10, "small", Bytes("small"));
    std::string p = dir.Join("compact.iff");
    for (auto op : {FaultInjection::Op::Write, FaultInjection::Op::SetLength}) {
        ASSERT_TRUE(WriteFileBytes(p, file));
        IFFResFile2 f;
        ASSERT_EQ(f.Open(p), kNoErr);
        f.Delete(f.GetResource(kTypeBHAV, 1, nullptr));
        ASSERT_EQ(f.GetError(), kNoErr);
        // Deleting wrote one header; the next write or the cut belongs to the compaction.
        FaultInjection::FailNth(op, 1);
        EXPECT_NE(f.Close(), kNoErr);
        EXPECT_EQ(FaultInjection::GetFailures(op), 1);
        FaultInjection::Reset();
        IFFResFile2 again;
        EXPECT_EQ(again.Open(p), kNoErr);
        again.Close();
    }
}

}  // namespace
