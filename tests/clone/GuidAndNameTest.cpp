// GUID allocation from the magic cookie, and clone names: sanitising and the six-digit default.
#include <gtest/gtest.h>

#include <set>

#include "clone/CloneName.h"
#include "clone/GuidAllocator.h"

namespace {

TEST(AllocateGuid, CarriesTheCookieAndSkipsReservedAndTakenGuids) {
    std::set<uint32_t> taken = {0x12000034};
    auto inUse = [&](uint32_t g) { return IsReservedGuid(g) || taken.count(g) != 0; };
    // Cookie 0: the random values 0 and 1 compose to reserved GUIDs and are passed over.
    std::vector<uint32_t> script = {0, 1, 0xAB0000CD};
    size_t i = 0;
    EXPECT_EQ(AllocateGuid(0, inUse, [&] { return script[i++]; }), 0xAB0000CDu);
    // Cookie 0xFFFF: all ones is reserved too.
    std::vector<uint32_t> ones = {0xFFFFFFFF, 0x00000001};
    i = 0;
    EXPECT_EQ(AllocateGuid(0xFFFF, inUse, [&] { return ones[i++]; }), 0x00FFFF01u);
    // Only the cookie's low 16 bits reach bits 8..23, whatever the random middle holds.
    EXPECT_EQ(ComposeGuid(0x12FFFF34, 0x12345), 0x12234534u);
    std::vector<uint32_t> again = {0x12000034, 0x12000035};
    i = 0;
    EXPECT_EQ(AllocateGuid(0, inUse, [&] { return again[i++]; }), 0x12000035u);
    // The real random source with a real cookie.
    for (int n = 0; n < 50; ++n) {
        uint32_t g = AllocateGuid(0x12345, inUse);
        EXPECT_EQ((g >> 8) & 0xFFFF, 0x2345u);
        EXPECT_FALSE(IsReservedGuid(g));
    }
}

TEST(CloneName, SanitisingKeepsAsciiLettersAndDigitsUpTo255) {
    std::string s = "My Sofa #2 (blue)-\xE9t\xE9";
    SanitizeCloneName(s);
    EXPECT_EQ(s, "MySofa2bluet");
    std::string empty = " .,;";
    SanitizeCloneName(empty);
    EXPECT_EQ(empty, "");
    std::string longName(300, 'a');
    SanitizeCloneName(longName);
    EXPECT_EQ(longName.size(), 255u);
}

TEST(CloneName, SixTrailingDigitsCountOnOtherwiseSixRandomOnes) {
    auto never = [] {
        ADD_FAILURE() << "no random value expected";
        return 0;
    };
    EXPECT_EQ(NextCloneNameCandidate("chair000041", never), "chair000042");
    EXPECT_EQ(NextCloneNameCandidate("chair999999", never), "chair1000000");
    // r1 = 1, r2 = 0, r3 = 5: t = ((1 << 8) << 8) ^ 5 = 65541.
    std::vector<int> r = {1, 0, 5, 1, 0, 5, 1, 0, 5};
    size_t i = 0;
    auto scripted = [&] { return r[i++]; };
    EXPECT_EQ(NextCloneNameCandidate("chair", scripted), "chair065541");
    EXPECT_EQ(NextCloneNameCandidate("chair12345", scripted), "chair065541");
    EXPECT_EQ(NextCloneNameCandidate("chair1234567", scripted), "chair065541");
    // Large values are taken modulo a million.
    std::vector<int> big = {0x7FF, 0x7FFFF, 0x7FFFFFF};
    i = 0;
    uint32_t t = ((((0x7FFu << 8) ^ 0x7FFFFu) << 8) ^ 0x7FFFFFFu) % 1000000u;
    char expected[16];
    std::snprintf(expected, sizeof expected, "x%06u", t);
    EXPECT_EQ(NextCloneNameCandidate("x", [&] { return big[i++]; }), expected);
}

TEST(CloneName, TheDefaultTakesTheFileNamePartAndStepsPastTakenNames) {
    std::set<std::string> taken = {"chair000042"};
    auto unique = [&](const std::string& n) { return taken.count(n) == 0; };
    EXPECT_EQ(MakeDefaultCloneName(".\\gamedata\\objects\\chair000041", unique), "chair000043");
    EXPECT_EQ(MakeDefaultCloneName("/tmp/x/chair000099", unique), "chair000100");
    EXPECT_EQ(FileNamePart("plain"), "plain");
    EXPECT_EQ(CloneFilePath("sofa"), ".\\Downloads\\Reshaped\\sofa.iff");
}

}  // namespace
