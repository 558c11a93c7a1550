// StringSetFixtures: stored string sets shared by the byte-level and the file-level string set tests.
#pragma once

#include <cstdint>

namespace objects_test::fixtures {

constexpr int kFrench = 2;
constexpr int kGerman = 3;
constexpr int kItalian = 4;

// Format -3: US English, French and German entries.
constexpr uint8_t kFormatLanguages[] = {
    0xFD, 0xFF,                                                     // format -3
    0x05, 0x00,                                                     // 5 entries in all
    0x01, 'N',  'a', 'm', 'e',  0x00, 'n',  'o',  't', 'e',  0x00,  // US English 1: "Name", comment "note"
    0x01, 'D',  'e', 's', 'c',  0x00, 0x00,                         // US English 2: "Desc", no comment
    0x03, 'N',  'o', 'm', 0x00, 0x00,                               // French 1: "Nom"
    0x03, 'D',  'e', 's', 'c',  'r',  0x00, 'f',  'c', 0x00,        // French 2: "Descr", comment "fc"
    0x04, 'N',  'a', 'm', 'e',  'D',  'E',  0x00, 'd', 'e',  0x00,  // German 1: "NameDE", comment "de"
};
static_assert(sizeof(kFormatLanguages) == 49);

// Legacy text: strings between pairs of '^'; the rest and the unclosed last string are ignored.
constexpr char kLegacyText[] = "x^Hello^ between ^World^ tail ^open";

}  // namespace objects_test::fixtures
