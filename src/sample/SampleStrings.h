// SampleStrings: the texts of the sample objects in every stored form: catalogue sets in several languages, string
// tables, and the legacy CATS, text and length-prefixed forms.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// One text in one language (a string set language index, 0 US English .. 19).
struct SampleText {
    int language;
    std::string name;
    std::string description;
};

// The catalogue texts of a sample object by its key ("armchair", "diningtable", ...), in US English, UKEnglish,
// French, German, Italian, Spanish and Dutch; empty for an unknown key.
std::vector<SampleText> GetSampleCatalogTexts(const std::string& key);

// A CTSS resource (format -3): entry 1 the name and entry 2 the description of every language given.
std::vector<uint8_t> MakeCatalogStringSet(const std::vector<SampleText>& texts);
// A STR# resource (format -3) holding the strings in US English and, when given, in a second language; comments
// are set on the US English entries when given.
std::vector<uint8_t> MakeStringTable(const std::vector<std::string>& usEnglish,
                                     const std::vector<std::string>& comments = {}, int otherLanguage = -1,
                                     const std::vector<std::string>& other = {});
// The legacy catalogue strings: the description, then the name, each NUL-terminated.
std::vector<uint8_t> MakeLegacyCatalogStrings(const std::string& name, const std::string& description);
// The legacy text form: every string between a pair of '^' marks, with a line break between pairs.
std::vector<uint8_t> MakeLegacyTextStrings(const std::vector<std::string>& strings);
// The oldest binary form (format 0) as older tools stored it, not yet converted: the count as a big-endian word,
// then each string as one length byte and its bytes.
std::vector<uint8_t> MakeLengthPrefixedStrings(const std::vector<std::string>& strings);
