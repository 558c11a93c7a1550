// fuzz_string_set: reads arbitrary bytes as every stored string set form, then merges, writes and re-reads them.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "objects/strings/StringSet.h"

namespace {

constexpr size_t kMaxInput = 1 << 16;
constexpr int kLanguages[] = {kUSEnglishIndex, kLanguageCount - 1};

void Check(bool condition) {
    if (!condition) std::abort();
}

StringSet Parse(const std::vector<uint8_t>& bytes, bool textForm, int language, bool readAll, bool fallBack) {
    StringSet set;
    set.Bind(nullptr, 1, textForm ? kTypeTextStrings : kTypeSTRList, textForm, language);
    Check(set.ParseData(bytes.data(), bytes.size(), readAll, fallBack));
    return set;
}

// Every written block has the size its entries give, and reads back to the same texts in every language.
void CheckRoundTrip(const StringSet& set) {
    std::vector<uint8_t> block;
    if (set.SerializeData(block) != kNoErr) return;
    size_t expected = 4;
    for (int l = 0; l < kLanguageCount; ++l)
        for (int i = 1; i <= set.Count(l); ++i) {
            const std::string* comment = set.GetComment(i, l);
            expected += set.Get(i, l)->size() + (comment ? comment->size() : 0) + 3;
        }
    Check(block.size() == expected);
    StringSet back = Parse(block, false, set.GetLanguage(), true, false);
    for (int l = 0; l < kLanguageCount; ++l) {
        if (set.Count(l) == 0) continue;
        Check(back.Count(l) == set.Count(l));
        for (int i = 1; i <= set.Count(l); ++i) {
            Check(*back.Get(i, l) == *set.Get(i, l));
            const std::string* a = set.GetComment(i, l);
            const std::string* b = back.GetComment(i, l);
            Check((a == nullptr) == (b == nullptr) && (!a || *a == *b));
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > kMaxInput) return 0;
    const std::vector<uint8_t> stored(data, data + size);
    // The same bytes as data that the loader has not converted yet.
    std::vector<uint8_t> unconverted = stored;
    StringSet::Fixup(unconverted.data(), static_cast<int32_t>(unconverted.size()));

    const std::vector<uint8_t>* forms[] = {&stored, &unconverted};
    for (const std::vector<uint8_t>* bytes : forms) {
        for (int language : kLanguages) {
            for (int flags = 0; flags < 4; ++flags) {
                bool readAll = flags & 1, fallBack = flags & 2;
                StringSet set = Parse(*bytes, false, language, readAll, fallBack);
                if (flags == 0 || flags == 3) CheckRoundTrip(set);
                if (flags == 3) {
                    // Write's merge: this set's language folded into the set read from the same bytes.
                    StringSet merged = Parse(*bytes, false, language, true, true);
                    StringSet edited = Parse(*bytes, false, language, false, true);
                    edited.Set(edited.Count() + 1, "added");
                    edited.MergeInto(merged);
                    CheckRoundTrip(merged);
                }
            }
        }
    }
    for (int language : kLanguages) CheckRoundTrip(Parse(stored, true, language, language != kUSEnglishIndex, false));
    return 0;
}
