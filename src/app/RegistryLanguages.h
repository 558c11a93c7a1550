// RegistryLanguages: the language names the settings store and the language numbers they choose.
#pragma once

#include <span>
#include <string>

struct RegistryLanguage {
    const char* name;  // as stored in the settings ("USEnglish")
    int code;          // the GameLanguage it chooses, 1..20
};

// The 15 names in table order. Numbers 8, 10, 11, 12 and 13 have no name and are never chosen from settings.
std::span<const RegistryLanguage> GetRegistryLanguages();

// The language number of a stored name, compared exactly (letter case and the whole text); 0 for any other text.
int LanguageFromRegistryName(const std::string& name);
