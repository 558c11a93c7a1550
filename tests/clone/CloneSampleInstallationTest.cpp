// Cloning every object file of the sample installation, archive members included: the clone reopens with the
// chosen objects under fresh GUIDs carrying the cookie, behaviours point at the clone's own objects and still at
// everyone else's, the copy rules hold, and garbage collection leaves nothing unused behind.
#include <gtest/gtest.h>

#include <map>
#include <set>

#include "CloneFixture.h"
#include "app/AppSettings.h"
#include "app/ObjectCatalog.h"
#include "clone/CloneIntoCatalog.h"
#include "clone/RemapBehaviorGuids.h"
#include "objects/strings/StringSet.h"
#include "resfile/StdResFile.h"
#include "support/RecordingHosts.h"
#include "support/SampleInstallationSuite.h"
#include "support/TempDir.h"
#include "tools/CollectGarbage.h"

using namespace clone_test;
using namespace reshaper_test;

namespace {

constexpr int32_t kCookie = 0x12345;

// Every resource of a type, id to data.
std::map<ResID, std::vector<uint8_t>> Resources(iResFile& file, ResType type) {
    std::map<ResID, std::vector<uint8_t>> out;
    for (int32_t i = 1; i <= file.CountResources(type); ++i) {
        DataHandle* h = file.GetIndexedResource(type, i, nullptr);
        if (!h) continue;
        ResID id = 0;
        file.GetID(h, id);
        out[id] = h->bytes;
        file.ReleaseAndFree(h);
    }
    return out;
}

std::set<ResType> Types(iResFile& file) {
    std::set<ResType> types;
    for (int32_t i = 1; i <= file.CountTypes(); ++i) types.insert(file.GetIndexedType(i));
    return types;
}

std::set<ResID> Ids(iResFile& file, ResType type) {
    std::set<ResID> ids;
    for (const auto& [id, bytes] : Resources(file, type)) ids.insert(id);
    return ids;
}

// The GUID operands of a behaviour, in instruction order, over the whole instructions its data holds.
std::vector<uint32_t> GuidOperands(const std::vector<uint8_t>& data) {
    std::vector<uint32_t> out;
    if (data.size() < kBehaviorHeaderSize) return out;
    const size_t stored = static_cast<uint16_t>(data[2] | data[3] << 8);
    const size_t count = std::min(stored, (data.size() - kBehaviorHeaderSize) / kBehaviorInstructionSize);
    for (size_t i = 0; i < count; ++i) {
        const size_t at = kBehaviorHeaderSize + i * kBehaviorInstructionSize;
        const int opcode = (data[at] | data[at + 1] << 8) & 0x7FFF;
        const int kind = data[at + 8] & 0x7F;
        if (opcode == 32 || opcode == 42 || (opcode == 31 && (kind == 4 || kind == 7)))
            out.push_back(GetLE32(data, at + 4));
    }
    return out;
}

class CloneSample : public SampleInstallationSuite {};

TEST_F(CloneSample, EveryFileClonesWithFreshGuidsRemappedBehavioursAndNothingUnused) {

    std::vector<ObjectFile*> sources;
    for (const auto& f : catalog_.Files())
        if (!f->roots.empty()) sources.push_back(f.get());
    ASSERT_GE(sources.size(), 12u);

    size_t mappedOperands = 0, keptOperands = 0, readOnlySources = 0, leadsWithTiles = 0;
    int n = 0;
    for (ObjectFile* source : sources) {
        SCOPED_TRACE(source->path);
        readOnlySources += source->IsEditable() ? 0 : 1;
        // Every GUID the catalogue holds before this clone.
        std::set<uint32_t> known;
        for (const auto& f : catalog_.Files())
            for (const auto& o : f->objects) known.insert(o->definition.guid);

        CloneSettings settings;
        settings.nameText = "clone" + std::to_string(n++);
        settings.cookie = kCookie;
        settings.selectedRoots.assign(source->roots.size(), true);
        const CloneOutcome outcome = RunClone(catalog_, *source, settings);
        ASSERT_TRUE(outcome.ok) << outcome.error;
        ObjectFile& clone = *outcome.file;
        ASSERT_TRUE(clone.file);
        EXPECT_TRUE(clone.IsEditable());

        // The chosen objects: every root with its tiles; a tile without a lead is no one's choice.
        std::map<ResID, const ObjectEntry*> chosen;
        for (const ObjectEntry* root : source->roots) {
            chosen[root->id] = root;
            for (const ObjectEntry* tile : root->tiles) chosen[tile->id] = tile;
            leadsWithTiles += root->tiles.empty() ? 0 : 1;
        }
        std::set<ResID> cloneIds;
        std::set<uint32_t> cloneGuids;
        GuidMap map;
        for (const auto& o : clone.objects) {
            cloneIds.insert(o->id);
            const uint32_t g = o->definition.guid;
            ASSERT_TRUE(chosen.count(o->id)) << o->id;
            const uint32_t old = chosen[o->id]->definition.guid;
            EXPECT_EQ((g >> 8) & 0xFFFF, static_cast<uint32_t>(kCookie) & 0xFFFF);
            EXPECT_TRUE(g != 0 && g != 1 && g != 0xFFFFFFFF);
            EXPECT_FALSE(known.count(g)) << std::hex << g;
            EXPECT_TRUE(cloneGuids.insert(g).second) << "GUID twice in one clone: " << std::hex << g;
            EXPECT_EQ(o->definition.originalguid, old);
            map[old] = g;
        }
        std::set<ResID> chosenIds;
        for (const auto& [id, entry] : chosen) chosenIds.insert(id);
        EXPECT_EQ(cloneIds, chosenIds);

        iResFile& from = *source->file;
        iResFile& to = *clone.file;
        // Behaviours: operands naming a cloned object now name its clone; all others are kept.
        const auto sourceBehaviours = Resources(from, kTypeBHAV);
        const auto cloneBehaviours = Resources(to, kTypeBHAV);
        ASSERT_EQ(cloneBehaviours.size(), sourceBehaviours.size());
        for (const auto& [id, bytes] : sourceBehaviours) {
            ASSERT_TRUE(cloneBehaviours.count(id)) << id;
            const std::vector<uint32_t> before = GuidOperands(bytes);
            const std::vector<uint32_t> after = GuidOperands(cloneBehaviours.at(id));
            ASSERT_EQ(after.size(), before.size());
            for (size_t i = 0; i < before.size(); ++i) {
                const auto found = map.find(before[i]);
                EXPECT_EQ(after[i], found == map.end() ? before[i] : found->second) << "BHAV " << id << " #" << i;
                (found == map.end() ? keptOperands : mappedOperands)++;
            }
        }

        // Catalogue strings: the roots' only; a tile's own set is not followed.
        std::set<ResID> rootStrings;
        for (const ObjectEntry* root : source->roots) rootStrings.insert(root->definition.catalogid);
        for (ResID id : Ids(from, kTypeCTSS))
            EXPECT_EQ(Ids(to, kTypeCTSS).count(id) == 1, rootStrings.count(id) == 1) << "CTSS " << id;
        // Types without a rule come across whole; legacy text sets become STR# sets of the same id.
        const std::set<ResType> ruled = {kTypeCTSS, kTypeDGRP, kTypeOBJD, kTypeOBJf,         kTypeSPRList,
                                         kTypeSPR2, kTypePALT, kTypeSTRList, kTypeCloneStrings, kTypeBHAV};
        for (ResType type : Types(from))
            if (!ruled.count(type)) {
                EXPECT_EQ(Resources(to, type), Resources(from, type)) << std::hex << type;
            }
        for (ResID id : Ids(from, kTypeCloneStrings)) EXPECT_TRUE(Ids(to, kTypeSTRList).count(id)) << id;
        EXPECT_FALSE(Types(to).count(kTypeCloneStrings));
        // Every draw group of a cloned object's range that the source has came along.
        for (const auto& [id, entry] : chosen) {
            const ObjectDefinition& d = entry->definition;
            if (d.basegraphic <= 0) continue;
            for (int k = 0; k < d.numgraphics; ++k)
                if (Ids(from, kTypeDGRP).count(static_cast<ResID>(d.basegraphic + k))) {
                    EXPECT_TRUE(Ids(to, kTypeDGRP).count(static_cast<ResID>(d.basegraphic + k)));
                }
        }
        // The clone already had its garbage collected: a second pass finds nothing.
        EXPECT_EQ(CollectGarbage(clone), 0);
    }
    EXPECT_GE(readOnlySources, 3u);
    EXPECT_GE(leadsWithTiles, 1u);
    EXPECT_GT(mappedOperands, 0u);
    EXPECT_GT(keptOperands, 0u);
    EXPECT_TRUE(prompts_.calls.empty());
}

}  // namespace
