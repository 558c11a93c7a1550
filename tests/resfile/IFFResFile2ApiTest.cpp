// The iResFile operations of IFF 2.x files: lookups, handles, names, ids, replacing and deleting.
#include <gtest/gtest.h>

#include "IFFBuilder.h"
#include "resfile/IFFResFile2.h"
#include "support/TempDir.h"

using namespace reshaper_test;

namespace {

int gFixups = 0;
void CountingFixup(uint8_t* data, int32_t size) {
    ++gFixups;
    if (size > 0) data[0] ^= 0xFF;
}

class IFFApi : public ::testing::Test {
protected:
    TempDir dir;
    IFFResFile2 f;
    std::string path;
    void SetUp() override {
        auto file = IFFHeader('2', '0', 0);
        AppendChunk(file, kTypeOBJD, 1, 0x00, "Chair", Bytes("raw"));
        AppendChunk(file, kTypeOBJD, 2, 0x10, "Chair0", Bytes("done"));
        AppendChunk(file, kTypeOBJD, 3, 0x00, "Table", Bytes("t"));
        AppendChunk(file, kTypeSTRList, 300, 0x10, "s", Bytes("s"));
        AppendChunk(file, kTypeSTRList, 128, 0x10, "t", Bytes("t"));
        path = dir.Join("api.iff");
        ASSERT_TRUE(WriteFileBytes(path, file));
        ASSERT_EQ(f.Open(path), kNoErr);
    }
    static DataHandle* H(const std::string& s) { return NewHandleFrom(s.data(), static_cast<int32_t>(s.size())); }
};

TEST_F(IFFApi, IndexesAreOneBasedAndChecked) {
    EXPECT_EQ(f.CountTypes(), 2);
    EXPECT_EQ(f.GetIndexedType(0), 0u);
    EXPECT_EQ(f.GetError(), kErrTypeIndex);
    EXPECT_EQ(f.GetIndexedType(3), 0u);
    EXPECT_EQ(f.GetError(), kErrTypeIndex);
    EXPECT_EQ(f.GetIndexedType(2), kTypeSTRList);
    EXPECT_EQ(f.GetIndexedResource(kTypeOBJD, 0, nullptr), nullptr);
    EXPECT_EQ(f.GetError(), kErrNotFound);
    EXPECT_EQ(f.GetIndexedResource(kTypeOBJD, 4, nullptr), nullptr);
    EXPECT_NE(f.GetIndexedResource(kTypeOBJD, 3, nullptr), nullptr);
    EXPECT_EQ(f.CountResources(kTypeBHAV), 0);
    EXPECT_EQ(f.GetNamedResource(kTypeOBJD, "", nullptr), nullptr);
    EXPECT_EQ(f.GetError(), kErrNameNotFound);
}

TEST_F(IFFApi, FetchReturnsOneHandleAndFixesUpOnce) {
    gFixups = 0;
    DataHandle* a = f.GetResource(kTypeOBJD, 1, CountingFixup);
    DataHandle* b = f.GetResource(kTypeOBJD, 1, CountingFixup);
    EXPECT_EQ(a, b);
    EXPECT_EQ(gFixups, 1);
    EXPECT_EQ(a->bytes[0], static_cast<uint8_t>('r' ^ 0xFF));
    EXPECT_TRUE(f.IsConverted(a));
    f.GetResource(kTypeOBJD, 2, CountingFixup);  // stored converted: no fix-up
    EXPECT_EQ(gFixups, 1);
    // Release returns the handle to the caller and the flags to what is stored.
    f.Release(a);
    EXPECT_EQ(f.GetError(), kNoErr);
    DataHandle* c = f.GetResource(kTypeOBJD, 1, nullptr);
    EXPECT_NE(c, nullptr);
    EXPECT_FALSE(f.IsConverted(c));
    FreeHandle(a);
    EXPECT_TRUE(f.IsConverted(a));  // unknown handle
    EXPECT_EQ(f.GetError(), kErrNameNotFound);
}

TEST_F(IFFApi, UniqueNamesAndFreeIds) {
    std::string name = "Lamp";
    f.MakeUniqueName(kTypeOBJD, name);
    EXPECT_EQ(name, "Lamp");
    name = "chair";
    f.MakeUniqueName(kTypeOBJD, name);
    EXPECT_EQ(name, "chair1");
    std::string longName(63, 'x');
    f.Add(H("1"), kTypeBHAV, 1, longName, true);
    name = longName;
    f.MakeUniqueName(kTypeBHAV, name);
    EXPECT_EQ(name, std::string(62, 'x') + "0");

    EXPECT_EQ(f.GetFreeID(kTypeOBJD), 129);
    EXPECT_EQ(f.GetFreeID(kTypeSTRList), 301);
    EXPECT_EQ(f.GetFreeID(kTypeDGRP), 129);
    f.Add(H("1"), kTypeDGRP, 32767, "", true);
    EXPECT_EQ(f.GetFreeID(kTypeDGRP), -32768);
}

TEST_F(IFFApi, AddReplacesInPlaceAndKeepsItsOwnHandle) {
    DataHandle* replacement = H("new");
    f.Add(replacement, kTypeOBJD, 2, "Chair0", true);
    ASSERT_EQ(f.GetError(), kNoErr);
    EXPECT_EQ(f.CountResources(kTypeOBJD), 3);
    EXPECT_EQ(f.GetIndexedResource(kTypeOBJD, 2, nullptr), replacement);

    // Adding the handle the resource already holds must not free it.
    f.Add(replacement, kTypeOBJD, 2, "again", true);
    EXPECT_EQ(f.GetResource(kTypeOBJD, 2, nullptr), replacement);
    EXPECT_EQ(std::string(replacement->bytes.begin(), replacement->bytes.end()), "new");

    // A variant asked for on a plain resource replaces it and becomes that variant.
    DataHandle* v3 = H("v3");
    f.AddVariant(v3, kTypeOBJD, 3, "Table", 3, true);
    EXPECT_EQ(f.CountResources(kTypeOBJD), 3);
    EXPECT_EQ(f.GetVariant(v3), 3);
    EXPECT_EQ(f.GetResource(kTypeOBJD, 3, nullptr), nullptr);
    EXPECT_EQ(f.GetResourceVariant(kTypeOBJD, 3, 3, nullptr), v3);
    EXPECT_EQ(f.GetResourceVariant(kTypeOBJD, 1, 9, nullptr), f.GetResource(kTypeOBJD, 1, nullptr));

    ASSERT_EQ(f.Close(), kNoErr);
    ASSERT_EQ(f.Open(path), kNoErr);
    EXPECT_EQ(f.GetResourceVariant(kTypeOBJD, 3, 3, nullptr)->Size(), 2);
    std::string name;
    f.GetName(f.GetResource(kTypeOBJD, 2, nullptr), name);
    EXPECT_EQ(name, "again");
}

TEST_F(IFFApi, DeleteForgetsTheResourceAndQueriesReportUnknownHandles) {
    DataHandle* h = f.GetResource(kTypeSTRList, 300, nullptr);
    f.Delete(h);
    EXPECT_EQ(f.GetError(), kNoErr);
    EXPECT_EQ(f.CountResources(kTypeSTRList), 1);
    DataHandle other;
    std::string name = "kept?";
    f.GetName(&other, name);
    EXPECT_EQ(f.GetError(), kErrNotFound);
    EXPECT_EQ(name, "");
    EXPECT_EQ(f.GetType(&other), 0u);
    EXPECT_EQ(f.GetError(), kErrNotFound);
    ResID id = 77;
    f.GetID(&other, id);
    EXPECT_EQ(id, 77);
    f.Delete(&other);
    EXPECT_EQ(f.GetError(), kErrNameNotFound);
    f.Delete(f.GetResource(kTypeSTRList, 128, nullptr));
    EXPECT_EQ(f.CountTypes(), 1);
}

TEST_F(IFFApi, SetIdAndRenameReachTheChunkHeader) {
    DataHandle* h = f.GetResource(kTypeOBJD, 3, nullptr);
    f.SetID(h, 40);
    EXPECT_EQ(f.GetError(), kNoErr);
    f.SetInfo(h, 40, std::string(80, 'n'), 0);
    ASSERT_EQ(f.Close(), kNoErr);
    ASSERT_EQ(f.Open(path), kNoErr);
    DataHandle* again = f.GetResource(kTypeOBJD, 40, nullptr);
    ASSERT_NE(again, nullptr);
    std::string name;
    f.GetName(again, name);
    EXPECT_EQ(name, std::string(63, 'n'));
}

TEST_F(IFFApi, ClosedFileRefusesEverything) {
    ASSERT_EQ(f.Close(), kNoErr);
    EXPECT_EQ(f.Close(), kErrNotOpen);
    EXPECT_EQ(f.CountTypes(), 0);
    EXPECT_EQ(f.GetError(), kErrNotOpen);
    EXPECT_EQ(f.GetResource(kTypeOBJD, 1, nullptr), nullptr);
    EXPECT_EQ(f.GetError(), kErrNotOpen);
    std::string p;
    EXPECT_EQ(f.GetPath(p), kErrNotOpen);
    EXPECT_EQ(f.Resume(), kErrOpenFailed);
}

TEST_F(IFFApi, SuspendAndResumeReopenTheSameFile) {
    std::string before;
    f.GetPath(before);
    EXPECT_EQ(before.find('/'), std::string::npos);
    EXPECT_EQ(f.Suspend(), kNoErr);
    EXPECT_FALSE(f.IsOpen());
    EXPECT_EQ(f.Resume(), kNoErr);
    std::string after;
    f.GetPath(after);
    EXPECT_EQ(before, after);
    EXPECT_EQ(f.Open(path), kErrAlreadyOpen);
}

}  // namespace
