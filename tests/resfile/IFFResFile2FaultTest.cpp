// Failing writes and flushes at every point of an update and close: the file always reopens and
// every resource whose write completed reads back intact.
#include <gtest/gtest.h>

#include <map>

#include "IFFBuilder.h"
#include "platform/FaultInjection.h"
#include "resfile/IFFResFile2.h"
#include "support/TempDir.h"

using namespace reshaper_test;

namespace {

std::string Text(const DataHandle* h) { return h ? std::string(h->bytes.begin(), h->bytes.end()) : "<none>"; }

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

struct Outcome {
    bool failed = false;        // the fault was hit
    ResErr closeResult = 0;
};

// One editing session: rewrite 2 with another size, rewrite 3 in place, delete 4, add 7 and 8
// (8 only added, left to Close). Writes done before the failure are recorded in `done`.
Outcome Session(const std::string& p, FaultInjection::Op op, int64_t k, std::map<int, std::string>& expect) {
    IFFResFile2 f;
    EXPECT_EQ(f.Open(p), kNoErr);
    FaultInjection::FailNth(op, k);
    auto write = [&](int id, const std::string& data) {
        DataHandle* h = f.GetResource(kTypeBHAV, static_cast<ResID>(id), nullptr);
        if (!h) {
            h = NewHandle(0);
            f.Add(h, kTypeBHAV, static_cast<ResID>(id), "new", true);
        }
        h->bytes.assign(data.begin(), data.end());
        f.Write(h);
        // A write that failed promises neither the old nor the new bytes.
        if (f.GetError() == kNoErr)
            expect[id] = data;
        else
            expect.erase(id);
    };
    write(2, std::string(55, 'X'));
    write(3, std::string(30, 'Y'));
    DataHandle* four = f.GetResource(kTypeBHAV, 4, nullptr);
    f.Delete(four);
    bool deleted = f.GetError() == kNoErr;
    write(7, "seven");
    f.Add(NewHandleFrom("eight", 5), kTypeBHAV, 8, "", true);
    Outcome o;
    o.closeResult = f.Close();
    o.failed = FaultInjection::GetFailures(op) > 0;
    FaultInjection::Reset();
    if (deleted) expect.erase(4);
    return o;
}

void CheckEveryFailurePoint(FaultInjection::Op op) {
    TempDir dir;
    const auto base = BaseFile(dir);
    std::string p = dir.Join("victim.iff");
    for (int64_t k = 1;; ++k) {
        ASSERT_LT(k, 500) << "the session never stopped reaching the failure point";
        ASSERT_TRUE(WriteFileBytes(p, base));
        std::map<int, std::string> expect;
        for (int id = 1; id <= 6; ++id) expect[id] = std::string(static_cast<size_t>(id * 10), static_cast<char>('a' + id));
        Outcome o = Session(p, op, k, expect);
        if (!o.failed) {
            EXPECT_EQ(o.closeResult, kNoErr);
            break;
        }
        IFFResFile2 f;
        ASSERT_EQ(f.Open(p), kNoErr) << "k=" << k;
        for (const auto& [id, data] : expect) {
            if (id == 4) continue;  // its deletion may or may not have reached the disk
            DataHandle* h = f.GetResource(kTypeBHAV, static_cast<ResID>(id), nullptr);
            EXPECT_EQ(Text(h), data) << "k=" << k << " id=" << id;
        }
        f.Close();
    }
}

TEST(IFFFaults, EveryFailedWriteLeavesAFileThatReopens) { CheckEveryFailurePoint(FaultInjection::Op::Write); }

TEST(IFFFaults, EveryFailedFlushLeavesAFileThatReopens) { CheckEveryFailurePoint(FaultInjection::Op::Flush); }

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
