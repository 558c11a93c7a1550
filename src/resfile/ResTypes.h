// ResTypes: the resource type code, resource id and the helpers that print and build type codes.
#pragma once

#include <cstdint>
#include <string>

using ResType = uint32_t;
using ResID = int16_t;

// Builds a type code from its four characters, the first in the most significant byte.
constexpr ResType MakeResType(const char (&s)[5]) {
    return (static_cast<ResType>(static_cast<uint8_t>(s[0])) << 24) |
           (static_cast<ResType>(static_cast<uint8_t>(s[1])) << 16) |
           (static_cast<ResType>(static_cast<uint8_t>(s[2])) << 8) | static_cast<ResType>(static_cast<uint8_t>(s[3]));
}

constexpr ResType kTypeOBJD = MakeResType("OBJD");
constexpr ResType kTypeSTRList = MakeResType("STR#");
constexpr ResType kTypeCTSS = MakeResType("CTSS");
constexpr ResType kTypeDGRP = MakeResType("DGRP");
constexpr ResType kTypeSPR2 = MakeResType("SPR2");
constexpr ResType kTypeSPRList = MakeResType("SPR#");
constexpr ResType kTypePALT = MakeResType("PALT");
constexpr ResType kTypeBMP = MakeResType("BMP_");
constexpr ResType kTypeBHAV = MakeResType("BHAV");
constexpr ResType kTypeResMap = MakeResType("rsmp");
constexpr ResType kTypeFree = MakeResType("XXXX");
constexpr ResType kTypeNameList = MakeResType("NAME");
constexpr ResType kTypeRecon = MakeResType("Rcon");

// The four characters of a type code, most significant byte first (bytes kept as they are).
inline std::string ResTypeToString(ResType t) {
    std::string s(4, ' ');
    for (int i = 0; i < 4; ++i) s[i] = static_cast<char>((t >> (24 - 8 * i)) & 0xFF);
    return s;
}

// Parses four characters into a type code; false unless the text has exactly four bytes.
inline bool ResTypeFromString(const std::string& s, ResType& out) {
    if (s.size() != 4) return false;
    out = 0;
    for (char c : s) out = (out << 8) | static_cast<uint8_t>(c);
    return true;
}

// Resource flag bits.
constexpr uint16_t kResFlagFree = 0x0004;
constexpr uint16_t kResFlagInternal = 0x0008;
constexpr uint16_t kResFlagConverted = 0x0010;
constexpr uint16_t kResFlagVariantMask = 0xFF00;

inline uint8_t VariantOfFlags(uint16_t flags) { return static_cast<uint8_t>(flags >> 8); }
