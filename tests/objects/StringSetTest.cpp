// Tests of string sets: every stored form in every language, the fix-up, merging and writing format -3.
#include <gtest/gtest.h>

#include "ObjectsTestSupport.h"
#include "StringSetFixtures.h"
#include "objects/strings/StringSet.h"

using objects_test::Bytes;
using objects_test::TextBytes;

namespace {

using namespace objects_test::fixtures;

// Format 0: two length-prefixed strings; the second holds the old code page's 'o' (0xA1) and apostrophe (0xD5).
constexpr uint8_t kFormat0[] = {
    0x02, 0x00,                        // count 2
    0x03, 'O',  'n',  'e',             // length 3, "One"
    0x05, 'B',  0xA1, 'b', 0xD5, 's',  // length 5, "B\xA1b\xD5s" reads "Bob's"
};
static_assert(sizeof(kFormat0) == 12);

// Format -1: two values.
constexpr uint8_t kFormatValues[] = {
    0xFF, 0xFF,             // format -1
    0x02, 0x00,             // count 2
    'O',  'n',  'e', 0x00,  // "One"
    'T',  'w',  'o', 0x00,  // "Two"
};
static_assert(sizeof(kFormatValues) == 12);

// Format -2: two values with comments, the second comment stored empty.
constexpr uint8_t kFormatComments[] = {
    0xFE, 0xFF,                              // format -2
    0x02, 0x00,                              // count 2
    'O',  'n',  'e', 0x00, 'c',  '1', 0x00,  // "One", comment "c1"
    'T',  'w',  'o', 0x00, 0x00,             // "Two", empty comment
};
static_assert(sizeof(kFormatComments) == 16);

struct Form {
    const char* label;
    std::vector<uint8_t> data;
    bool textForm;
    const char* first;
    const char* second;
};

std::vector<Form> LanguagelessForms() {
    return {{"format 0", Bytes(kFormat0), false, "One", "Bob's"},
            {"format -1", Bytes(kFormatValues), false, "One", "Two"},
            {"format -2", Bytes(kFormatComments), false, "One", "Two"},
            {"text", TextBytes(kLegacyText), true, "Hello", "World"}};
}

StringSet Parsed(const std::vector<uint8_t>& data, int language, bool readAll, bool fallBack, bool textForm = false) {
    StringSet set;
    set.Bind(nullptr, 0, textForm ? kTypeTextStrings : kTypeSTRList, textForm, language);
    EXPECT_TRUE(set.ParseData(data.data(), data.size(), readAll, fallBack));
    return set;
}

std::string At(const StringSet& set, int index, int language) {
    const std::string* s = set.Get(index, language);
    return s ? *s : "<none>";
}

int TotalEntries(const StringSet& set) {
    int n = 0;
    for (int l = 0; l < kLanguageCount; ++l) n += set.Count(l);
    return n;
}

TEST(StringSetFormsTest, LanguagelessFormsReadIntoTheSetLanguageAndUSEnglish) {
    for (const Form& form : LanguagelessForms()) {
        for (int language = 0; language < kLanguageCount; ++language) {
            for (bool fallBack : {false, true}) {
                SCOPED_TRACE(testing::Message() << form.label << " language " << language << " fallBack " << fallBack);
                StringSet set = Parsed(form.data, language, false, fallBack, form.textForm);
                ASSERT_EQ(set.Count(), 2);
                EXPECT_EQ(At(set, 1, language), form.first);
                EXPECT_EQ(At(set, 2, language), form.second);
                EXPECT_EQ(At(set, 2, kUSEnglishIndex), form.second);
                EXPECT_EQ(set.GetSource(1, language), language);
                EXPECT_EQ(TotalEntries(set), language == kUSEnglishIndex ? 2 : 4);
                if (form.data == Bytes(kFormatComments)) {
                    EXPECT_EQ(*set.GetComment(1, kUSEnglishIndex), "c1");
                    EXPECT_EQ(set.GetComment(2), nullptr);  // stored empty: no comment
                }
            }
        }
    }
}

TEST(StringSetFormsTest, Format0SubstitutesTheOldLetterOAndApostrophe) {
    const uint8_t data[] = {
        0x01, 0x00,                    // count 1
        0x04, 0xA1, 0xD5, 0xA1, 0xD4,  // length 4: 0xA1 0xD5 0xA1 0xD4
    };
    static_assert(sizeof(data) == 7);
    StringSet set = Parsed(Bytes(data), kGerman, false, false);
    EXPECT_EQ(At(set, 1, kGerman), "o'o\xD4");
    EXPECT_EQ(At(set, 2, kFrench), "<none>");
    // Only format 0 knows these bytes: format -1 keeps them.
    const uint8_t values[] = {0xFF, 0xFF, 0x01, 0x00, 0xA1, 0xD5, 0x00};
    EXPECT_EQ(At(Parsed(Bytes(values), 0, false, false), 1, 0), "\xA1\xD5");
}

TEST(StringSetFormsTest, FormatMinus3InEveryLanguageWithAndWithoutFallBack) {
    for (int language = 0; language < kLanguageCount; ++language) {
        for (bool fallBack : {false, true}) {
            SCOPED_TRACE(testing::Message() << "language " << language << " fallBack " << fallBack);
            StringSet set = Parsed(Bytes(kFormatLanguages), language, false, fallBack);
            EXPECT_EQ(TotalEntries(set), set.Count());  // nothing outside the set's language
            if (language == kUSEnglishIndex) {
                EXPECT_EQ(At(set, 1, language), "Name");
                EXPECT_EQ(At(set, 2, language), "Desc");
                EXPECT_EQ(*set.GetComment(1), "note");
                EXPECT_EQ(set.GetComment(2), nullptr);
            } else if (language == kFrench) {
                EXPECT_EQ(At(set, 1, language), "Nom");
                EXPECT_EQ(At(set, 2, language), "Descr");
                EXPECT_EQ(set.GetComment(1), nullptr);
                EXPECT_EQ(*set.GetComment(2), "fc");
            } else if (language == kGerman) {
                ASSERT_EQ(set.Count(), 1);  // own entries: no fall-back
                EXPECT_EQ(At(set, 1, language), "NameDE");
            } else if (fallBack) {
                ASSERT_EQ(set.Count(), 2);
                EXPECT_EQ(At(set, 1, language), "Name");
                EXPECT_EQ(*set.GetComment(1), "note");
                EXPECT_EQ(set.GetSource(1), kUSEnglishIndex);  // a copy, not a translation
            } else {
                EXPECT_EQ(set.Count(), 0);
            }
        }
    }
}

TEST(StringSetFormsTest, ReadAllShowsUSEnglishCopiesInLanguagesWithoutEntries) {
    StringSet set = Parsed(Bytes(kFormatLanguages), kItalian, true, false);
    EXPECT_EQ(At(set, 1, kFrench), "Nom");
    EXPECT_EQ(set.GetSource(1, kFrench), kFrench);
    EXPECT_EQ(set.Count(kGerman), 1);  // has entries of its own: not filled
    for (int language : {kItalian, 5, 19}) {
        ASSERT_EQ(set.Count(language), 2);
        EXPECT_EQ(At(set, 2, language), "Desc");
        EXPECT_EQ(set.GetSource(2, language), kUSEnglishIndex);
        EXPECT_EQ(*set.GetComment(1, language), "note");
    }
    StringSet values = Parsed(Bytes(kFormatValues), kFrench, true, false);
    EXPECT_EQ(values.GetSource(1, kFrench), kFrench);
    EXPECT_EQ(values.GetSource(1, kGerman), kUSEnglishIndex);
    EXPECT_EQ(TotalEntries(values), 40);
}

TEST(StringSetFormsTest, FormatMinus3RunningNumberRestartsWithEachLanguageRun) {
    const uint8_t data[] = {
        0xFD, 0xFF,              // format -3
        0x04, 0x00,              // 4 entries
        0x01, 'a',  0x00, 0x00,  // US English, running number 1
        0x01, 'b',  0x00, 0x00,  // US English, 2
        0x03, 'x',  0x00, 0x00,  // French, 1
        0x01, 'c',  0x00, 0x00,  // US English again: running number 1, inserted before "a"
    };
    static_assert(sizeof(data) == 20);
    StringSet set = Parsed(Bytes(data), kUSEnglishIndex, true, false);
    ASSERT_EQ(set.Count(), 3);
    EXPECT_EQ(At(set, 1, 0), "c");
    EXPECT_EQ(At(set, 2, 0), "a");
    EXPECT_EQ(At(set, 3, 0), "b");
    // Codes outside 1..20 are never taken, not even with read-all.
    const uint8_t bad[] = {0xFD, 0xFF, 0x02, 0x00, 0x00, 'z', 0x00, 0x00, 0x15, 'y', 0x00, 0x00};
    EXPECT_EQ(TotalEntries(Parsed(Bytes(bad), 0, true, true)), 0);
}

TEST(StringSetFormsTest, CountsBeyondTheDataReadWhatIsThere) {
    const uint8_t values[] = {
        0xFF, 0xFF,                  // format -1
        0x05, 0x00,                  // count 5, but only two terminated strings follow
        'a',  0x00, 'b', 0x00, 'c',  // "a", "b", then an unterminated "c"
    };
    EXPECT_EQ(Parsed(Bytes(values), 0, false, false).Count(), 2);
    const uint8_t comments[] = {0xFE, 0xFF, 0x03, 0x00, 'a', 0x00, 'x', 0x00, 'b', 0x00};  // 2nd comment missing
    EXPECT_EQ(Parsed(Bytes(comments), 0, false, false).Count(), 1);
    const uint8_t languages[] = {0xFD, 0xFF, 0x09, 0x00, 0x01, 'a', 0x00, 0x00, 0x01, 'b', 0x00};
    EXPECT_EQ(Parsed(Bytes(languages), 0, false, false).Count(), 1);
    const uint8_t format0[] = {0x03, 0x00, 0x01, 'a', 0x04, 'b', 'c'};  // second length runs past the end
    EXPECT_EQ(Parsed(Bytes(format0), 0, false, false).Count(), 1);
    for (std::vector<uint8_t> tiny : {std::vector<uint8_t>{}, std::vector<uint8_t>{0xFF}}) {
        StringSet set = Parsed(tiny, 0, true, true);
        EXPECT_EQ(TotalEntries(set), 0);
    }
    const uint8_t negative[] = {0xFD, 0xFF, 0xFF, 0xFF, 0x01, 'a', 0x00, 0x00};  // count -1
    EXPECT_EQ(Parsed(Bytes(negative), 0, false, false).Count(), 0);
}

TEST(StringSetFixupTest, SwapsTheFormatWordAndOnlyTheCountOfFormatMinus1) {
    std::vector<uint8_t> f0 = {0x00, 0x02, 0x00, 0x05};
    StringSet::Fixup(f0.data(), 4);
    EXPECT_EQ(f0, (std::vector<uint8_t>{0x02, 0x00, 0x00, 0x05}));
    std::vector<uint8_t> f1 = {0xFF, 0xFF, 0x00, 0x02};
    StringSet::Fixup(f1.data(), 4);
    EXPECT_EQ(f1, (std::vector<uint8_t>{0xFF, 0xFF, 0x02, 0x00}));
    std::vector<uint8_t> f3 = {0xFF, 0xFD, 0x00, 0x02};
    StringSet::Fixup(f3.data(), 4);
    EXPECT_EQ(f3, (std::vector<uint8_t>{0xFD, 0xFF, 0x00, 0x02}));
    std::vector<uint8_t> shortOne = {0xFF, 0xFF, 0x00};
    StringSet::Fixup(shortOne.data(), 3);
    EXPECT_EQ(shortOne, (std::vector<uint8_t>{0xFF, 0xFF, 0x00}));
    std::vector<uint8_t> one = {0x12};
    StringSet::Fixup(one.data(), 1);
    EXPECT_EQ(one[0], 0x12);
}

// ---- list operations ----

TEST(StringSetListTest, SetOnlyReplacesOrAppendsAndInsertClamps) {
    StringSet set;
    set.Bind(nullptr, 0, kTypeSTRList, false, kGerman);
    set.Set(1, "a");
    set.Set(2, "b");
    set.Set(3, "c");
    set.Set(5, "skipped");
    EXPECT_EQ(set.Count(), 3);
    set.Set(4, "d");
    EXPECT_EQ(set.Count(), 4);
    set.Set(0, "skipped");
    set.Set(2, "B", kUSEnglishIndex);  // US English is empty: index 2 is out of range
    EXPECT_EQ(set.Count(kUSEnglishIndex), 0);
    set.Insert(-3, "first");
    set.Insert(100, "last");
    set.Insert(3, "middle");
    const char* expected[] = {"first", "a", "middle", "b", "c", "d", "last"};
    ASSERT_EQ(set.Count(kGerman), 7);
    for (int i = 1; i <= 7; ++i) EXPECT_EQ(At(set, i, kGerman), expected[i - 1]);
    EXPECT_EQ(set.Get(8), nullptr);
    EXPECT_EQ(set.Get(0), nullptr);
    set.Remove(1);
    set.Remove(9);
    EXPECT_EQ(At(set, 1, kGerman), "a");
    EXPECT_EQ(set.Count(), 6);
    set.Set(1, std::string_view("cut\0here", 8));
    EXPECT_EQ(At(set, 1, kGerman), "cut");
    // Bad languages do nothing and yield nothing.
    set.Set(1, "x", 20);
    set.Set(1, "x", -2);
    EXPECT_EQ(set.Count(20), 0);
    EXPECT_EQ(set.Get(1, 25), nullptr);
    set.ClearLanguage();
    EXPECT_EQ(set.Count(), 0);
}

TEST(StringSetListTest, CommentsAndFirstAvailable) {
    StringSet set;
    set.Bind(nullptr, 0, kTypeSTRList, false, kUSEnglishIndex);
    set.SetComment(1, "no entry yet");
    EXPECT_EQ(set.GetComment(1), nullptr);
    set.Set(1, "a");
    set.SetComment(1, "note");
    EXPECT_EQ(*set.GetComment(1), "note");
    set.Set(1, "a2");  // keeps the comment
    EXPECT_EQ(*set.GetComment(1), "note");
    set.SetComment(1, "");
    EXPECT_EQ(set.GetComment(1), nullptr);
    set.SetComment(1, "again");
    set.SetComment(1, std::nullopt);
    EXPECT_EQ(set.GetComment(1), nullptr);

    set.Set(1, "fr", kFrench);
    set.Set(2, "fr2", kFrench);
    int language = -1;
    ASSERT_NE(set.GetFirstAvailable(1, &language), nullptr);
    EXPECT_EQ(language, kUSEnglishIndex);
    EXPECT_EQ(*set.GetFirstAvailable(2, &language), "fr2");
    EXPECT_EQ(language, kFrench);
    EXPECT_EQ(set.GetFirstAvailable(3), nullptr);
}

TEST(StringSetListTest, CopyFromTakesTheOtherLanguageAndForgetsTheResource) {
    StringSet from;
    from.Bind(nullptr, 5, kTypeCTSS, false, kFrench);
    from.SetName("source");
    from.Set(1, "un");
    from.Set(2, "deux");
    from.SetComment(2, "c");
    StringSet to;
    to.Bind(nullptr, 9, kTypeSTRList, false, kGerman);
    to.Set(1, "eins");
    to.SetComment(1, "old");
    to.Set(2, "zwei");
    to.Set(3, "drei");
    to.CopyFrom(from);
    ASSERT_EQ(to.Count(kGerman), 2);
    EXPECT_EQ(At(to, 1, kGerman), "un");
    EXPECT_EQ(to.GetSource(1, kGerman), kGerman);
    EXPECT_EQ(to.GetComment(1), nullptr);
    EXPECT_EQ(*to.GetComment(2), "c");
    EXPECT_EQ(to.GetFile(), nullptr);
    EXPECT_EQ(to.GetID(), 0);
    EXPECT_EQ(to.GetType(), 0u);
    EXPECT_EQ(to.GetName(), "source");
}

TEST(StringSetSerializeTest, WrittenBlockHasExactlyTheLayoutSize) {
    StringSet set;
    set.Bind(nullptr, 0, kTypeSTRList, false, kUSEnglishIndex);
    set.Set(1, "");
    set.Set(2, "value");
    set.SetComment(2, "comment");
    set.Set(1, "dix-neuf", 19);
    set.Set(1, "cinq", 5);
    set.SetComment(1, "x", 5);
    std::vector<uint8_t> block;
    ASSERT_EQ(set.SerializeData(block), kNoErr);
    size_t expected = 4 + (0 + 0 + 3) + (5 + 7 + 3) + (4 + 1 + 3) + (8 + 0 + 3);
    EXPECT_EQ(block.size(), expected);
    EXPECT_EQ(block[2], 4);  // total count
    EXPECT_EQ(block.back(), 0);
    StringSet back = Parsed(block, 19, true, false);
    EXPECT_EQ(At(back, 1, 19), "dix-neuf");
    EXPECT_EQ(At(back, 1, 5), "cinq");
    EXPECT_EQ(back.GetSource(1, 5), 5);
}

}  // namespace
