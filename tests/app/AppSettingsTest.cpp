// Process-wide settings: the language names, the object directory list rules, the fixed path list and limits.
#include <gtest/gtest.h>

#include "app/AppSettings.h"
#include "app/DirectoryList.h"
#include "app/RegistryLanguages.h"

namespace {

TEST(RegistryLanguages, NamesAreComparedExactly) {
    EXPECT_EQ(LanguageFromRegistryName("USEnglish"), 1);
    EXPECT_EQ(LanguageFromRegistryName("German"), 4);
    EXPECT_EQ(LanguageFromRegistryName("Swedish"), 9);
    EXPECT_EQ(LanguageFromRegistryName("TraditionalChinese"), 18);
    EXPECT_EQ(LanguageFromRegistryName("Korean"), 20);
    for (const char* other : {"german", "GERMAN", "German ", " German", "Germ", "Danish", "Simplified Chinese", ""})
        EXPECT_EQ(LanguageFromRegistryName(other), 0) << other;
    // The numbers without a stored name are never chosen.
    for (const RegistryLanguage& l : GetRegistryLanguages())
        for (int unnamed : {8, 10, 11, 12, 13}) EXPECT_NE(l.code, unnamed) << l.name;
    EXPECT_EQ(GetRegistryLanguages().size(), 15u);
}

TEST(ObjectDirectories, FourDirectoriesWithPrefixAndFinalBackslash) {
    const std::vector<std::string> expected = {".\\Downloads\\", ".\\GameData\\Objects\\", ".\\GameData\\UserObjects\\",
                                               ".\\ExpansionPack\\"};
    EXPECT_EQ(ObjectDirectories(), expected);
    EXPECT_STREQ(CloneDirectory, ".\\Downloads\\Reshaped");
}

TEST(DirectoryList, SplitKeepsLeadingEmptyElementAndSkipsBlanksAfterSeparators) {
    EXPECT_EQ(SplitDirectoryList(";a; \tb;;c/d ;"), (std::vector<std::string>{"", "a", "b", "", "c/d "}));
    EXPECT_TRUE(SplitDirectoryList("").empty());
    EXPECT_EQ(SplitDirectoryList("  a"), (std::vector<std::string>{"  a"}));  // only blanks after a ';' go
}

TEST(DirectoryList, NormaliseAddsPrefixUnlessThePathIsAlreadyAnchored) {
    EXPECT_EQ(NormalizeDirectoryPath("a/b"), ".\\a\\b\\");
    EXPECT_EQ(NormalizeDirectoryPath("a\\b\\"), ".\\a\\b\\");
    EXPECT_EQ(NormalizeDirectoryPath("C:\\Games"), "C:\\Games\\");
    EXPECT_EQ(NormalizeDirectoryPath("c:/games/"), "c:\\games\\");
    EXPECT_EQ(NormalizeDirectoryPath(".\\x"), ".\\x\\");
    EXPECT_EQ(NormalizeDirectoryPath("./x"), ".\\x\\");
    EXPECT_EQ(NormalizeDirectoryPath("\\\\server\\share"), "\\\\server\\share\\");
    EXPECT_EQ(NormalizeDirectoryPath("."), ".\\");
    // Not anchored: a drive without its backslash, a UNC start without a letter, a bare "..".
    EXPECT_EQ(NormalizeDirectoryPath("C:games"), ".\\C:games\\");
    EXPECT_EQ(NormalizeDirectoryPath("\\\\1x"), ".\\\\\\1x\\");
    EXPECT_EQ(NormalizeDirectoryPath(".."), ".\\..\\");
    EXPECT_EQ(NormalizeDirectoryPath(""), ".\\");
}

TEST(InternalObjectPaths, ThirtyOneLowerCaseGamePathsWithoutExtension) {
    const std::vector<std::string>& paths = InternalObjectPaths();
    ASSERT_EQ(paths.size(), kInternalObjectPathCount);
    EXPECT_EQ(paths.front(), ".\\gamedata\\objects\\animtester");
    EXPECT_EQ(paths[1], ".\\gamedata\\objects\\people\\bones");
    EXPECT_EQ(paths.back(), ".\\gamedata\\objects\\visitgenerator");
    for (const std::string& p : paths) {
        EXPECT_EQ(p.rfind(".\\gamedata\\objects\\", 0), 0u) << p;
        EXPECT_EQ(p.find(".iff"), std::string::npos) << p;
        for (char c : p) EXPECT_FALSE(c >= 'A' && c <= 'Z') << p;
    }
}

TEST(GameDirectory, RejectsPathsPastTheLimit) {
    std::string previous = GameDirectory();
    EXPECT_TRUE(SetGameDirectory(std::string(kMaxGameDirectoryBytes - 1, 'd')));
    EXPECT_FALSE(SetGameDirectory(std::string(kMaxGameDirectoryBytes, 'e')));
    EXPECT_EQ(GameDirectory(), std::string(kMaxGameDirectoryBytes - 1, 'd'));
    SetGameDirectory(previous);
}

}  // namespace
