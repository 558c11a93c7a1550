// CloneFixture: a showroom object file built field by field for the clone, remapping and garbage collection tests.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "objects/definitions/ObjectDefinition.h"
#include "objects/drawing/DrawGroup.h"
#include "objects/strings/StringSet.h"
#include "resfile/IFFResFile2.h"

namespace clone_test {

constexpr ResType kTypeOBJf = MakeResType("OBJf");
constexpr ResType kTypeCloneStrings = 0x63737400;  // "cst" and a zero byte

// GUIDs of the showroom's objects, and of an object that lives in another file.
constexpr uint32_t kSofaGuid = 0x11AA0011;
constexpr uint32_t kSofaTileGuid = 0x11AA0012;
constexpr uint32_t kLampGuid = 0x22BB0021;
constexpr uint32_t kDoorGuid = 0x33CC0031;
constexpr uint32_t kOutsideGuid = 0x44DD0041;

inline std::vector<uint8_t> TextBytes(const std::string& s) { return std::vector<uint8_t>(s.begin(), s.end()); }

inline void PutLE16(std::vector<uint8_t>& out, uint16_t v) {
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}
inline void PutLE32(std::vector<uint8_t>& out, uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}
inline uint32_t GetLE32(const std::vector<uint8_t>& b, size_t at) {
    return at + 4 <= b.size()
               ? uint32_t{b[at]} | uint32_t{b[at + 1]} << 8 | uint32_t{b[at + 2]} << 16 | uint32_t{b[at + 3]} << 24
               : 0;
}

struct Instruction {
    uint16_t opcode;  // the stored word, top bit included
    uint32_t guid;    // bytes 4..7
    uint8_t byte8;
};

// A behaviour: 12-byte header (unused word, count, eight unused bytes), then 12 bytes per instruction.
inline std::vector<uint8_t> BehaviorBytes(const std::vector<Instruction>& code, int16_t count) {
    std::vector<uint8_t> b;
    PutLE16(b, 0x8002);
    PutLE16(b, static_cast<uint16_t>(count));
    for (int i = 0; i < 8; ++i) b.push_back(0);
    for (const Instruction& in : code) {
        PutLE16(b, in.opcode);
        PutLE16(b, 0xFFFD);
        PutLE32(b, in.guid);
        b.push_back(in.byte8);
        b.push_back(0);
        b.push_back(0);
        b.push_back(0);
    }
    return b;
}
inline std::vector<uint8_t> BehaviorBytes(const std::vector<Instruction>& code) {
    return BehaviorBytes(code, static_cast<int16_t>(code.size()));
}

// An SPR2 without frames: version 1000, count 0, palette id.
inline std::vector<uint8_t> Spr2Bytes(int32_t palette) {
    std::vector<uint8_t> b;
    PutLE32(b, 1000);
    PutLE32(b, 0);
    PutLE32(b, static_cast<uint32_t>(palette));
    return b;
}
// An SPR# without frames, in host order: version 502, count 0, palette id.
inline std::vector<uint8_t> SprListBytes(int32_t palette) {
    std::vector<uint8_t> b;
    PutLE32(b, 502);
    PutLE32(b, 0);
    PutLE32(b, static_cast<uint32_t>(palette));
    return b;
}
// A palette of two colours: version, count, two reserved words, then red, green, blue per colour.
inline std::vector<uint8_t> PaltBytes() {
    std::vector<uint8_t> b;
    PutLE32(b, 1);
    PutLE32(b, 2);
    PutLE32(b, 0);
    PutLE32(b, 0);
    for (uint8_t c : {0, 0, 0, 255, 255, 255}) b.push_back(c);
    return b;
}

struct Def {
    ResID id;
    const char* name;
    uint32_t guid;
    int16_t masterid = 0;
    int16_t subindex = 0;
    int16_t catalogid = 0;
    int16_t basegraphic = 0;
    int16_t numgraphics = 0;
    int16_t wallstyle = 0;
    int16_t customwallstyleid = 0;
};

// Adds and writes one resource.
inline void Put(iResFile& f, ResType type, ResID id, const std::vector<uint8_t>& bytes, const std::string& name = "",
                bool converted = true) {
    DataHandle* h = NewHandleFrom(bytes.data(), static_cast<int32_t>(bytes.size()));
    f.Add(h, type, id, name, converted);
    ASSERT_EQ(f.GetError(), kNoErr);
    f.Write(h);
    ASSERT_EQ(f.GetError(), kNoErr);
    f.ReleaseAndFree(h);
}

inline void PutDefinition(iResFile& f, const Def& d) {
    ObjectDefinition o;
    o.guid = static_cast<int32_t>(d.guid);
    o.masterid = d.masterid;
    o.subindex = d.subindex;
    o.catalogid = d.catalogid;
    o.basegraphic = d.basegraphic;
    o.numgraphics = d.numgraphics;
    o.wallstyle = d.wallstyle;
    o.customwallstyleid = d.customwallstyleid;
    o.price = 100;
    auto bytes = SerializeObjectDefinition(o);
    Put(f, kTypeOBJD, d.id, std::vector<uint8_t>(bytes.begin(), bytes.end()), d.name);
}

inline void PutDrawGroup(iResFile& f, ResID id, const std::vector<int32_t>& sprites) {
    DrawGroup g;
    g.SetName("group " + std::to_string(id));
    g.AddItemList();
    for (int32_t s : sprites) {
        DrawGroupItem item;
        item.spriteid = s;
        g.AddItem(0, item);
    }
    ASSERT_EQ(g.Save(f, id), kNoErr);
}

inline void PutCatalogStrings(iResFile& f, ResID id, const std::string& name, const std::string& description) {
    StringSet s;
    s.Bind(&f, id, kTypeCTSS, false, 0);
    s.Set(1, name);
    s.Set(2, description);
    ASSERT_EQ(s.Write(), kNoErr);
}

// The showroom: a two-tile sofa (lead 128, tile 129), a lamp (130) and a door with a custom wall style (131),
// each with its OBJf, catalogue strings, draw groups, sprites and palettes, plus a behaviour naming them and an
// outside object, an unused draw group, sprite and palette, and a "cst" string table with its STR# twin.
//
//   object      catalogid  draw groups   sprites                palette
//   128 Sofa    200        100, 101      1000, 1001 (SPR2)      50
//   129 tile    201        102           1002 (SPR2)            50
//   130 Lamp    210        110           1010 (SPR2)            51
//   131 Door    220        none          300..305 (SPR#)        -1
//   unused                 999           1999 (SPR2)            59
inline void FillShowroom(iResFile& f) {
    PutDefinition(f, {128, "Sofa", kSofaGuid, 5, -1, 200, 100, 2});
    PutDefinition(f, {129, "Sofa tile", kSofaTileGuid, 5, 0, 201, 102, 1});
    PutDefinition(f, {130, "Lamp", kLampGuid, 0, 0, 210, 110, 1});
    PutDefinition(f, {131, "Door", kDoorGuid, 0, 0, 220, 0, 0, 22, 300});
    for (ResID id : {128, 129, 130, 131}) Put(f, kTypeOBJf, id, {1, 2, 3, 4}, "functions");
    PutCatalogStrings(f, 200, "Sofa", "Soft");
    PutCatalogStrings(f, 201, "Sofa tile", "Only the tile names it");
    PutCatalogStrings(f, 210, "Lamp", "Bright");
    PutCatalogStrings(f, 220, "Door", "Opens");
    PutDrawGroup(f, 100, {1000});
    PutDrawGroup(f, 101, {1001, 1000});
    PutDrawGroup(f, 102, {1002});
    PutDrawGroup(f, 110, {1010});
    PutDrawGroup(f, 999, {1999});
    for (ResID id : {1000, 1001, 1002}) Put(f, kTypeSPR2, id, Spr2Bytes(50));
    Put(f, kTypeSPR2, 1010, Spr2Bytes(51));
    Put(f, kTypeSPR2, 1999, Spr2Bytes(59));
    for (ResID id = 300; id <= 305; ++id) Put(f, kTypeSPRList, id, SprListBytes(-1));
    for (ResID id : {50, 51, 59}) Put(f, kTypePALT, id, PaltBytes());
    Put(f, kTypeBHAV, 4096,
        BehaviorBytes({{32, kSofaGuid, 0},            // TestObjectType: the sofa
                       {42, kLampGuid, 0},            // CreateObject: the lamp
                       {0x801F, kOutsideGuid, 0x84},  // SetToNextParam of kind 4: an object outside the file
                       {31, kDoorGuid, 5},            // SetToNextParam of kind 5: no GUID operand
                       {0x0120, kSofaGuid, 0}}),      // a call of behaviour 0x120: never examined
        "main");
    StringSet table;
    table.Bind(&f, 400, kTypeSTRList, false, 0);
    table.Set(1, "first");
    table.Set(2, "second");
    ASSERT_EQ(table.Write(), kNoErr);
    Put(f, kTypeCloneStrings, 400, {'x'}, "table");
    Put(f, kTypeBMP, 210, {'B', 'M'}, "catalogue icon");
}

// Writes the showroom to a new file at a host path.
inline void WriteShowroom(const std::string& hostPath) {
    IFFResFile2 f;
    ASSERT_EQ(f.Create(hostPath), kNoErr);
    ASSERT_EQ(f.Open(hostPath), kNoErr);
    FillShowroom(f);
    ASSERT_EQ(f.Close(), kNoErr);
}

}  // namespace clone_test
