// Behaviour GUID remapping: which instructions are examined, how far the data is read, and what is written back.
#include <gtest/gtest.h>

#include "../objects/TestObjectFile.h"
#include "CloneFixture.h"
#include "clone/RemapBehaviorGuids.h"
#include "support/RecordingHosts.h"

using namespace clone_test;
using namespace reshaper_test;

namespace {

class Remap : public ::testing::Test {
protected:
    RecordingProgressHost progress;
    ScopedProgressHost scope{&progress};
    void SetUp() override { ProgressBegin("remap", 0, 0); }
};

TEST_F(Remap, OnlyTheThreeGuidInstructionsAreRewritten) {
    GuidMap map = {{100, 200}, {101, 201}, {102, 202}, {103, 203}};
    std::vector<uint8_t> data = BehaviorBytes({{31, 100, 0x84},   // SetToNextParam, kind 4 with the top bit set
                                               {31, 101, 7},      // SetToNextParam, kind 7
                                               {31, 102, 5},      // SetToNextParam, kind 5: no GUID
                                               {0x8020, 103, 0},  // TestObjectType with the top bit set
                                               {42, 999, 0},      // CreateObject of an object outside the map
                                               {0x0100, 100, 4},  // a call: never examined
                                               {0x801F + 0x100, 100, 4}});
    EXPECT_TRUE(RemapBehaviorData(data, map, "tree"));
    EXPECT_EQ(GetLE32(data, 12 + 4), 200u);
    EXPECT_EQ(GetLE32(data, 24 + 4), 201u);
    EXPECT_EQ(GetLE32(data, 36 + 4), 102u);
    EXPECT_EQ(GetLE32(data, 48 + 4), 203u);
    EXPECT_EQ(GetLE32(data, 60 + 4), 999u);
    EXPECT_EQ(GetLE32(data, 72 + 4), 100u);
    EXPECT_EQ(GetLE32(data, 84 + 4), 100u);
    EXPECT_EQ(progress.Text(),
              "<!-- Mapped SetToNextParam guid from 100 to 200 in behavior \"tree\" -->\r\n"
              "<!-- Mapped SetToNextParam guid from 101 to 201 in behavior \"tree\" -->\r\n"
              "<!-- Mapped TestObjectType guid from 103 to 203 in behavior \"tree\" -->\r\n"
              "<!-- Unmapped CreateObject guid 999 in behavior \"tree\" -->\r\n");
}

TEST_F(Remap, CountsAreTrustedOnlyAsFarAsTheDataHoldsWholeInstructions) {
    GuidMap map = {{0xFFFFFFFE, 5}};
    // Count 3, two whole instructions and half of a third.
    std::vector<uint8_t> data = BehaviorBytes({{32, 0xFFFFFFFE, 0}, {32, 0xFFFFFFFE, 0}, {32, 0xFFFFFFFE, 0}}, 3);
    data.resize(12 + 12 * 2 + 6);
    EXPECT_TRUE(RemapBehaviorData(data, map, "cut"));
    EXPECT_EQ(data.size(), 12u + 24 + 6);
    EXPECT_EQ(GetLE32(data, 24 + 4), 5u);
    // The half instruction is left as it was.
    EXPECT_EQ(data[40], 0xFE);
    EXPECT_EQ(data[41], 0xFF);
    EXPECT_EQ(progress.Text(),
              "<!-- Mapped TestObjectType guid from -2 to 5 in behavior \"cut\" -->\r\n"
              "<!-- Mapped TestObjectType guid from -2 to 5 in behavior \"cut\" -->\r\n");
    // No count, a negative count, data too short for a header: nothing is examined.
    std::vector<uint8_t> none = BehaviorBytes({{32, 0xFFFFFFFE, 0}}, 0);
    std::vector<uint8_t> negative = BehaviorBytes({{32, 0xFFFFFFFE, 0}}, -1);
    std::vector<uint8_t> tiny = {0, 0, 1};
    EXPECT_FALSE(RemapBehaviorData(none, map, "none"));
    EXPECT_FALSE(RemapBehaviorData(negative, map, "negative"));
    EXPECT_FALSE(RemapBehaviorData(tiny, map, "tiny"));
}

TEST_F(Remap, OnlyChangedBehavioursAreWrittenBack) {
    objects_test::TestObjectFile<> t;
    Put(t.file, kTypeBHAV, 10, BehaviorBytes({{42, 7, 0}}), "maps");
    Put(t.file, kTypeBHAV, 11, BehaviorBytes({{42, 8, 0}}), "unmapped", false);
    RemapBehaviorGuids(t.file, {{7, 70}});
    t.Reopen();
    EXPECT_EQ(GetLE32(t.Stored(kTypeBHAV, 10), 16), 70u);
    EXPECT_EQ(t.NameOf(kTypeBHAV, 10), "maps");
    // The unmapped behaviour keeps its stored form, converted flag included.
    DataHandle* h = t.file.GetResource(kTypeBHAV, 11, nullptr);
    ASSERT_NE(h, nullptr);
    EXPECT_FALSE(t.file.IsConverted(h));
    t.file.ReleaseAndFree(h);
    EXPECT_NE(progress.Text().find("<!-- Unmapped CreateObject guid 8 in behavior \"unmapped\" -->"),
              std::string::npos);
}

}  // namespace
